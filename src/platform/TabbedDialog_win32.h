// A modal top-level window whose client area is a tab control with one page window per tab:
// tab sizing and pages that follow the window's size, page turning (also with Ctrl+Tab), the
// nested message loop with the dialog keyboard, and the keyboard given back to the control
// that had it when the window is activated again. What lies on the pages and what their
// controls do belongs to the hosted dialog (TabbedDialog::Client).
#pragma once

#include <windows.h>

#include <vector>

#include "platform/Window_win32.h"

namespace tallyvox {

class TabbedDialog : public WindowOwner {
  public:
    // The hosted dialog. Messages the host does not take end in these.
    class Client {
      public:
        virtual ~Client() = default;
        // A message of the top-level window; DefWindowProcW unless the client takes it.
        virtual LRESULT WindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) = 0;
        // A message of a page: the notifications and drawing requests of its controls.
        virtual LRESULT PageMessage(HWND page, UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    };

    // Registers the window class `className` (with `icon`) and the pages' class, once each.
    TabbedDialog(HINSTANCE instance, Client& client, const wchar_t* className,
                 const wchar_t* pageClassName, HICON icon);
    ~TabbedDialog() { Destroy(); }
    TabbedDialog(const TabbedDialog&) = delete;
    TabbedDialog& operator=(const TabbedDialog&) = delete;

    // Creates the window hidden at `place` (screen pixels, right and bottom exclusive); false
    // when the system refused.
    bool Create(DWORD exStyle, DWORD style, const wchar_t* title, const RECT& place, HWND owner);
    // The tab control `tabId` with one page per caption, in `font`, each tab `tabWidth` wide.
    void CreateTabs(int tabId, const std::vector<const wchar_t*>& captions, HFONT font,
                    int tabWidth);
    // The pages hold their controls (made in keyboard order): the tab control goes under them,
    // and the first page shows.
    void PagesFilled();
    // The window, its tabs and its fonts at a new scale: the tabs keep the height beyond their
    // font's that they had when created.
    void SetFont(HFONT font, int tabWidth);
    // Tab control and pages over the whole client area.
    void LayOutPages();
    void ShowPage(int index);

    // Shows the window over its disabled owner (in the topmost band if the owner is there),
    // runs the message loop until EndModal or until the application quits, then hides it and
    // gives the owner back its activation.
    void RunModal(HWND owner);
    void EndModal() { closed_ = true; }
    void Destroy();

    HWND Handle() const { return hwnd_; }
    HWND Tab() const { return tab_; }
    HWND Page(int index) const { return pages_.at(static_cast<std::size_t>(index)); }

  private:
    // The pages' messages reach the client through this router: a page is not the window the
    // host owns.
    struct PageRouter {
        Client* client;
        LRESULT HandleMessage(HWND page, UINT msg, WPARAM wParam, LPARAM lParam) {
            return client->PageMessage(page, msg, wParam, lParam);
        }
    };

    LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Ctrl+Tab inside the window turns the page.
    bool TurnsPage(const MSG& msg);
    void SetTabSize(int width, int height);

    HINSTANCE instance_;
    Client& client_;
    PageRouter router_;
    const wchar_t* className_;
    const wchar_t* pageClassName_;
    HWND tab_ = nullptr;
    std::vector<HWND> pages_;
    int tabPadding_ = 0;  // the tabs' height beyond their font's
    HWND focusBeforeDeactivation_ = nullptr;
    bool closed_ = false;
};

}  // namespace tallyvox
