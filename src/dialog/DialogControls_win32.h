// The settings dialog's controls as windows: each row of the control table made into a child
// window of its page, and the notifications that count as a change of each kind.
#pragma once

#include <windows.h>

#include "dialog/SetsControls.h"

namespace tallyvox {

// Creates the control with its built-in contents, in `font`, as a child of `page`, its
// rectangle scaled from 96 DPI to `dpi`.
HWND CreateSetsControl(HINSTANCE instance, HWND page, const SetsControl& control, HFONT font,
                       int dpi);
// The dialog's DPI changed: the control takes the new font and its rectangle at `dpi`.
void RescaleSetsControl(HWND hwnd, const SetsControl& control, HFONT font, int dpi);

// The edit box inside a combo box with typing: it draws the text and takes the mouse.
HWND ComboEditOf(HWND combo);

// Whether the notification `code` from a control of this kind is a change that runs its handler.
bool IsChange(ControlKind kind, int code);

}  // namespace tallyvox
