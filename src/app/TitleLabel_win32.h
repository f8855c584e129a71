// The title label: a window class of our own that draws its text the way a STATIC control
// does, asking its parent for the colours with WM_CTLCOLORSTATIC. A STATIC would, under the
// manifest's common controls v6, load the common controls DLL at every start.
#pragma once

#include <windows.h>

namespace tallyvox {

constexpr const wchar_t* kTitleLabelClassName = L"TallyvoxTitle";

// Registers the class once per module; the window takes WM_SETFONT and WM_SETTEXT like a STATIC.
void RegisterTitleLabelClass(HINSTANCE instance);

}  // namespace tallyvox
