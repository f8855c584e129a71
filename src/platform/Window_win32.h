// Window plumbing shared by every window class of the program: binding a C++ object to its
// window, registering a class once, reading a window's text and making the program's fonts.
#pragma once

#include <windows.h>

#include <string>

namespace tallyvox {

// A window procedure that hands every message to `(owner->*Handle)(hwnd, msg, wParam, lParam)`.
// The owner is CreateWindowExW's lpCreateParams, bound on WM_NCCREATE; messages before that,
// and after WM_NCDESTROY has been handled, go to DefWindowProcW.
template <typename Owner, LRESULT (Owner::*Handle)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK WindowThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (owner == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    return (owner->*Handle)(hwnd, msg, wParam, lParam);
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

// The program's face "宋体" in the Chinese character set, `height` pixels high (negative: the
// character height). The overlay's fonts are not antialiased: smoothed edges over the colour
// key would leave green fringes around every digit.
HFONT CreateProgramFont(int height, int weight, bool antialiased);

}  // namespace tallyvox
