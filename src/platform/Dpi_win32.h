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

}  // namespace tallyvox
