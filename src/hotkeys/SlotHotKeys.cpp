// Registering a slot's hotkey and routing hotkey presses to the slot toggle.
#include "app/TfrmMain.h"
#include "hotkeys/KeyNames.h"

namespace tallyvox {

void TfrmMain::RegisterSlotHotKey(std::string_view name, int id) {
    // The old key goes first, also when the new one is the same or cannot be had.
    hotKeys_.Unregister(id);
    const std::string normalised = NormaliseKeyName(name);
    if (normalised.empty()) return;
    // A name outside the table registers nothing: guessing a key could steal one the game
    // uses, and the slot simply stays without a hotkey as with an empty name.
    if (const auto key = VirtualKeyOf(normalised)) hotKeys_.Register(id, *key);
}

void TfrmMain::WMHotKey(std::uintptr_t id) {
    if (id >= kHotKeyIdBase + 1u && id <= kHotKeyIdBase + static_cast<unsigned>(kSlotCount)) {
        ToggleSlot(static_cast<int>(id - kHotKeyIdBase));
    }
}

void TfrmMain::ReleaseHotKeys() {
    for (int slot = 1; slot <= kSlotCount; ++slot) hotKeys_.Unregister(kHotKeyIdBase + slot);
}

}  // namespace tallyvox
