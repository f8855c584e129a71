// A window's DPI and its frame at a DPI, from the system's per-monitor functions where the
// system has them (Windows 10 1607 and later), from the screen's DPI where it has not.
#pragma once

#include <windows.h>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace tallyvox {

// The DPI the window is drawn at; the screen's (the system setting) without per-monitor support.
int WindowDpi(HWND hwnd);

// How many pixels the caption bar and borders of a window of this style add to its client
// width and height at `dpi`.
SIZE FrameSizeAt(DWORD style, DWORD exStyle, int dpi);

// Called on WM_NCCREATE of a window with a caption: under per-monitor awareness v1 (Windows 10
// 1607 and 1703) the system then scales its caption and borders as v2 does, so FrameSizeAt
// tells the frame it draws. Does nothing where the system has no such function.
void EnableFrameScaling(HWND hwnd);

}  // namespace tallyvox
