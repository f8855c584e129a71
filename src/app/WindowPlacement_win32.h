// The screen facts the placement rules need, and moving a window to the rectangle they give.
#pragma once

#include <windows.h>

#include "app/WindowPlacement.h"

namespace tallyvox {

ScreenRect ToScreenRect(const RECT& rect);
ScreenRect WindowRectOf(HWND window);
WindowSize SizeOf(const ScreenRect& rect);
// The work area of the monitor `window` is on (or nearest to).
ScreenRect WorkAreaOf(HWND window);
// Moves and sizes `window` to `rect` without changing its z-order or activating it.
void MoveWindowTo(HWND window, const ScreenRect& rect);

}  // namespace tallyvox
