// The title colour list: an owner-drawn drop-down list of the named colours, each item a
// swatch and its name, its item data the colour's stored value.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

namespace tallyvox {

constexpr int kColorItemHeight = 16;

// Adds the named colours, in their order, to an empty list.
void FillColorList(HWND list);
std::optional<std::int32_t> SelectedColorOf(HWND list);
// Selects the entry with this value; none when no entry has it.
void SelectColorIn(HWND list, std::int32_t value);
// WM_DRAWITEM for one item; system colours are read now, so swatches follow the desktop.
void DrawColorItem(const DRAWITEMSTRUCT& item, HFONT font);

}  // namespace tallyvox
