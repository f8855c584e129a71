// The settings dialog window: its two pages, the SetsView accessors over its controls, the
// modal loop, and the routing of the user's changes to TfrmSets' handlers. The controls come
// from the control table (SetsControls.h).
#include "dialog/SettingsDialog_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>

#include "app/ControlIds.h"
#include "app/DisplayScale.h"
#include "app/ErrorReporter.h"
#include "app/TfrmMain.h"
#include "dialog/ColorListBox_win32.h"
#include "dialog/DialogControls_win32.h"
#include "dialog/KeyBoxWarnings_win32.h"
#include "platform/Dpi_win32.h"
#include "platform/LazyLibrary_win32.h"
#include "platform/Window_win32.h"
#include "settings/SettingsSaver.h"
#include "text/Gbk_win32.h"

namespace tallyvox {

namespace {

constexpr int kTabWidth = 100;
constexpr COLORREF kLinkColor = RGB(0, 0, 255);
constexpr const wchar_t* kPageClassName = L"TallyvoxSetsPage";
// A fixed single border with the close box only: no resizing, no minimise or maximise.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

int FontHeight(HWND window, HFONT font) {
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return metrics.tmHeight;
}

bool IsLink(int id) {
    const SetsControl* control = FindSetsControl(id);
    return control != nullptr && control->kind == ControlKind::Link;
}

}  // namespace

SettingsDialog::SettingsDialog(HINSTANCE instance, HWND owner, TfrmMain& frm,
                               ErrorReporter& reporter, SettingsSaver& saver)
    : instance_(instance),
      owner_(owner),
      reporter_(reporter),
      saver_(saver),
      frm_(frm),
      sets_(frm, *this) {
    LoadCommonControls();
    WNDCLASSEXW wc = ProgramWindowClass(
        instance, kClassName, &WindowThunk<SettingsDialog, &SettingsDialog::HandleMessage>);
    wc.hIcon = LoadIconW(instance, L"MAINICON");
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    RegisterClassOnce(wc);
    WNDCLASSEXW page = wc;
    page.lpfnWndProc = &WindowThunk<SettingsDialog, &SettingsDialog::HandlePageMessage>;
    page.hIcon = nullptr;
    page.lpszClassName = kPageClassName;
    RegisterClassOnce(page);

    // Made where it will show, over the overlay and at the overlay's own scale, so that showing
    // it changes neither its place nor its scale.
    const int overlayDpi = frm.View().Dpi();
    dpi_ = overlayDpi;
    const ScreenRect place = PlaceOverOwner(sets_.OuterSize(ScaleAt(dpi_)));
    CreateWindowExW(kExStyle, kClassName, L"设置", kStyle, place.left, place.top,
                    place.right - place.left, place.bottom - place.top, owner, nullptr, instance,
                    this);
    if (hwnd_ == nullptr) return;
    if (const int dpi = DpiForOwnedWindow(overlayDpi, WindowDpi(owner), WindowDpi(hwnd_));
        dpi != dpi_) {
        // The system put it on a monitor of another scale after all: sized for that one.
        dpi_ = dpi;
        MoveWindowTo(hwnd_, PlaceOverOwner(sets_.OuterSize(Scale())));
    }
    scale_ = ScaleChanges(dpi_);
    font_ = CreateProgramFont(ScaleToDpi(-13, dpi_), FW_NORMAL, true);
    CreateControls();

    // The built-in contents are in place; from here on the stored settings replace them.
    RunHandler([&] { sets_.FormCreate(); });
}

SettingsDialog::~SettingsDialog() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
    if (font_ != nullptr) DeleteObject(font_);
}

template <typename Handler>
void SettingsDialog::RunHandler(Handler&& handler) {
    reporter_.Run(std::forward<Handler>(handler));
    // A key box's change, a count or a layout may each have registered hotkeys.
    ShowHotKeyProblems();
}

// --- creation ------------------------------------------------------------------------------------

void SettingsDialog::CreateControls() {
    QuietScope quiet(quiet_);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    tab_ = CreateWindowExW(0, WC_TABCONTROLW, L"",
                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | TCS_FIXEDWIDTH, 0,
                           0, 0, 0, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids::kTab)),
                           instance_, nullptr);
    SendMessageW(tab_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    const wchar_t* captions[] = {L"设置", L"帮助"};
    for (int index = 0; index < 2; ++index) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(captions[index]);
        SendMessageW(tab_, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item));
    }
    RECT itemRect{};
    SendMessageW(tab_, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&itemRect));
    SendMessageW(tab_, TCM_SETITEMSIZE, 0,
                 MAKELPARAM(ScaleToDpi(kTabWidth, dpi_), itemRect.bottom - itemRect.top));
    tabPadding_ = itemRect.bottom - itemRect.top - FontHeight(tab_, font_);

    // The pages are the dialog's children lying over the tab's display area, so each control's
    // notifications reach a window of ours; WS_EX_CONTROLPARENT lets Tab walk into them.
    for (HWND& page : pages_) {
        page = CreateWindowExW(WS_EX_CONTROLPARENT, kPageClassName, L"", WS_CHILD | WS_CLIPSIBLINGS,
                               0, 0, 0, 0, hwnd_, nullptr, instance_, this);
    }
    // Creation order is the keyboard order.
    for (const SetsControl& control : SetsControls()) {
        HWND hwnd = CreateSetsControl(instance_, pages_[static_cast<std::size_t>(control.page)],
                                      control, font_, dpi_);
        if (control.id != 0) controls_[control.id] = hwnd;
        created_.emplace_back(&control, hwnd);
    }
    // The tab control lies under its pages; being last in the z-order also makes it last in
    // the keyboard order, from where Tab wraps round to the first page's controls.
    SetWindowPos(tab_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    LayOutPages();
    ShowPage(0);
    keyWarnings_.Create(instance_, hwnd_, dpi_,
                        [this](int slot) { return Control(ids::Key(slot)); });
}

void SettingsDialog::ShowHotKeyProblems() {
    keyWarnings_.Show([&](int slot) { return frm_.HotKeyProblemOf(slot); });
}

void SettingsDialog::LayOutPages() {
    RECT client;
    GetClientRect(hwnd_, &client);
    SetWindowPos(tab_, nullptr, 0, 0, client.right, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT display = client;
    SendMessageW(tab_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    for (HWND page : pages_) {
        SetWindowPos(page, nullptr, display.left, display.top, display.right - display.left,
                     std::max(0L, display.bottom - display.top), SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void SettingsDialog::RescaleControls() {
    QuietScope quiet(quiet_);
    HFONT old = font_;
    font_ = CreateProgramFont(ScaleToDpi(-13, dpi_), FW_NORMAL, true);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SendMessageW(tab_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    // A set tab size stays: the height is the new font's with the padding it had before.
    SendMessageW(tab_, TCM_SETITEMSIZE, 0,
                 MAKELPARAM(ScaleToDpi(kTabWidth, dpi_), FontHeight(tab_, font_) + tabPadding_));
    for (const auto& [control, hwnd] : created_) RescaleSetsControl(hwnd, *control, font_, dpi_);
    DeleteObject(old);
}

void SettingsDialog::ShowPage(int index) {
    SendMessageW(tab_, TCM_SETCURSEL, index, 0);
    HWND focus = GetFocus();
    for (int i = 0; i < 2; ++i) {
        if (i != index && focus != nullptr && IsChild(pages_[i], focus)) SetFocus(tab_);
        ShowWindow(pages_[i], i == index ? SW_SHOW : SW_HIDE);
    }
}

// --- showing -------------------------------------------------------------------------------------

void SettingsDialog::ShowModal() {
    if (hwnd_ == nullptr) return;
    saving_.Shown();
    closed_ = false;
    MoveWindowTo(hwnd_, PlaceOverOwner(SizeOf(WindowRectOf(hwnd_))));
    ShowPage(0);
    // The overlay takes no input meanwhile; its tickers and hotkeys run on in this loop.
    EnableWindow(owner_, FALSE);
    // Over a topmost overlay the dialog joins the topmost band, or the overlay may cover it.
    if ((GetWindowLongW(owner_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) {
        SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    SetFocus(tab_);
    MSG msg;
    while (!closed_ && hwnd_ != nullptr) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // The application is quitting: leave that to the outer loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0) break;
        // Ctrl+Tab turns the page, as a tab control's users expect.
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB &&
            (GetKeyState(VK_CONTROL) & 0x8000) != 0 && hwnd_ != nullptr &&
            (msg.hwnd == hwnd_ || IsChild(hwnd_, msg.hwnd))) {
            const auto current = static_cast<int>(SendMessageW(tab_, TCM_GETCURSEL, 0, 0));
            ShowPage(current == 0 ? 1 : 0);
            continue;
        }
        if (hwnd_ != nullptr && IsDialogMessageW(hwnd_, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    // Enabled again before the dialog hides, so that activation goes back to the overlay.
    EnableWindow(owner_, TRUE);
    if (hwnd_ != nullptr) ShowWindow(hwnd_, SW_HIDE);
    if (IsWindow(owner_)) SetActiveWindow(owner_);
    saving_.Hidden();
}

void SettingsDialog::EndSession(bool ending) {
    if (ending) saver_.SessionEnds();
    if (saving_.SessionEnd(ending)) Store();
}

void SettingsDialog::Store() {
    RunHandler([&] { sets_.FormClose(saver_); });
}

DialogScale SettingsDialog::Scale() const {
    return ScaleAt(dpi_);
}

DialogScale SettingsDialog::ScaleAt(int dpi) {
    const SIZE frame = FrameSizeAt(kStyle, kExStyle, dpi);
    return {dpi, FrameSizeAt(kStyle, kExStyle, kDesignDpi).cy, frame.cy, frame.cx};
}

ScreenRect SettingsDialog::PlaceOverOwner(WindowSize size) const {
    return CentreOverInWorkArea(WindowRectOf(owner_), size, WorkAreaOf(owner_));
}

void SettingsDialog::MoveToScale(int dpi, const ScreenRect& suggested) {
    if (dpi != dpi_ && tab_ != nullptr) {
        dpi_ = dpi;
        RescaleControls();
    }
    MoveForNewScale(hwnd_, suggested, sets_.OuterSize(Scale()));
    // The tabs' height follows the font even where the window's size did not change.
    if (tab_ != nullptr) LayOutPages();
}

// --- messages ------------------------------------------------------------------------------------

void SettingsDialog::OnCommand(int id, int code, HWND hwnd) {
    if (quiet_ > 0) return;
    const SetsControl* control = FindSetsControl(id);
    if (control == nullptr || control->handler == nullptr || !IsChange(control->kind, code)) return;
    auto run = [&] { control->handler(sets_, control->slot); };
    if (control->kind != ControlKind::TypingCombo || code != CBN_SELCHANGE) {
        RunHandler(run);
        return;
    }
    // A combo box's chosen item becomes its text only after CBN_SELCHANGE; until then the
    // handler reads the item's text.
    const auto index = static_cast<int>(SendMessageW(hwnd, CB_GETCURSEL, 0, 0));
    if (index < 0) return;
    choosing_ = Choosing{hwnd, ComboItemText(hwnd, index)};
    RunHandler(run);
    choosing_ = Choosing{};
}

LRESULT SettingsDialog::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_NCCREATE:
            hwnd_ = hwnd;
            EnableFrameScaling(hwnd);
            break;
        case WM_SIZE:
            if (tab_ != nullptr) LayOutPages();
            return 0;
        case WM_GETDPISCALEDSIZE: {
            // The frame does not scale with the client area: the suggestion is to fit both.
            return AnswerScaledSize(lParam, sets_.OuterSize(ScaleAt(LOWORD(wParam))));
        }
        case WM_DPICHANGED: {
            const ScreenRect suggested = ToScreenRect(*reinterpret_cast<const RECT*>(lParam));
            scale_.Changed(LOWORD(wParam), [&](int dpi, bool toSuggestion) {
                MoveToScale(dpi, toSuggestion ? suggested : WindowRectOf(hwnd_));
            });
            return 0;
        }
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->hwndFrom == tab_ && header->code == TCN_SELCHANGE) {
                ShowPage(static_cast<int>(SendMessageW(tab_, TCM_GETCURSEL, 0, 0)));
                return 0;
            }
            break;
        }
        case WM_ACTIVATE:
            // Give the keyboard back to the control that had it, e.g. after an error box.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus != nullptr && IsChild(hwnd_, focus)) focusBeforeDeactivation_ = focus;
            } else if (focusBeforeDeactivation_ != nullptr &&
                       IsWindowVisible(focusBeforeDeactivation_)) {
                SetFocus(focusBeforeDeactivation_);
                return 0;
            }
            break;
        case WM_SYSCOLORCHANGE:
            // The colour list's swatches of system colours are drawn anew in the new colours.
            InvalidateRect(Control(ids::kTitleColor), nullptr, TRUE);
            break;
        case WM_COMMAND:
            // IDOK / IDCANCEL from Enter and Escape: the dialog has no such buttons.
            return 0;
        case WM_CLOSE:
            // Only a shown dialog is ever closed; the hidden one never writes the file.
            if (saving_.Close()) {
                Store();
                closed_ = true;
            }
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;  // the dialog never holds up the end of the session
        case WM_ENDSESSION:
            EndSession(wParam != FALSE);
            return 0;
        case WM_NCDESTROY:
            hwnd_ = nullptr;
            closed_ = true;
            break;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT SettingsDialog::HandlePageMessage(HWND page, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            if (lParam != 0) {
                OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
                return 0;
            }
            break;
        case WM_CTLCOLOREDIT: {
            // A combo box passes on its edit box's request; the key boxes' red is decided here.
            const LRESULT brush = DefWindowProcW(page, msg, wParam, lParam);
            keyWarnings_.Colour(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
            return brush;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
            SetTextColor(dc, IsLink(id) ? kLinkColor : GetSysColor(COLOR_BTNTEXT));
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_MEASUREITEM: {
            auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (item->CtlType == ODT_COMBOBOX) {
                item->itemHeight = static_cast<UINT>(ScaleToDpi(kColorItemHeight, dpi_));
                return TRUE;
            }
            break;
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item->CtlType == ODT_COMBOBOX && item->CtlID == ids::kTitleColor) {
                DrawColorItem(*item, font_);
                return TRUE;
            }
            break;
        }
        case WM_SETCURSOR:
            if (IsLink(GetDlgCtrlID(reinterpret_cast<HWND>(wParam)))) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        default:
            break;
    }
    return DefWindowProcW(page, msg, wParam, lParam);
}

}  // namespace tallyvox
