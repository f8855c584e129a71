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
constexpr WindowSize kBuiltInClient{176, 113};

SlotPlace Offset(int columns, int rows, int dpi) {
    const int columnPitch = ScaleToDpi(kColumnPitch, dpi) * columns;
    const int rowPitch = ScaleToDpi(kRowPitch, dpi) * rows;
    return {ScaleToDpi(kFirstSlot.labelLeft, dpi) + columnPitch,
            ScaleToDpi(kFirstSlot.labelTop, dpi) + rowPitch,
            ScaleToDpi(kFirstSlot.panelLeft, dpi) + columnPitch,
            ScaleToDpi(kFirstSlot.panelTop, dpi) + rowPitch};
}

}  // namespace

SlotLayout ChooseLayout(std::int32_t count, std::string_view sortType) {
    if (count != 2 && sortType == kHorizontal) return SlotLayout::Horizontal;
    if (sortType == kVertical) return SlotLayout::Vertical;
    return SlotLayout::MultiRow;
}

SlotPlace PlaceOf(SlotLayout layout, int slot, int dpi) {
    const int index = slot - 1;
    switch (layout) {
        case SlotLayout::Horizontal:
            return Offset(index, 0, dpi);
        case SlotLayout::Vertical:
            return Offset(0, index, dpi);
        case SlotLayout::MultiRow:
            break;
    }
    return Offset(index % 2, index / 2, dpi);
}

WindowSize WindowSizeOf(SlotLayout layout, int count, int dpi) {
    const int columnWidth = ScaleToDpi(kColumnWidth, dpi);
    const int rowHeight = ScaleToDpi(kRowHeight, dpi);
    switch (layout) {
        case SlotLayout::Horizontal:
            return {columnWidth * count, rowHeight};
        case SlotLayout::Vertical:
            return {columnWidth, rowHeight * count};
        case SlotLayout::MultiRow:
            break;
    }
    return {2 * columnWidth, rowHeight * ((count + 1) / 2)};
}

SlotPlace BuiltInPlaceOf(int slot, int dpi) {
    SlotPlace place = PlaceOf(SlotLayout::MultiRow, slot, dpi);
    // The designed form has panels 6 and 8 two pixels left of the layout grid.
    if (slot == 6 || slot == 8) place.panelLeft -= ScaleToDpi(2, dpi);
    return place;
}

WindowSize BuiltInClientSize(int dpi) {
    return {ScaleToDpi(kBuiltInClient.width, dpi), ScaleToDpi(kBuiltInClient.height, dpi)};
}

}  // namespace tallyvox
