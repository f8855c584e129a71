// Slot positions and window sizes; every position is slot 1's plus whole pitches.
#include "app/SlotLayout.h"

#include "settings/SettingsKeys.h"

namespace tallyvox {

namespace {

constexpr std::string_view kHorizontal = kSortTypeNames[1];
constexpr std::string_view kVertical = kSortTypeNames[2];

constexpr SlotPlace kFirstSlot{0, 8, 56, 4};
constexpr int kColumnPitch = 86;
constexpr int kRowPitch = 28;
// A column or row of slots adds more window than its pitch: the margin is see-through.
constexpr int kColumnWidth = 96;
constexpr int kRowHeight = 46;

SlotPlace Offset(int columns, int rows) {
    return {kFirstSlot.labelLeft + kColumnPitch * columns, kFirstSlot.labelTop + kRowPitch * rows,
            kFirstSlot.panelLeft + kColumnPitch * columns, kFirstSlot.panelTop + kRowPitch * rows};
}

}  // namespace

SlotLayout ChooseLayout(std::int32_t count, std::string_view sortType) {
    if (count != 2 && sortType == kHorizontal) return SlotLayout::Horizontal;
    if (sortType == kVertical) return SlotLayout::Vertical;
    return SlotLayout::MultiRow;
}

SlotPlace PlaceOf(SlotLayout layout, int slot) {
    const int index = slot - 1;
    switch (layout) {
        case SlotLayout::Horizontal:
            return Offset(index, 0);
        case SlotLayout::Vertical:
            return Offset(0, index);
        case SlotLayout::MultiRow:
            break;
    }
    return Offset(index % 2, index / 2);
}

WindowSize WindowSizeOf(SlotLayout layout, int count) {
    switch (layout) {
        case SlotLayout::Horizontal:
            return {kColumnWidth * count, kRowHeight};
        case SlotLayout::Vertical:
            return {kColumnWidth, kRowHeight * count};
        case SlotLayout::MultiRow:
            break;
    }
    return {2 * kColumnWidth, kRowHeight * ((count + 1) / 2)};
}

SlotPlace BuiltInPlaceOf(int slot) {
    SlotPlace place = PlaceOf(SlotLayout::MultiRow, slot);
    // The designed form has panels 6 and 8 two pixels left of the layout grid.
    if (slot == 6 || slot == 8) place.panelLeft -= 2;
    return place;
}

}  // namespace tallyvox
