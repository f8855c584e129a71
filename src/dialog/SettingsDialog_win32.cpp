// The settings dialog window: its controls on the two pages, its scale, and the routing of the
// user's changes to TfrmSets' handlers. The controls come from the control table
// (SetsControls.h); the tabbed window and its modal loop from platform/TabbedDialog_win32.
#include "dialog/SettingsDialog_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>

#include "app/TfrmMain.h"
#include "dialog/ColorListBox_win32.h"
#include "dialog/DialogControls_win32.h"
#include "dialog/DialogIds.h"
#include "dialog/KeyBoxWarnings_win32.h"
#include "platform/Dpi_win32.h"
#include "platform/LazyLibrary_win32.h"
#include "platform/Window_win32.h"
#include "settings/SettingsSaver.h"
#include "text/Gbk_win32.h"
#include "ui/DisplayScale.h"
#include "ui/ErrorReporter.h"

namespace tallyvox {

namespace {

constexpr int kTabWidth = 100;
constexpr COLORREF kLinkColor = RGB(0, 0, 255);
constexpr const wchar_t* kPageClassName = L"TallyvoxSetsPage";
// A fixed single border with the close box only: no resizing, no minimise or maximise.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

bool IsLink(int id) {
    const SetsControl* control = FindSetsControl(id);
    return control != nullptr && control->kind == ControlKind::Link;
}

}  // namespace

SettingsDialog::SettingsDialog(HINSTANCE instance, HWND owner, int ownerDpi, TfrmMain& frm,
                               ErrorReporter& reporter, SettingsSaver& saver)
    : instance_(instance),
      owner_(owner),
      reporter_(reporter),
      saver_(saver),
      frm_(frm),
      sets_(frm, *this),
      window_(instance, *this, kClassName, kPageClassName, LoadIconW(instance, L"MAINICON")) {
    LoadCommonControls();

    // Made where it will show, over the overlay and at the overlay's own scale, so that showing
    // it changes neither its place nor its scale.
    dpi_ = ownerDpi;
    const ScreenRect place = PlaceOverOwner(sets_.OuterSize(ScaleAt(dpi_)));
    if (!window_.Create(kExStyle, kStyle, L"设置",
                        RECT{place.left, place.top, place.right, place.bottom}, owner)) {
        return;
    }
    if (const int dpi = DpiForOwnedWindow(ownerDpi, WindowDpi(owner), WindowDpi(Handle()));
        dpi != dpi_) {
        // The system put it on a monitor of another scale after all: sized for that one.
        dpi_ = dpi;
        MoveWindowTo(Handle(), PlaceOverOwner(sets_.OuterSize(Scale())));
    }
    scale_ = ScaleChanges(dpi_);
    font_ = CreateProgramFont(ScaleToDpi(-13, dpi_), FW_NORMAL, true);
    CreateControls();

    // The built-in contents are in place; from here on the stored settings replace them.
    RunHandler([&] { sets_.FormCreate(); });
}

SettingsDialog::~SettingsDialog() {
    // The window goes first: its controls use the font until then.
    window_.Destroy();
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
    window_.CreateTabs(ids::kTab, {L"设置", L"帮助"}, font_, ScaleToDpi(kTabWidth, dpi_));
    // Creation order is the keyboard order.
    for (const SetsControl& control : SetsControls()) {
        HWND hwnd = CreateSetsControl(instance_, window_.Page(control.page), control, font_, dpi_);
        if (control.id != 0) controls_[control.id] = hwnd;
        created_.emplace_back(&control, hwnd);
    }
    window_.PagesFilled();
    keyWarnings_.Create(instance_, Handle(), dpi_,
                        [this](int slot) { return Control(ids::Key(slot)); });
}

void SettingsDialog::ShowHotKeyProblems() {
    keyWarnings_.Show([&](int slot) { return frm_.HotKeyProblemOf(slot); },
                      [&](int slot) { return frm_.HotKeyMayMissElevatedGames(slot); });
}

void SettingsDialog::RescaleControls() {
    QuietScope quiet(quiet_);
    HFONT old = font_;
    font_ = CreateProgramFont(ScaleToDpi(-13, dpi_), FW_NORMAL, true);
    window_.SetFont(font_, ScaleToDpi(kTabWidth, dpi_));
    for (const auto& [control, hwnd] : created_) RescaleSetsControl(hwnd, *control, font_, dpi_);
    DeleteObject(old);
}

// --- showing -------------------------------------------------------------------------------------

void SettingsDialog::ShowModal() {
    if (Handle() == nullptr) return;
    saving_.Shown();
    MoveWindowTo(Handle(), PlaceOverOwner(SizeOf(WindowRectOf(Handle()))));
    window_.ShowPage(0);
    window_.RunModal(owner_);
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
    if (dpi != dpi_ && window_.Tab() != nullptr) {
        dpi_ = dpi;
        RescaleControls();
    }
    MoveForNewScale(Handle(), suggested, sets_.OuterSize(Scale()));
    // The tabs' height follows the font even where the window's size did not change.
    window_.LayOutPages();
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

LRESULT SettingsDialog::WindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_NCCREATE:
            EnableFrameScaling(hwnd);
            break;
        case WM_GETDPISCALEDSIZE: {
            // The frame does not scale with the client area: the suggestion is to fit both.
            return AnswerScaledSize(lParam, sets_.OuterSize(ScaleAt(LOWORD(wParam))));
        }
        case WM_DPICHANGED: {
            const ScreenRect suggested = ToScreenRect(*reinterpret_cast<const RECT*>(lParam));
            scale_.Changed(LOWORD(wParam), [&](int dpi, bool toSuggestion) {
                MoveToScale(dpi, toSuggestion ? suggested : WindowRectOf(Handle()));
            });
            return 0;
        }
        case WM_SYSCOLORCHANGE:
            // The colour list's swatches of system colours are drawn anew in the new colours.
            InvalidateRect(Control(ids::kTitleColor), nullptr, TRUE);
            break;
        case WM_COMMAND:
            // Esc (IDCANCEL) closes the dialog as its close box does; Enter (IDOK) does nothing,
            // as there is no button to press.
            if (LOWORD(wParam) == IDCANCEL) PostMessageW(hwnd, WM_CLOSE, 0, 0);
            return 0;
        case WM_CLOSE:
            // Only a shown dialog is ever closed; the hidden one never writes the file.
            if (saving_.Close()) {
                Store();
                window_.EndModal();
            }
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;  // the dialog never holds up the end of the session
        case WM_ENDSESSION:
            EndSession(wParam != FALSE);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT SettingsDialog::PageMessage(HWND page, UINT msg, WPARAM wParam, LPARAM lParam) {
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
