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
    for (int slot = 2; slot <= count; ++slot) {
        const SlotPlace place = PlaceOf(layout, slot);
        view_.SetLabelPosition(slot, place.labelLeft, place.labelTop);
        view_.SetPanelPosition(slot, place.panelLeft, place.panelTop);
    }
    const WindowSize size = WindowSizeOf(layout, count);
    view_.SetWindowWidth(size.width);
    view_.SetWindowHeight(size.height);
    for (int slot = 1; slot <= count; ++slot) {
        RegisterSlotHotKey(Slot(slot).hotKeyName, kHotKeyIdBase + slot);
    }
}

}  // namespace tallyvox
