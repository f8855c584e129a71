// Title label window class: text on the brush and in the colours its parent chooses.
#include "app/TitleLabel_win32.h"

#include <string>

#include "platform/Window_win32.h"

namespace tallyvox {

namespace {

constexpr int kFontSlot = 0;  // window extra bytes: the HFONT given by WM_SETFONT

void Paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT rect;
    GetClientRect(hwnd, &rect);
    // Like a STATIC: the parent sets the text and background colours and gives the brush.
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(hwnd), WM_CTLCOLORSTATIC,
                                                             reinterpret_cast<WPARAM>(dc),
                                                             reinterpret_cast<LPARAM>(hwnd)));
    FillRect(dc, &rect, brush != nullptr ? brush : GetSysColorBrush(COLOR_WINDOW));
    const std::wstring text = WindowText(hwnd);
    const auto font = reinterpret_cast<HFONT>(GetWindowLongPtrW(hwnd, kFontSlot));
    HGDIOBJ oldFont = font != nullptr ? SelectObject(dc, font) : nullptr;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    if (oldFont != nullptr) SelectObject(dc, oldFont);
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK TitleLabelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT:
            Paint(hwnd);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // painting fills the whole label
        case WM_SETFONT:
            SetWindowLongPtrW(hwnd, kFontSlot, static_cast<LONG_PTR>(wParam));
            if (LOWORD(lParam) != 0) InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case WM_GETFONT:
            return GetWindowLongPtrW(hwnd, kFontSlot);
        case WM_MOUSELEAVE:
            // The overlay watches the pointer leave for its hint.
            SendMessageW(GetParent(hwnd), WM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(hwnd));
            return 0;
        case WM_SETTEXT: {
            const LRESULT result = DefWindowProcW(hwnd, msg, wParam, lParam);
            InvalidateRect(hwnd, nullptr, TRUE);
            return result;
        }
        default:
            return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

void RegisterTitleLabelClass(HINSTANCE instance) {
    WNDCLASSEXW wc = ProgramWindowClass(instance, kTitleLabelClassName, &TitleLabelProc);
    wc.cbWndExtra = sizeof(LONG_PTR);
    RegisterClassOnce(wc);
}

}  // namespace tallyvox
