// Registering a slot's hotkey from its name.
#include "hotkeys/SlotHotKeys.h"

#include <string>

#include "hotkeys/KeyNames.h"

namespace tallyvox {

void RegisterNamedHotKey(HotKeyRegistrar& registrar, std::string_view name, int id) {
    // The old key goes first, also when the new one is the same or cannot be had.
    registrar.Unregister(id);
    const std::string normalised = NormaliseKeyName(name);
    if (normalised.empty()) return;
    // A name outside the table registers nothing: guessing a key could steal one the game
    // uses, and the slot simply stays without a hotkey as with an empty name.
    if (const auto key = VirtualKeyOf(normalised)) registrar.Register(id, *key);
}

}  // namespace tallyvox
