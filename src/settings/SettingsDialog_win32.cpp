// The settings dialog window: creation of its pages and controls, the SetsView accessors and
// the routing of the user's changes to TfrmSets' handlers.
#include "settings/SettingsDialog_win32.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <string>
#include <utility>

#include "app/ErrorReporter.h"
#include "app/SystemColor_win32.h"
#include "app/TfrmMain.h"
#include "settings/ColorList.h"
#include "settings/IniFile.h"
#include "settings/Links.h"
#include "settings/SettingsStore_win32.h"
#include "text/Gbk_win32.h"
#include "timers/TimerSlot.h"

namespace tallyvox {

namespace {

// Control IDs: part of the program's automation interface, see DESIGN.md.
constexpr int kIdTab = 700;
constexpr int kIdTimer = 701;
constexpr int kIdCircle = 702;
constexpr int kIdSec = 703;
constexpr int kIdLastSec = 704;
constexpr int kIdTitleColor = 705;
constexpr int kIdSortType = 706;
constexpr int kIdTop = 707;
constexpr int kIdLbl17 = 717;
constexpr int kIdLbl18 = 718;
constexpr int kIdHomePage = 719;
constexpr int kIdDownload = 720;
constexpr int kGroupIdBase = 300;  // grp1..grp8: 301..308
constexpr int kTitleIdBase = 400;  // edtTitle1..8: 401..408
constexpr int kKeyIdBase = 500;    // cbbKey1..8: 501..508
constexpr int kTimeIdBase = 600;   // edtTime1..8: 601..608

constexpr int kClientWidth = 304;
constexpr int kClientHeight = 528;
constexpr int kTabWidth = 100;
constexpr int kColorItemHeight = 16;
// A drop-down list without a stated size opens with this many rows.
constexpr int kDefaultOpenRows = 8;
constexpr COLORREF kLinkColor = RGB(0, 0, 255);
constexpr const wchar_t* kPageClassName = L"TallyvoxSetsPage";

constexpr std::array<const wchar_t*, 8> kBuiltInSeconds = {L"60", L"50", L"40", L"30",
                                                           L"60", L"50", L"40", L"30"};

HMENU IdAsMenu(int id) {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

std::wstring WindowTextOf(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ComboItemText(HWND combo, int index) {
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == CB_ERR ? 0 : static_cast<std::size_t>(copied));
    return text;
}

void AddComboItem(HWND combo, const std::wstring& text) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool IsDropDownList(HWND combo) {
    return (GetWindowLongW(combo, GWL_STYLE) & 0x3) == CBS_DROPDOWNLIST;
}

// Item data holds the colour's 32 bits as stored, system colours included.
LPARAM ColorAsItemData(std::int32_t value) {
    return static_cast<LPARAM>(static_cast<std::uint32_t>(value));
}

std::int32_t ColorOfItemData(LRESULT data) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(data));
}

}  // namespace

// While alive, the program's own changes to controls are not taken for the user's.
class QuietScope {
  public:
    explicit QuietScope(int& depth) : depth_(depth) { ++depth_; }
    ~QuietScope() { --depth_; }
    QuietScope(const QuietScope&) = delete;
    QuietScope& operator=(const QuietScope&) = delete;

  private:
    int& depth_;
};

SettingsDialog::SettingsDialog(HINSTANCE instance, HWND owner, TfrmMain& frm,
                               ErrorReporter& reporter, std::string settingsPath)
    : instance_(instance),
      owner_(owner),
      reporter_(reporter),
      settingsPath_(std::move(settingsPath)),
      sets_(frm, *this) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &SettingsDialog::WndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, L"MAINICON");
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);

    WNDCLASSEXW page{};
    page.cbSize = sizeof(page);
    page.lpfnWndProc = &SettingsDialog::PageProc;
    page.hInstance = instance;
    page.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    page.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    page.lpszClassName = kPageClassName;
    RegisterClassExW(&page);

    font_ = CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, L"宋体");

    // A fixed single border with the close box only: no resizing, no minimise or maximise.
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_CONTROLPARENT;
    RECT outer{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    CreateWindowExW(exStyle, kClassName, L"设置", style, 0, 0, outer.right - outer.left,
                    outer.bottom - outer.top, owner, nullptr, instance, this);
    if (hwnd_ == nullptr) return;
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
}

// --- creation ------------------------------------------------------------------------------------

void SettingsDialog::CreateControls() {
    QuietScope quiet(quiet_);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    tab_ =
        CreateWindowExW(0, WC_TABCONTROLW, L"",
                        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | TCS_FIXEDWIDTH, 0, 0,
                        kClientWidth, kClientHeight, hwnd_, IdAsMenu(kIdTab), instance_, nullptr);
    controls_[kIdTab] = tab_;
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
    SendMessageW(tab_, TCM_SETITEMSIZE, 0, MAKELPARAM(kTabWidth, itemRect.bottom - itemRect.top));

    // The pages are the dialog's children lying over the tab's display area, so each control's
    // notifications reach a window of ours; WS_EX_CONTROLPARENT lets Tab walk into them.
    for (HWND& page : pages_) {
        page = CreateWindowExW(WS_EX_CONTROLPARENT, kPageClassName, L"", WS_CHILD | WS_CLIPSIBLINGS,
                               0, 0, 0, 0, hwnd_, nullptr, instance_, this);
    }
    CreateSettingsPage(pages_[0]);
    CreateHelpPage(pages_[1]);
    // The tab control lies under its pages; being last in the z-order also makes it last in
    // the keyboard order, from where Tab wraps round to the first page's controls.
    SetWindowPos(tab_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    LayOutPages();
    ShowPage(0);
}

HWND SettingsDialog::AddControl(HWND page, const wchar_t* className, const wchar_t* text,
                                DWORD style, int id, int left, int top, int width, int height,
                                DWORD exStyle) {
    HWND control = CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, left,
                                   top, width, height, page, IdAsMenu(id), instance_, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    if (id != 0) controls_[id] = control;
    return control;
}

HWND SettingsDialog::AddLabel(HWND page, const wchar_t* text, int left, int top, int id) {
    // Labels take the size of their text.
    HDC dc = GetDC(page);
    HGDIOBJ old = SelectObject(dc, font_);
    SIZE size{0, 0};
    GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &size);
    SelectObject(dc, old);
    ReleaseDC(page, dc);
    DWORD style = SS_LEFT | SS_NOPREFIX;
    if (id == kIdHomePage || id == kIdDownload) style |= SS_NOTIFY;  // clicks open the links
    return AddControl(page, L"STATIC", text, style, id, left, top, size.cx, size.cy);
}

HWND SettingsDialog::AddCombo(HWND page, DWORD style, int id, int left, int top, int width,
                              int height, int openRows) {
    HWND combo = AddControl(page, WC_COMBOBOXW, L"", style | WS_VSCROLL | WS_TABSTOP, id, left, top,
                            width, height + openRows * height);
    return combo;
}

void SettingsDialog::FitComboHeight(HWND combo, int height, int openRows) {
    // The open list: its rows and two pixels of frame, below the closed box. Resizing a combo
    // box lays out its selection field anew, so this comes first.
    const auto rowHeight = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0));
    SendMessageW(combo, CB_SETMINVISIBLE, openRows, 0);
    RECT rect;
    GetWindowRect(combo, &rect);
    SetWindowPos(combo, nullptr, 0, 0, rect.right - rect.left, height + openRows * rowHeight + 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The closed box's height follows its selection field; how much its borders add differs
    // between systems (and Wine reads back another field height than it was given), so
    // measure and correct.
    auto request = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, -1, 0));
    for (int attempt = 0; attempt < 4; ++attempt) {
        GetWindowRect(combo, &rect);
        const int actual = static_cast<int>(rect.bottom - rect.top);
        if (actual == height) break;
        request += height - actual;
        SendMessageW(combo, CB_SETITEMHEIGHT, -1, request);
    }
}

void SettingsDialog::CreateSettingsPage(HWND page) {
    // Creation order is the keyboard order.
    AddLabel(page, L"计时器数量：", 0, 8);
    HWND timer = AddCombo(page, CBS_DROPDOWNLIST, kIdTimer, 82, 5, 61, 21, kDefaultOpenRows);
    for (int count = 1; count <= kSlotCount; ++count) AddComboItem(timer, std::to_wstring(count));
    FitComboHeight(timer, 21, kDefaultOpenRows);
    AddControl(page, L"BUTTON", L"循环计时", BS_AUTOCHECKBOX | WS_TABSTOP, kIdCircle, 157, 8, 82,
               17);
    AddControl(page, L"BUTTON", L"最后", BS_AUTOCHECKBOX | WS_TABSTOP, kIdSec, 0, 32, 50, 17);
    HWND lastSec = AddCombo(page, CBS_DROPDOWN | CBS_AUTOHSCROLL, kIdLastSec, 48, 29, 41, 21, 11);
    for (int seconds = 1; seconds <= 20; ++seconds) AddComboItem(lastSec, std::to_wstring(seconds));
    SetWindowTextW(lastSec, L"30");
    FitComboHeight(lastSec, 21, 11);
    AddLabel(page, L"秒钟报数", 91, 32);
    AddLabel(page, L"标题颜色：", 155, 32);
    HWND colors = AddCombo(page, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                           kIdTitleColor, 220, 29, 77, 22, kDefaultOpenRows);
    for (const NamedColor& color : kTitleColors) {
        const std::wstring name(color.name.begin(), color.name.end());
        const LRESULT index =
            SendMessageW(colors, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        SendMessageW(colors, CB_SETITEMDATA, index, ColorAsItemData(color.value));
    }
    FitComboHeight(colors, 22, kDefaultOpenRows);

    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const int left = slot <= 4 ? 0 : -1;
        const int top = 56 + 56 * (slot - 1);
        const std::wstring number = std::to_wstring(slot);
        // The slot's boxes are the page's children placed inside the group box's frame: a
        // BUTTON as their parent would swallow their notifications.
        AddControl(page, L"BUTTON", (L"计时器" + number).c_str(), BS_GROUPBOX, kGroupIdBase + slot,
                   left, top, 297, 49);
        AddLabel(page, L"标题：", left + 4, top + 24);
        AddControl(page, L"EDIT", (L"标题" + number).c_str(), ES_AUTOHSCROLL | WS_TABSTOP,
                   kTitleIdBase + slot, left + 40, top + 20, 49, 21, WS_EX_CLIENTEDGE);
        AddLabel(page, L"热键：", left + 92, top + 24);
        HWND key = AddCombo(page, CBS_DROPDOWN | CBS_AUTOHSCROLL, kKeyIdBase + slot, left + 128,
                            top + 21, 57, 21, 12);
        AddComboItem(key, L"");
        for (int f = 1; f <= 12; ++f) AddComboItem(key, L"F" + std::to_wstring(f));
        for (int digit = 0; digit <= 9; ++digit) AddComboItem(key, L"Num" + std::to_wstring(digit));
        SetWindowTextW(key, (L"F" + number).c_str());
        FitComboHeight(key, 21, 12);
        AddLabel(page, L"计时(秒)：", left + 188, top + 24);
        AddControl(page, L"EDIT", kBuiltInSeconds[static_cast<std::size_t>(slot - 1)],
                   ES_AUTOHSCROLL | WS_TABSTOP, kTimeIdBase + slot, left + 256, top + 20, 36, 21,
                   WS_EX_CLIENTEDGE);
    }
}

void SettingsDialog::CreateHelpPage(HWND page) {
    HWND sortType = AddCombo(page, CBS_DROPDOWN | CBS_AUTOHSCROLL, kIdSortType, 3, 36, 56, 21,
                             kDefaultOpenRows);
    for (const wchar_t* name : {L"多排", L"横排", L"竖排"}) AddComboItem(sortType, name);
    SendMessageW(sortType, CB_SETCURSEL, 0, 0);
    FitComboHeight(sortType, 21, kDefaultOpenRows);
    AddControl(page, L"BUTTON", L"窗口置顶", BS_AUTOCHECKBOX | WS_TABSTOP, kIdTop, 70, 38, 76, 17);
    AddLabel(page, L"Tallyvox", 2, 67, kIdLbl17);
    AddLabel(page, L"Ver 1.9.417", 190, 67, kIdLbl18);
    const std::wstring home = FromGbk(kHomePageUrl);
    AddLabel(page, home.c_str(), 2, 87, kIdHomePage);
    AddLabel(page, L"下载最新版本", 190, 87, kIdDownload);
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

void SettingsDialog::ShowPage(int index) {
    SendMessageW(tab_, TCM_SETCURSEL, index, 0);
    HWND focus = GetFocus();
    for (int i = 0; i < 2; ++i) {
        if (i != index && focus != nullptr && IsChild(pages_[i], focus)) SetFocus(tab_);
        ShowWindow(pages_[i], i == index ? SW_SHOW : SW_HIDE);
    }
}

void SettingsDialog::CentreOverOwner() {
    RECT own{}, rect{};
    GetWindowRect(owner_, &own);
    GetWindowRect(hwnd_, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    int left = own.left + (own.right - own.left - width) / 2;
    int top = own.top + (own.bottom - own.top - height) / 2;
    // An overlay near a screen edge must not push the dialog off the screen.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (GetMonitorInfoW(MonitorFromWindow(owner_, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        left = std::max<int>(work.left, std::min<int>(left, work.right - width));
        top = std::max<int>(work.top, std::min<int>(top, work.bottom - height));
    }
    SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// --- showing -------------------------------------------------------------------------------------

void SettingsDialog::ShowModal() {
    if (hwnd_ == nullptr) return;
    modal_ = true;
    closed_ = false;
    CentreOverOwner();
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
    modal_ = false;
}

// --- SetsView ------------------------------------------------------------------------------------

HWND SettingsDialog::Control(int id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

HWND SettingsDialog::TextControl(SetsText control, int slot) const {
    switch (control) {
        case SetsText::cbbTimer:
            return Control(kIdTimer);
        case SetsText::cbbLastSec:
            return Control(kIdLastSec);
        case SetsText::cbbSortType:
            return Control(kIdSortType);
        case SetsText::edtTitle:
            return Control(kTitleIdBase + slot);
        case SetsText::cbbKey:
            return Control(kKeyIdBase + slot);
        case SetsText::edtTime:
            return Control(kTimeIdBase + slot);
    }
    return nullptr;
}

std::string SettingsDialog::Text(SetsText control, int slot) const {
    HWND hwnd = TextControl(control, slot);
    if (hwnd == nullptr) return {};
    // During CBN_SELCHANGE the box still shows its former text.
    if (hwnd == choosing_.combo) return ToGbk(choosing_.text);
    if (control == SetsText::cbbTimer) {
        const auto index = static_cast<int>(SendMessageW(hwnd, CB_GETCURSEL, 0, 0));
        return index < 0 ? std::string() : ToGbk(ComboItemText(hwnd, index));
    }
    return ToGbk(WindowTextOf(hwnd));
}

void SettingsDialog::SetText(SetsText control, int slot, const std::string& text) {
    HWND hwnd = TextControl(control, slot);
    if (hwnd == nullptr) return;
    if (control == SetsText::cbbTimer) {
        SelectItem(control, text);
        return;
    }
    QuietScope quiet(quiet_);
    SetWindowTextW(hwnd, FromGbk(text).c_str());
}

bool SettingsDialog::SelectItem(SetsText control, const std::string& text) {
    HWND combo = TextControl(control, 0);
    if (combo == nullptr) return false;
    QuietScope quiet(quiet_);
    // Byte for byte: CB_FINDSTRINGEXACT would ignore case.
    const auto count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    int found = -1;
    for (int index = 0; index < count && found < 0; ++index) {
        if (ToGbk(ComboItemText(combo, index)) == text) found = index;
    }
    SendMessageW(combo, CB_SETCURSEL, found, 0);
    if (found < 0 && !IsDropDownList(combo)) SetWindowTextW(combo, L"");
    return found >= 0;
}

bool SettingsDialog::Checked(SetsCheck control) const {
    const int id = control == SetsCheck::chkCircle ? kIdCircle
                   : control == SetsCheck::chkSec  ? kIdSec
                                                   : kIdTop;
    return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SettingsDialog::SetChecked(SetsCheck control, bool checked) {
    const int id = control == SetsCheck::chkCircle ? kIdCircle
                   : control == SetsCheck::chkSec  ? kIdSec
                                                   : kIdTop;
    QuietScope quiet(quiet_);
    SendMessageW(Control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::optional<std::int32_t> SettingsDialog::SelectedColor() const {
    HWND colors = Control(kIdTitleColor);
    const auto index = static_cast<int>(SendMessageW(colors, CB_GETCURSEL, 0, 0));
    if (index < 0) return std::nullopt;
    return ColorOfItemData(SendMessageW(colors, CB_GETITEMDATA, index, 0));
}

void SettingsDialog::SelectColor(std::int32_t value) {
    HWND colors = Control(kIdTitleColor);
    QuietScope quiet(quiet_);
    const auto count = static_cast<int>(SendMessageW(colors, CB_GETCOUNT, 0, 0));
    int found = -1;
    for (int index = 0; index < count && found < 0; ++index) {
        if (ColorOfItemData(SendMessageW(colors, CB_GETITEMDATA, index, 0)) == value) found = index;
    }
    SendMessageW(colors, CB_SETCURSEL, found, 0);
}

void SettingsDialog::SetOuterHeight(int height) {
    RECT rect;
    GetWindowRect(hwnd_, &rect);
    SetWindowPos(hwnd_, nullptr, 0, 0, rect.right - rect.left, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SettingsDialog::OpenUrl(const std::string& address) {
    ShellExecuteW(hwnd_, L"open", FromGbk(address).c_str(), nullptr, nullptr, SW_SHOW);
}

// --- messages ------------------------------------------------------------------------------------

void SettingsDialog::OnCommand(int id, int code, HWND control) {
    if (quiet_ > 0) return;
    const int slot = id % 100;
    const bool slotId = slot >= 1 && slot <= kSlotCount;
    // A combo box's chosen item becomes its text only after CBN_SELCHANGE; until then the
    // handler reads the item's text.
    auto runChoosing = [&](auto&& handler) {
        const auto index = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
        if (index < 0) return;
        choosing_ = Choosing{control, ComboItemText(control, index)};
        RunHandler(handler);
        choosing_ = Choosing{};
    };
    // Combo boxes with typing: each typed character and each chosen item is a change.
    auto typingCombo = [&](auto&& handler) {
        if (code == CBN_EDITCHANGE) RunHandler(handler);
        if (code == CBN_SELCHANGE) runChoosing(handler);
    };

    if (id >= kTitleIdBase + 1 && id <= kTitleIdBase + kSlotCount && slotId) {
        if (code == EN_CHANGE) RunHandler([&] { sets_.edtTitleChange(slot); });
    } else if (id >= kKeyIdBase + 1 && id <= kKeyIdBase + kSlotCount && slotId) {
        typingCombo([&] { sets_.cbbKeyChange(slot); });
    } else if (id >= kTimeIdBase + 1 && id <= kTimeIdBase + kSlotCount && slotId) {
        if (code == EN_CHANGE) RunHandler([&] { sets_.edtTimeChange(slot); });
    } else {
        switch (id) {
            case kIdTimer:
                if (code == CBN_SELCHANGE) RunHandler([&] { sets_.cbbTimerChange(); });
                break;
            case kIdCircle:
                if (code == BN_CLICKED) RunHandler([&] { sets_.chkCircleClick(); });
                break;
            case kIdSec:
                if (code == BN_CLICKED) RunHandler([&] { sets_.chkSecClick(); });
                break;
            case kIdLastSec:
                typingCombo([&] { sets_.cbbLastSecChange(); });
                break;
            case kIdTitleColor:
                if (code == CBN_SELCHANGE) RunHandler([&] { sets_.clrbxTitleChange(); });
                break;
            case kIdSortType:
                typingCombo([&] { sets_.cbbSortTypeChange(); });
                break;
            case kIdTop:
                if (code == BN_CLICKED) RunHandler([&] { sets_.chkTopClick(); });
                break;
            case kIdHomePage:
                if (code == STN_CLICKED) RunHandler([&] { sets_.lbl19Click(); });
                break;
            case kIdDownload:
                if (code == STN_CLICKED) RunHandler([&] { sets_.lbl20Click(); });
                break;
            default:
                break;
        }
    }
}

void SettingsDialog::DrawColorItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT rect = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID != static_cast<UINT>(-1)) {
        // A framed swatch of the colour, then its name; system colours are read now, so the
        // swatch follows the desktop's colour scheme.
        const int side = (rect.bottom - rect.top) - 4;
        RECT swatch{rect.left + 2, rect.top + 2, rect.left + 2 + side, rect.top + 2 + side};
        HBRUSH fill = CreateSolidBrush(ResolveColor(ColorOfItemData(item.itemData)));
        FillRect(dc, &swatch, fill);
        DeleteObject(fill);
        FrameRect(dc, &swatch, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

        const std::wstring name = ComboItemText(item.hwndItem, static_cast<int>(item.itemID));
        HGDIOBJ oldFont = SelectObject(dc, font_);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        RECT text = rect;
        text.left = swatch.right + 4;
        DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        SelectObject(dc, oldFont);
    }
    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0)
        DrawFocusRect(dc, &rect);
}

LRESULT CALLBACK SettingsDialog::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self =
            static_cast<SettingsDialog*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<SettingsDialog*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
    return self->HandleMessage(msg, wParam, lParam);
}

LRESULT CALLBACK SettingsDialog::PageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        SetWindowLongPtrW(
            hwnd, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<SettingsDialog*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
    return self->HandlePageMessage(hwnd, msg, wParam, lParam);
}

LRESULT SettingsDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SIZE:
            if (tab_ != nullptr) LayOutPages();
            return 0;
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
        case WM_COMMAND:
            // IDOK / IDCANCEL from Enter and Escape: the dialog has no such buttons.
            return 0;
        case WM_CLOSE:
            // Only a shown dialog is ever closed; the hidden one never writes the file.
            if (modal_ && !closed_) {
                RunHandler([&] {
                    Win32SettingsStore store;
                    IniFile ini(store, settingsPath_);
                    sets_.FormClose(ini);
                });
                closed_ = true;
            }
            return 0;
        case WM_NCDESTROY: {
            HWND hwnd = hwnd_;
            hwnd_ = nullptr;
            closed_ = true;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        }
        default:
            break;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT SettingsDialog::HandlePageMessage(HWND page, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            if (lParam != 0) {
                OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
                return 0;
            }
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
            SetTextColor(dc, id == kIdHomePage || id == kIdDownload ? kLinkColor
                                                                    : GetSysColor(COLOR_BTNTEXT));
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_MEASUREITEM: {
            auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (item->CtlType == ODT_COMBOBOX) {
                item->itemHeight = kColorItemHeight;
                return TRUE;
            }
            break;
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item->CtlType == ODT_COMBOBOX && item->CtlID == kIdTitleColor) {
                DrawColorItem(*item);
                return TRUE;
            }
            break;
        }
        case WM_SETCURSOR: {
            const int id = GetDlgCtrlID(reinterpret_cast<HWND>(wParam));
            if (id == kIdHomePage || id == kIdDownload) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        }
        default:
            break;
    }
    return DefWindowProcW(page, msg, wParam, lParam);
}

}  // namespace tallyvox
