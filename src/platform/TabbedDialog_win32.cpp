// The tabbed modal window host.
#include "platform/TabbedDialog_win32.h"

#include <commctrl.h>

#include <algorithm>

namespace tallyvox {

TabbedDialog::TabbedDialog(HINSTANCE instance, Client& client, const wchar_t* className,
                           const wchar_t* pageClassName, HICON icon)
    : instance_(instance),
      client_(client),
      router_{&client},
      className_(className),
      pageClassName_(pageClassName) {
    WNDCLASSEXW wc = ProgramWindowClass(instance, className,
                                        &WindowThunk<TabbedDialog, &TabbedDialog::HandleMessage>);
    wc.hIcon = icon;
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    RegisterClassOnce(wc);
    WNDCLASSEXW page = wc;
    page.lpfnWndProc = &WindowThunk<PageRouter, &PageRouter::HandleMessage>;
    page.hIcon = nullptr;
    page.lpszClassName = pageClassName;
    RegisterClassOnce(page);
}

void TabbedDialog::Destroy() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

bool TabbedDialog::Create(DWORD exStyle, DWORD style, const wchar_t* title, const RECT& place,
                          HWND owner) {
    CreateWindowExW(exStyle, className_, title, style, place.left, place.top,
                    place.right - place.left, place.bottom - place.top, owner, nullptr, instance_,
                    this);
    return hwnd_ != nullptr;
}

void TabbedDialog::CreateTabs(int tabId, const std::vector<const wchar_t*>& captions, HFONT font,
                              int tabWidth) {
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    tab_ = CreateWindowExW(0, WC_TABCONTROLW, L"",
                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | TCS_FIXEDWIDTH, 0,
                           0, 0, 0, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(tabId)),
                           instance_, nullptr);
    SendMessageW(tab_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (std::size_t index = 0; index < captions.size(); ++index) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(captions[index]);
        SendMessageW(tab_, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item));
    }
    RECT itemRect{};
    SendMessageW(tab_, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&itemRect));
    SetTabSize(tabWidth, itemRect.bottom - itemRect.top);
    tabPadding_ = itemRect.bottom - itemRect.top - TextMeasurer(tab_, font).FontHeight();

    // The pages are the window's children lying over the tab's display area, so each control's
    // notifications reach a window of ours; WS_EX_CONTROLPARENT lets Tab walk into them.
    pages_.resize(captions.size());
    for (HWND& page : pages_) {
        page = CreateWindowExW(WS_EX_CONTROLPARENT, pageClassName_, L"", WS_CHILD | WS_CLIPSIBLINGS,
                               0, 0, 0, 0, hwnd_, nullptr, instance_, &router_);
    }
}

void TabbedDialog::SetTabSize(int width, int height) {
    SendMessageW(tab_, TCM_SETITEMSIZE, 0, MAKELPARAM(width, height));
}

void TabbedDialog::SetFont(HFONT font, int tabWidth) {
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(tab_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    // A set tab size stays: the height is the new font's with the padding it had before.
    SetTabSize(tabWidth, TextMeasurer(tab_, font).FontHeight() + tabPadding_);
}

void TabbedDialog::PagesFilled() {
    // The tab control lies under its pages; being last in the z-order also makes it last in
    // the keyboard order, from where Tab wraps round to the first page's controls.
    SetWindowPos(tab_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    LayOutPages();
    ShowPage(0);
}

void TabbedDialog::LayOutPages() {
    if (tab_ == nullptr) return;
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

void TabbedDialog::ShowPage(int index) {
    SendMessageW(tab_, TCM_SETCURSEL, index, 0);
    HWND focus = GetFocus();
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        const bool shown = static_cast<int>(i) == index;
        if (!shown && focus != nullptr && IsChild(pages_[i], focus)) SetFocus(tab_);
        ShowWindow(pages_[i], shown ? SW_SHOW : SW_HIDE);
    }
}

bool TabbedDialog::TurnsPage(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB ||
        (GetKeyState(VK_CONTROL) & 0x8000) == 0 || hwnd_ == nullptr ||
        (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd)) || pages_.empty()) {
        return false;
    }
    const auto current = static_cast<std::size_t>(SendMessageW(tab_, TCM_GETCURSEL, 0, 0));
    ShowPage(static_cast<int>((current + 1) % pages_.size()));
    return true;
}

void TabbedDialog::RunModal(HWND owner) {
    if (hwnd_ == nullptr) return;
    closed_ = false;
    // The owner takes no input meanwhile; its timers and hotkeys run on in this loop.
    EnableWindow(owner, FALSE);
    // Over a topmost owner the window joins the topmost band, or the owner may cover it.
    if ((GetWindowLongW(owner, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) {
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
        if (TurnsPage(msg)) continue;
        if (hwnd_ != nullptr && IsDialogMessageW(hwnd_, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    // Enabled again before the window hides, so that activation goes back to the owner.
    EnableWindow(owner, TRUE);
    if (hwnd_ != nullptr) ShowWindow(hwnd_, SW_HIDE);
    if (IsWindow(owner)) SetActiveWindow(owner);
}

LRESULT TabbedDialog::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SIZE:
            LayOutPages();
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
        case WM_NCDESTROY:
            closed_ = true;
            break;
        default:
            break;
    }
    return client_.WindowMessage(hwnd, msg, wParam, lParam);
}

}  // namespace tallyvox
