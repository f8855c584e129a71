// The geometry of the three slot arrangements: two columns, one row, one column.
#pragma once

#include <cstdint>
#include <string_view>

#include "ui/DisplayScale.h"
#include "ui/ScreenGeometry.h"

namespace tallyvox {

enum class SlotLayout { MultiRow, Horizontal, Vertical };

struct SlotPlace {
    int labelLeft, labelTop, panelLeft, panelTop;
};

// The layout named by `sortType` (GBK "多排", "横排", "竖排", compared byte for byte) for
// `count` visible slots; a two-slot overlay knows no single row.
SlotLayout ChooseLayout(std::int32_t count, std::string_view sortType);
// Positions and sizes in pixels at `dpi`: the origins, pitches, column and row sizes are each
// scaled from their 96-DPI values, so a layout stays a regular grid at every scale.
SlotPlace PlaceOf(SlotLayout layout, int slot, int dpi = kDesignDpi);
WindowSize WindowSizeOf(SlotLayout layout, int count, int dpi = kDesignDpi);
// Where each slot stands, and the window's client size, before any layout runs.
SlotPlace BuiltInPlaceOf(int slot, int dpi = kDesignDpi);
WindowSize BuiltInClientSize(int dpi = kDesignDpi);

}  // namespace tallyvox
