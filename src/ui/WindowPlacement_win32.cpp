// Screen rectangles from and to the window manager.
#include "ui/WindowPlacement_win32.h"

namespace tallyvox {

ScreenRect ToScreenRect(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

ScreenRect WindowRectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return ToScreenRect(rect);
}

WindowSize SizeOf(const ScreenRect& rect) {
    return {rect.right - rect.left, rect.bottom - rect.top};
}

ScreenRect WorkAreaOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
        return ToScreenRect(monitor.rcWork);
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void MoveWindowTo(HWND window, const ScreenRect& rect) {
    SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT AnswerScaledSize(LPARAM lParam, WindowSize size) {
    *reinterpret_cast<SIZE*>(lParam) = {size.width, size.height};
    return TRUE;
}

void MoveForNewScale(HWND window, const ScreenRect& suggested, WindowSize size) {
    MoveWindowTo(window, PlaceForNewScale(suggested, size));
}

}  // namespace tallyvox
