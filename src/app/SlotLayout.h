// The geometry of the three slot arrangements: two columns, one row, one column.
#pragma once

#include <cstdint>
#include <string_view>

namespace tallyvox {

enum class SlotLayout { MultiRow, Horizontal, Vertical };

struct SlotPlace {
    int labelLeft, labelTop, panelLeft, panelTop;
};

struct WindowSize {
    int width, height;
};

// The layout named by `sortType` (GBK "多排", "横排", "竖排", compared byte for byte) for
// `count` visible slots; a two-slot overlay knows no single row.
SlotLayout ChooseLayout(std::int32_t count, std::string_view sortType);
SlotPlace PlaceOf(SlotLayout layout, int slot);
WindowSize WindowSizeOf(SlotLayout layout, int count);
// Where each slot stands before any layout runs.
SlotPlace BuiltInPlaceOf(int slot);

}  // namespace tallyvox
