// Window plumbing shared by every window class of the program: binding a C++ object to its
// window, registering a class once, reading a window's text and making the program's fonts.
#pragma once

#include <windows.h>

#include <string>
#include <type_traits>

namespace tallyvox {

// An object that owns one window: WindowThunk keeps hwnd_ from WM_NCCREATE, before the owner's
// handler sees it, until WM_NCDESTROY has been handled.
class WindowOwner {
  protected:
    HWND hwnd_ = nullptr;

    template <typename Owner, LRESULT (Owner::*Handle)(HWND, UINT, WPARAM, LPARAM)>
    friend LRESULT CALLBACK WindowThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

// A window procedure that hands every message to `(owner->*Handle)(hwnd, msg, wParam, lParam)`.
// The owner is CreateWindowExW's lpCreateParams, bound on WM_NCCREATE; messages before that,
// and after WM_NCDESTROY has been handled, go to DefWindowProcW. An owner of several windows
// (one class for many children) is no WindowOwner and keeps no handle.
template <typename Owner, LRESULT (Owner::*Handle)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK WindowThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    constexpr bool kOwnsWindow = std::is_base_of_v<WindowOwner, Owner>;
    if (msg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        if constexpr (kOwnsWindow) {
            auto* owner = static_cast<Owner*>(create->lpCreateParams);
            if (owner != nullptr) static_cast<WindowOwner*>(owner)->hwnd_ = hwnd;
        }
    }
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (owner == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg != WM_NCDESTROY) return (owner->*Handle)(hwnd, msg, wParam, lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    const LRESULT result = (owner->*Handle)(hwnd, msg, wParam, lParam);
    if constexpr (kOwnsWindow) static_cast<WindowOwner*>(owner)->hwnd_ = nullptr;
    return result;
}

// A class of this module named `name` with the arrow cursor and nothing else set: callers add
// what their windows need (icon, background, styles) before registering it.
WNDCLASSEXW ProgramWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc);
// Registers the class unless this module already has one of its name.
void RegisterClassOnce(const WNDCLASSEXW& windowClass);

std::wstring WindowText(HWND hwnd);
// Draws the window's text on one line, centred in `rect`, in `font` and `color` over what is
// there.
void DrawCentredWindowText(HWND hwnd, HDC dc, RECT rect, HFONT font, COLORREF color);
// The text of a combo box's list item; empty when there is no such item.
std::wstring ComboItemText(HWND combo, int index);

// Measures text in `font` as `window`'s screen device shows it. Keeps the window's device
// context while it lives, so one measurer serves many texts.
class TextMeasurer {
  public:
    TextMeasurer(HWND window, HFONT font);
    ~TextMeasurer();
    TextMeasurer(const TextMeasurer&) = delete;
    TextMeasurer& operator=(const TextMeasurer&) = delete;

    // The size of `text` on one line; nothing for no text.
    SIZE Extent(const std::wstring& text) const;
    // The font's full line height.
    int FontHeight() const;

  private:
    HWND window_;
    HDC dc_;
    HGDIOBJ oldFont_;
};

// The program's face "宋体" in the Chinese character set, `height` pixels high (negative: the
// character height). The overlay's fonts are not antialiased: smoothed edges over the colour
// key would leave green fringes around every digit.
HFONT CreateProgramFont(int height, int weight, bool antialiased);

}  // namespace tallyvox
