// The overlay window: creation of its controls, the OverlayView setters and message routing.
#include "app/OverlayWindow_win32.h"

#include <string>
#include <vector>

#include "app/OverlayIds.h"
#include "app/OverlayTimers.h"
#include "app/OverlayView.h"
#include "app/SlotLayout.h"
#include "app/TfrmMain.h"
#include "app/TitleLabel_win32.h"
#include "platform/Dpi_win32.h"
#include "platform/SystemColor_win32.h"
#include "platform/Window_win32.h"
#include "text/Gbk_win32.h"
#include "timers/TimerSlot.h"
#include "ui/DisplayScale.h"
#include "ui/ErrorReporter.h"
#include "ui/WithinReach_win32.h"

namespace tallyvox {

namespace {

constexpr UINT kZOrderOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

// While a combination hotkey is held, its key is looked at this often until it is released:
// quicker than a player presses a key twice, and only while a key is held.
constexpr UINT_PTR kHeldHotKeyTimerId = overlay_timers::kHeldHotKey;
constexpr UINT kHeldHotKeyCheckMs = 30;

// Brought into view by a second start, the counts flash three times in the selection colours.
constexpr UINT_PTR kFlashTimerId = overlay_timers::kFlash;
constexpr UINT kFlashStepMs = 150;
constexpr int kFlashSteps = 6;

static_assert(kModAlt == MOD_ALT && kModControl == MOD_CONTROL && kModShift == MOD_SHIFT &&
              kModWin == MOD_WIN && kModNoRepeat == MOD_NOREPEAT);

const wchar_t kPanelHint[] = L"按住鼠标可拖动窗口，双击开始或停止计时，右键打开菜单。";

// Where the cursor was when the message being handled was posted: a late-handled press still
// anchors a drag where it happened.
POINT MessageCursorPos() {
    const DWORD pos = GetMessagePos();
    return {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
}

}  // namespace

WindowCreationError::WindowCreationError()
    : std::runtime_error("\xCE\xDE\xB7\xA8\xB4\xB4\xBD\xA8\xB3\xCC\xD0\xF2\xB4\xB0\xBF\xDA") {
}  // 无法创建程序窗口

OverlayWindow::OverlayWindow(HINSTANCE instance, ErrorReporter& reporter)
    : instance_(instance), reporter_(reporter) {
    backgroundBrush_ = CreateSolidBrush(kColorTransparentKey);

    WNDCLASSEXW wc = ProgramWindowClass(instance, kClassName,
                                        &WindowThunk<OverlayWindow, &OverlayWindow::HandleMessage>);
    wc.hIcon = LoadIconW(instance, L"MAINICON");
    wc.hbrBackground = backgroundBrush_;
    RegisterClassOnce(wc);

    // Topmost from the start; sized below, once the DPI of the monitor it came up on is known.
    // It never takes the keyboard from the game, whatever is clicked (WM_MOUSEACTIVATE too),
    // and keeps its taskbar entry.
    CreateWindowExW(WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_APPWINDOW, kClassName,
                    L"Tallyvox", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, nullptr, nullptr, instance,
                    this);
    if (hwnd_ == nullptr) throw WindowCreationError();
    dpi_ = WindowDpi(hwnd_);
    scale_ = ScaleChanges(dpi_);
    slotFont_ = CreateProgramFont(ScaleToDpi(-12, dpi_), FW_BOLD, false);
    const WindowSize client = BuiltInClientSize(dpi_);
    SetWindowPos(hwnd_, nullptr, 0, 0, client.width, client.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The colour key makes the green background invisible and lets clicks through it.
    SetLayeredWindowAttributes(hwnd_, kColorTransparentKey, 0, LWA_COLORKEY);

    CreateSlots();
    CreateMenu();
    hints_.Attach(
        hwnd_, [this](int tool) { return HintOf(tool); }, [this] { return dpi_; });
}

OverlayWindow::~OverlayWindow() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
    if (menu_ != nullptr) DestroyMenu(menu_);
    DeleteObject(slotFont_);
    DeleteObject(backgroundBrush_);
}

void OverlayWindow::Bind(TfrmMain& frm, OverlayCommands& commands) {
    frm_ = &frm;
    commands_ = &commands;
}

void OverlayWindow::CreateSlots() {
    RegisterTitleLabelClass(instance_);
    constexpr std::int32_t kWindowText = static_cast<std::int32_t>(0x80000000u | COLOR_WINDOWTEXT);
    // A later child lies below the earlier ones: the panels, made first, lie over every label
    // and take the mouse wherever a title runs under them, in every layout. Each panel is made at
    // its place and each label at its text's size: a window server call less for each.
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const SlotPlace place = BuiltInPlaceOf(slot, dpi_);
        panels_[slot] = std::make_unique<CountPanel>(hwnd_, slot, ids::Panel(slot),
                                                     POINT{place.panelLeft, place.panelTop},
                                                     slotFont_, dpi_, *this);
    }
    const TextMeasurer measure(hwnd_, slotFont_);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const SlotPlace place = BuiltInPlaceOf(slot, dpi_);
        Label& label = labels_[slot];
        label.color = kWindowText;
        label.caption = L"标题" + std::to_wstring(slot);
        // The label owns its mouse input (for its hint) and acts on none. A long title runs
        // under the count panel: the label paints nothing where a panel lies over it.
        const SIZE size = measure.Extent(label.caption);
        label.hwnd = CreateWindowExW(
            0, kTitleLabelClassName, label.caption.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
            place.labelLeft, place.labelTop, size.cx, size.cy, hwnd_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids::Label(slot))), instance_, nullptr);
        SendMessageW(label.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(slotFont_), FALSE);
    }
}

// A tool's hint: a count's tells how to use it, a title's is the title.
std::wstring OverlayWindow::HintOf(int tool) const {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (tool == ids::Panel(slot)) return kPanelHint;
        if (tool == ids::Label(slot)) return labels_[slot].hint;
    }
    return {};
}

void OverlayWindow::CreateMenu() {
    menu_ = CreatePopupMenu();
    AppendMenuW(menu_, MF_STRING, ids::kMenuSettings, L"设置(&S)");
    AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu_, MF_STRING, ids::kMenuUsage, L"使用说明(&U)");
    AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu_, MF_STRING, ids::kMenuExit, L"退出(&X)");
}

void OverlayWindow::ShowCentred() {
    RECT rect;
    GetWindowRect(hwnd_, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
}

void OverlayWindow::FitLabelToText(int slot) {
    HWND label = labels_[slot].hwnd;
    const SIZE size = TextMeasurer(label, slotFont_).Extent(WindowText(label));
    SetWindowPos(label, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(label, nullptr, TRUE);
}

// Each of these calls the window server under Wine even when nothing changes; a start lays the
// slots out twice, mostly where they already stand.
void OverlayWindow::MoveChild(HWND child, int left, int top) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&rect), 1);
    if (rect.left == left && rect.top == top) return;
    SetWindowPos(child, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A start sets the title again each time: unchanged text costs no measuring and no repaint.
void OverlayWindow::SetLabelCaption(int slot, const std::string& text) {
    Label& label = labels_[slot];
    std::wstring caption = FromGbk(text);
    if (caption == label.caption) return;
    label.caption = std::move(caption);
    SetWindowTextW(label.hwnd, label.caption.c_str());
    FitLabelToText(slot);
}

// Read when the hint next shows.
void OverlayWindow::SetLabelHint(int slot, const std::string& text) {
    labels_[slot].hint = FromGbk(text);
}

void OverlayWindow::SetLabelColor(int slot, std::int32_t color) {
    if (color == labels_[slot].color) return;
    labels_[slot].color = color;
    InvalidateRect(labels_[slot].hwnd, nullptr, TRUE);
}

void OverlayWindow::SetPanelCaption(int slot, const std::string& text) {
    HWND panel = panels_[slot]->Handle();
    const std::wstring caption = FromGbk(text);
    if (caption == WindowText(panel)) return;
    SetWindowTextW(panel, caption.c_str());
}

void OverlayWindow::SetPanelColor(int slot, std::int32_t color) {
    panels_[slot]->SetColor(ResolveColor(color));
}

void OverlayWindow::SetSlotVisible(int slot, bool visible) {
    const int show = visible ? SW_SHOWNA : SW_HIDE;
    for (HWND child : {labels_[slot].hwnd, panels_[slot]->Handle()}) {
        if (((GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) != 0) != visible)
            ShowWindow(child, show);
    }
}

void OverlayWindow::SetLabelPosition(int slot, int left, int top) {
    MoveChild(labels_[slot].hwnd, left, top);
}

void OverlayWindow::SetPanelPosition(int slot, int left, int top) {
    MoveChild(panels_[slot]->Handle(), left, top);
}

void OverlayWindow::SetWindowWidth(int width) {
    RECT rect;
    GetWindowRect(hwnd_, &rect);
    if (rect.right - rect.left == width) return;
    SetWindowPos(hwnd_, nullptr, 0, 0, width, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OverlayWindow::SetWindowHeight(int height) {
    RECT rect;
    GetWindowRect(hwnd_, &rect);
    if (rect.bottom - rect.top == height) return;
    SetWindowPos(hwnd_, nullptr, 0, 0, rect.right - rect.left, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OverlayWindow::ScaleToWindowDpi() {
    HFONT old = slotFont_;
    slotFont_ = CreateProgramFont(ScaleToDpi(-12, dpi_), FW_BOLD, false);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        panels_[slot]->Rescale(slotFont_, dpi_);
        SendMessageW(labels_[slot].hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(slotFont_), FALSE);
        FitLabelToText(slot);
    }
    DeleteObject(old);
    // The behaviour knows the last layout; it is bound before the window shows.
    if (frm_ != nullptr) frm_->ScaleChanged();
}

// Borderless: the window is all client area.
WindowSize OverlayWindow::SizeAt(int dpi) const {
    return frm_ != nullptr ? frm_->ClientSizeAt(dpi) : BuiltInClientSize(dpi);
}

void OverlayWindow::MoveToScale(int dpi, const ScreenRect& suggested) {
    // Sized and placed in one move before the layout: resizing where the window stood could
    // put most of it back on the monitor it came from.
    MoveForNewScale(hwnd_, suggested, SizeAt(dpi));
    if (dpi == dpi_) return;
    dpi_ = dpi;
    ScaleToWindowDpi();
}

void OverlayWindow::SetTopMost(bool topMost) {
    SetWindowPos(hwnd_, topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, kZOrderOnly);
}

void OverlayWindow::EnableTicker(int slot, bool enabled) {
    // Enabling a running ticker must not restart its interval.
    if (tickerOn_[slot] == enabled) return;
    tickerOn_[slot] = enabled;
    if (enabled) {
        SetTimer(hwnd_, overlay_timers::Ticker(slot), kTickIntervalMs, nullptr);
    } else {
        KillTimer(hwnd_, overlay_timers::Ticker(slot));
    }
}

// Every layout unregisters all slots' ids first, most of them never asked for.
void OverlayWindow::Unregister(int id) {
    if (registeredIds_.erase(id) == 0) return;
    UnregisterHotKey(hwnd_, id);
}

bool OverlayWindow::Register(int id, HotKeyChord chord) {
    if (RegisterHotKey(hwnd_, id, chord.modifiers, chord.key) == FALSE) return false;
    registeredIds_.insert(id);
    return true;
}

void OverlayWindow::OnPanelMouseDown(int slot, MouseButton) {
    // The window follows the mouse that the panel holds until the release, whatever the
    // button. The system's caption-bar move loop is not used: it may make the overlay the
    // active window, taking the keyboard from the game, and it ends only on a left release,
    // which would swallow the right release that opens the menu.
    HWND panel = panels_[slot]->Handle();
    SetCapture(panel);
    dragCursor_ = MessageCursorPos();
    RECT rect;
    GetWindowRect(hwnd_, &rect);
    dragWindow_ = {rect.left, rect.top};
}

void OverlayWindow::OnPanelMouseMove(int slot) {
    if (GetCapture() != panels_[slot]->Handle()) return;
    const POINT cursor = MessageCursorPos();
    SetWindowPos(hwnd_, nullptr, dragWindow_.x + cursor.x - dragCursor_.x,
                 dragWindow_.y + cursor.y - dragCursor_.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OverlayWindow::OnPanelMouseUp(int slot, MouseButton button) {
    if (GetCapture() == panels_[slot]->Handle()) ReleaseCapture();
    if (button == MouseButton::Right) PopUpMenu();
}

void OverlayWindow::PopUpMenu() {
    POINT cursor;
    GetCursorPos(&cursor);
    HWND previous = GetForegroundWindow();
    // Only while its window is in front does the menu have the keyboard (its letters, Esc)
    // and close on a click elsewhere.
    SetForegroundWindow(hwnd_);
    const auto command = static_cast<UINT>(
        TrackPopupMenu(menu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                       cursor.x, cursor.y, 0, hwnd_, nullptr));
    // The settings dialog is an ordinary window that takes the keyboard. Otherwise the window
    // that had it gets it back, unless a click elsewhere has given it to another already.
    if (command != ids::kMenuSettings && previous != nullptr && previous != hwnd_ &&
        GetForegroundWindow() == hwnd_) {
        SetForegroundWindow(previous);
    }
    // Carried out as a menu command always was, once this mouse message is done.
    if (command != 0) PostMessageW(hwnd_, WM_COMMAND, command, 0);
}

void OverlayWindow::KeepWithinReach() {
    std::vector<HWND> visible;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        HWND panel = panels_[slot]->Handle();
        if ((GetWindowLongW(panel, GWL_STYLE) & WS_VISIBLE) != 0) visible.push_back(panel);
    }
    BringWithinReach(hwnd_, visible);
}

void OverlayWindow::BringIntoView() {
    KeepWithinReach();
    if (flashStepsLeft_ == 0)
        topMostBeforeFlash_ = (GetWindowLongW(hwnd_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    // Above every other topmost window while it flashes; one the player keeps below them
    // goes back to the top of the ordinary windows afterwards.
    SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, kZOrderOnly);
    flashStepsLeft_ = kFlashSteps;
    SetTimer(hwnd_, kFlashTimerId, kFlashStepMs, nullptr);
    FlashStep();
}

void OverlayWindow::FlashStep() {
    --flashStepsLeft_;
    for (int slot = 1; slot <= kSlotCount; ++slot)
        panels_[slot]->SetHighlighted(flashStepsLeft_ % 2 == 1);
    if (flashStepsLeft_ > 0) return;
    KillTimer(hwnd_, kFlashTimerId);
    if (!topMostBeforeFlash_) SetWindowPos(hwnd_, HWND_NOTOPMOST, 0, 0, 0, 0, kZOrderOnly);
}

void OverlayWindow::OnPanelDoubleClick(int slot) {
    if (frm_ == nullptr) return;
    reporter_.Run([&] { frm_->pnl1DblClick(slot); });
}

LRESULT OverlayWindow::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_TIMER:
            if (hints_.OnTimer(wParam)) return 0;
            if (wParam == kFlashTimerId) {
                if (flashStepsLeft_ > 0) FlashStep();
                return 0;
            }
            if (wParam == kHeldHotKeyTimerId) {
                const auto isDown = [](unsigned key) {
                    return GetAsyncKeyState(static_cast<int>(key)) < 0;
                };
                if (frm_ == nullptr || !frm_->CheckHeldHotKeys(isDown)) {
                    KillTimer(hwnd_, kHeldHotKeyTimerId);
                    heldHotKeyTimerOn_ = false;
                }
                return 0;
            }
            if (frm_ != nullptr) reporter_.Run([&] { frm_->tmrTimer(static_cast<int>(wParam)); });
            return 0;
        case WM_HOTKEY:
            if (frm_ == nullptr) return 0;
            reporter_.Run([&] { frm_->WMHotKey(wParam); });
            if (frm_->HotKeyHeld() && !heldHotKeyTimerOn_) {
                heldHotKeyTimerOn_ =
                    SetTimer(hwnd_, kHeldHotKeyTimerId, kHeldHotKeyCheckMs, nullptr) != 0;
            }
            return 0;
        case WM_GETDPISCALEDSIZE: {
            // The layout does not scale as a whole (each pitch is rounded on its own): the
            // system's suggestion for the next WM_DPICHANGED is to have the layout's size.
            return AnswerScaledSize(lParam, SizeAt(LOWORD(wParam)));
        }
        case WM_DPICHANGED: {
            const ScreenRect suggested = ToScreenRect(*reinterpret_cast<const RECT*>(lParam));
            scale_.Changed(LOWORD(wParam), [&](int dpi, bool toSuggestion) {
                MoveToScale(dpi, toSuggestion ? suggested : WindowRectOf(hwnd_));
            });
            return 0;
        }
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case kBringIntoViewMessage:
            BringIntoView();
            return 0;
        case WM_DISPLAYCHANGE:
            KeepWithinReach();
            break;
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETWORKAREA) KeepWithinReach();
            break;
        case WM_SETCURSOR:
            // A child under the mouse asks its parent first: the overlay is being hovered.
            hints_.OnSetCursor(reinterpret_cast<HWND>(wParam), HIWORD(lParam));
            break;
        case WM_MOUSELEAVE:
            hints_.OnToolLeft(reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            const auto control = reinterpret_cast<HWND>(lParam);
            const int slot = GetDlgCtrlID(control) - ids::Label(0);
            if (slot >= 1 && slot <= kSlotCount)
                SetTextColor(dc, ResolveColor(labels_[slot].color));
            SetBkColor(dc, kColorTransparentKey);
            return reinterpret_cast<LRESULT>(backgroundBrush_);
        }
        case WM_SYSCOLORCHANGE:
            // Titles in a system colour take the desktop's new one.
            for (int slot = 1; slot <= kSlotCount; ++slot) {
                InvalidateRect(labels_[slot].hwnd, nullptr, TRUE);
            }
            break;
        case WM_COMMAND:
            if (commands_ == nullptr || HIWORD(wParam) != 0 || lParam != 0) break;
            switch (LOWORD(wParam)) {
                case ids::kMenuSettings:
                    reporter_.Run([&] { commands_->OpenSettings(); });
                    return 0;
                case ids::kMenuUsage:
                    reporter_.Run([&] { commands_->OpenUsage(); });
                    return 0;
                case ids::kMenuExit:
                    commands_->Exit();
                    return 0;
                default:
                    break;
            }
            break;
        case WM_CLOSE:
            // Another program closing the overlay must not take an open dialog's changes with
            // it: the program goes on, and the dialog stores them when it closes.
            if (commands_ != nullptr && commands_->SettingsOpen()) return 0;
            break;
        case WM_QUERYENDSESSION:
            return TRUE;  // the program never holds up the end of the session
        case WM_ENDSESSION:
            if (commands_ != nullptr) commands_->EndSession(wParam != FALSE);
            return 0;
        case WM_DESTROY:
            if (commands_ != nullptr) commands_->FormDestroy();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace tallyvox
