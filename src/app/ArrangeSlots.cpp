// Which slots the overlay shows, where they stand and how large the window is.
#include "app/SlotLayout.h"
#include "app/TfrmMain.h"
#include "hotkeys/KeyNames.h"

namespace tallyvox {

void TfrmMain::ArrangeSlots(std::int32_t count) {
    const auto unsignedCount = static_cast<std::uint32_t>(count);
    if (unsignedCount == 0 || unsignedCount > kSlotCount) return;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        view_.SetSlotVisible(slot, slot <= count);
    }
    if (count == 1) {
        RegisterSlotHotKey(Slot(1).hotKeyName, kHotKeyIdBase + 1);
        return;
    }
    const SlotLayout layout = ChooseLayout(count, sortTypeText);
    const int dpi = view_.Dpi();
    for (int slot = 2; slot <= count; ++slot) {
        const SlotPlace place = PlaceOf(layout, slot, dpi);
        view_.SetLabelPosition(slot, place.labelLeft, place.labelTop);
        view_.SetPanelPosition(slot, place.panelLeft, place.panelTop);
    }
    const WindowSize size = WindowSizeOf(layout, count, dpi);
    view_.SetWindowWidth(size.width);
    view_.SetWindowHeight(size.height);
    arranged_ = Arrangement{layout, count};
    for (int slot = 1; slot <= count; ++slot) {
        RegisterSlotHotKey(Slot(slot).hotKeyName, kHotKeyIdBase + slot);
    }
}

void TfrmMain::ScaleChanged() {
    const int dpi = view_.Dpi();
    // Slots beyond the last layout's count are hidden; the next layout that shows them places
    // them anew.
    const int placed = arranged_ ? arranged_->count : kSlotCount;
    for (int slot = 1; slot <= placed; ++slot) {
        const SlotPlace place =
            arranged_ ? PlaceOf(arranged_->layout, slot, dpi) : BuiltInPlaceOf(slot, dpi);
        view_.SetLabelPosition(slot, place.labelLeft, place.labelTop);
        view_.SetPanelPosition(slot, place.panelLeft, place.panelTop);
    }
    const WindowSize size = ClientSizeAt(dpi);
    view_.SetWindowWidth(size.width);
    view_.SetWindowHeight(size.height);
}

WindowSize TfrmMain::ClientSizeAt(int dpi) const {
    return arranged_ ? WindowSizeOf(arranged_->layout, arranged_->count, dpi)
                     : BuiltInClientSize(dpi);
}

}  // namespace tallyvox
