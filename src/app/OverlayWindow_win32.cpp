// The overlay window: creation of its controls, the OverlayView setters and message routing.
#include "app/OverlayWindow_win32.h"

#include <commctrl.h>

#include <string>

#include "app/Colors.h"
#include "app/ErrorReporter.h"
#include "app/LazyLibrary_win32.h"
#include "app/SlotLayout.h"
#include "app/SystemColor_win32.h"
#include "app/TfrmMain.h"
#include "app/TitleLabel_win32.h"
#include "text/Gbk_win32.h"
#include "timers/TimerSlot.h"

namespace tallyvox {

namespace {

constexpr int kLabelIdBase = 100;  // lbl1..lbl8: 101..108
constexpr int kPanelIdBase = 200;  // pnl1..pnl8: 201..208
constexpr UINT kMenuSettings = 801;
constexpr UINT kMenuUsage = 802;
constexpr UINT kMenuExit = 803;
constexpr int kClientWidth = 176;
constexpr int kClientHeight = 113;
constexpr WPARAM kScDragMove = 0xF012;  // SC_MOVE + HTCAPTION: move as if by the caption bar
constexpr UINT kZOrderOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

const wchar_t kPanelHint[] = L"按住鼠标可拖动窗口，双击开始或停止计时，右键打开菜单。";

// Without anti-aliasing: smoothed edges over the colour-key green would leave green fringes.
HFONT CreateSlotFont() {
    return CreateFontW(-12, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, GB2312_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, L"宋体");
}

// Where the cursor was when the message being handled was posted: a late-handled press still
// anchors a drag where it happened.
POINT MessageCursorPos() {
    const DWORD pos = GetMessagePos();
    return {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
}

// The size of text in the font selected into dc.
SIZE TextExtent(HDC dc, const std::wstring& text) {
    SIZE size{0, 0};
    if (!text.empty())
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

OverlayWindow::OverlayWindow(HINSTANCE instance, ErrorReporter& reporter)
    : instance_(instance), reporter_(reporter) {
    backgroundBrush_ = CreateSolidBrush(kColorTransparentKey);
    slotFont_ = CreateSlotFont();

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &OverlayWindow::WndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, L"MAINICON");
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = backgroundBrush_;
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);

    CreateWindowExW(0, kClassName, L"Tallyvox", WS_POPUP | WS_CLIPCHILDREN, 0, 0, kClientWidth,
                    kClientHeight, nullptr, nullptr, instance, this);
    // The colour key makes the green background invisible and lets clicks through it.
    const LONG exStyle = GetWindowLongW(hwnd_, GWL_EXSTYLE);
    SetWindowLongW(hwnd_, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    SetLayeredWindowAttributes(hwnd_, kColorTransparentKey, 0, LWA_COLORKEY);
    SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, kZOrderOnly);

    CreateSlots();
    CreateMenu();
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
    const COLORREF windowText = GetSysColor(COLOR_WINDOWTEXT);
    // Each label is made at its text's size and each panel at its place: a window server call
    // less for each under Wine.
    HDC dc = GetDC(hwnd_);
    HGDIOBJ oldFont = SelectObject(dc, slotFont_);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const SlotPlace place = BuiltInPlaceOf(slot);
        Label& label = labels_[slot];
        label.color = windowText;
        label.caption = L"标题" + std::to_wstring(slot);
        // The label owns its mouse input (for its tooltip) and acts on none.
        const SIZE size = TextExtent(dc, label.caption);
        label.hwnd = CreateWindowExW(
            0, kTitleLabelClassName, label.caption.c_str(), WS_CHILD | WS_VISIBLE, place.labelLeft,
            place.labelTop, size.cx, size.cy, hwnd_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kLabelIdBase + slot)), instance_, nullptr);
        SendMessageW(label.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(slotFont_), FALSE);

        panels_[slot] =
            std::make_unique<CountPanel>(hwnd_, slot, kPanelIdBase + slot,
                                         POINT{place.panelLeft, place.panelTop}, slotFont_, *this);
    }
    SelectObject(dc, oldFont);
    ReleaseDC(hwnd_, dc);
}

// The tooltips come with the first hover over the overlay, so a start loads no common controls.
void OverlayWindow::CreateTooltips() {
    if (tooltip_ != nullptr || !LoadCommonControls()) return;
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                               nullptr, instance_, nullptr);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        for (HWND tool : {labels_[slot].hwnd, panels_[slot]->Handle()}) {
            TOOLINFOW info{};
            info.cbSize = sizeof(info);
            info.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
            info.hwnd = hwnd_;
            info.uId = reinterpret_cast<UINT_PTR>(tool);
            info.lpszText = const_cast<wchar_t*>(L"");
            SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
        }
        SetTooltipText(panels_[slot]->Handle(), kPanelHint);
        SetTooltipText(labels_[slot].hwnd, labels_[slot].hint);
    }
    hints_.Attach(hwnd_, tooltip_);
}

void OverlayWindow::CreateMenu() {
    menu_ = CreatePopupMenu();
    AppendMenuW(menu_, MF_STRING, kMenuSettings, L"设置(&S)");
    AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu_, MF_STRING, kMenuUsage, L"使用说明(&U)");
    AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu_, MF_STRING, kMenuExit, L"退出(&X)");
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
    const std::wstring text = WindowText(label);
    HDC dc = GetDC(label);
    HGDIOBJ old = SelectObject(dc, slotFont_);
    const SIZE size = TextExtent(dc, text);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    SetWindowPos(label, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(label, nullptr, TRUE);
}

void OverlayWindow::SetTooltipText(HWND tool, const std::wstring& text) {
    if (tooltip_ == nullptr) return;
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = hwnd_;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
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

void OverlayWindow::SetLabelHint(int slot, const std::string& text) {
    Label& label = labels_[slot];
    std::wstring hint = FromGbk(text);
    if (hint == label.hint) return;
    label.hint = std::move(hint);
    SetTooltipText(label.hwnd, label.hint);
}

void OverlayWindow::SetLabelColor(int slot, std::int32_t color) {
    const COLORREF resolved = ResolveColor(color);
    if (resolved == labels_[slot].color) return;
    labels_[slot].color = resolved;
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

void OverlayWindow::SetTopMost(bool topMost) {
    SetWindowPos(hwnd_, topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, kZOrderOnly);
}

void OverlayWindow::EnableTicker(int slot, bool enabled) {
    // Enabling a running ticker must not restart its interval.
    if (tickerOn_[slot] == enabled) return;
    tickerOn_[slot] = enabled;
    if (enabled) {
        SetTimer(hwnd_, static_cast<UINT_PTR>(slot), kTickIntervalMs, nullptr);
    } else {
        KillTimer(hwnd_, static_cast<UINT_PTR>(slot));
    }
}

// Every layout unregisters all slots' ids first, most of them never asked for.
void OverlayWindow::Unregister(int id) {
    if (registeredIds_.erase(id) == 0) return;
    UnregisterHotKey(hwnd_, id);
}

void OverlayWindow::Register(int id, unsigned virtualKey) {
    RegisterHotKey(hwnd_, id, 0, virtualKey);
    registeredIds_.insert(id);
}

void OverlayWindow::OnPanelMouseDown(int slot, MouseButton button) {
    if (button == MouseButton::Left) {
        // The system moves the window as if dragged by a caption bar, until the release.
        ReleaseCapture();
        SendMessageW(hwnd_, WM_SYSCOMMAND, kScDragMove, 0);
        return;
    }
    // The system's move loop ends only on a left release, which would swallow the right
    // release that opens the menu; other buttons drag by capturing the mouse instead.
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
    if (button != MouseButton::Right) return;
    POINT cursor;
    GetCursorPos(&cursor);
    // Without being foreground, a click elsewhere would not close the menu.
    SetForegroundWindow(hwnd_);
    TrackPopupMenu(menu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0,
                   hwnd_, nullptr);
}

void OverlayWindow::OnPanelDoubleClick(int slot) {
    if (frm_ == nullptr) return;
    reporter_.Run([&] { frm_->pnl1DblClick("pnl" + std::to_string(slot)); });
}

LRESULT CALLBACK OverlayWindow::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self =
            static_cast<OverlayWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<OverlayWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
    return self->HandleMessage(msg, wParam, lParam);
}

LRESULT OverlayWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_TIMER:
            if (hints_.OnTimer(wParam)) return 0;
            if (frm_ != nullptr) reporter_.Run([&] { frm_->tmrTimer(static_cast<int>(wParam)); });
            return 0;
        case WM_HOTKEY:
            if (frm_ != nullptr) reporter_.Run([&] { frm_->WMHotKey(wParam); });
            return 0;
        case WM_SETCURSOR:
            // A child under the mouse asks its parent first: the overlay is being hovered.
            CreateTooltips();
            hints_.OnSetCursor(reinterpret_cast<HWND>(wParam), HIWORD(lParam));
            break;
        case WM_MOUSELEAVE:
            hints_.OnToolLeft(reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            const auto control = reinterpret_cast<HWND>(lParam);
            const int slot = GetDlgCtrlID(control) - kLabelIdBase;
            if (slot >= 1 && slot <= kSlotCount) SetTextColor(dc, labels_[slot].color);
            SetBkColor(dc, kColorTransparentKey);
            return reinterpret_cast<LRESULT>(backgroundBrush_);
        }
        case WM_COMMAND:
            if (commands_ == nullptr || HIWORD(wParam) != 0 || lParam != 0) break;
            switch (LOWORD(wParam)) {
                case kMenuSettings:
                    reporter_.Run([&] { commands_->OpenSettings(); });
                    return 0;
                case kMenuUsage:
                    reporter_.Run([&] { commands_->OpenUsage(); });
                    return 0;
                case kMenuExit:
                    commands_->Exit();
                    return 0;
                default:
                    break;
            }
            break;
        case WM_DESTROY:
            if (commands_ != nullptr) commands_->FormDestroy();
            return 0;
        case WM_NCDESTROY: {
            HWND hwnd = hwnd_;
            hwnd_ = nullptr;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        }
        default:
            break;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

}  // namespace tallyvox
