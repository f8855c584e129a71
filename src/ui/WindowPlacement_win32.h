// The screen facts the placement rules need, and moving a window to the rectangle they give.
#pragma once

#include <windows.h>

#include "ui/WindowPlacement.h"

namespace tallyvox {

ScreenRect ToScreenRect(const RECT& rect);
ScreenRect WindowRectOf(HWND window);
WindowSize SizeOf(const ScreenRect& rect);
// The work area of the monitor `window` is on (or nearest to).
ScreenRect WorkAreaOf(HWND window);
// Moves and sizes `window` to `rect` without changing its z-order or activating it.
void MoveWindowTo(HWND window, const ScreenRect& rect);

// The answer to WM_GETDPISCALEDSIZE: the window takes `size` at the new scale.
LRESULT AnswerScaledSize(LPARAM lParam, WindowSize size);

// A window's move to the rectangle the system suggests for a new scale. A change of scale that
// this move itself causes is not to be followed (Moving() tells), or a window straddling two
// monitors would grow and shrink in turn.
class ScaleMove {
  public:
    bool Moving() const { return moving_; }
    void To(HWND window, const RECT& suggested, WindowSize size);

  private:
    bool moving_ = false;
};

}  // namespace tallyvox
