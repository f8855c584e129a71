// Registering a slot's hotkey from its name.
#include "hotkeys/SlotHotKeys.h"

#include "hotkeys/KeyNames.h"

namespace tallyvox {

HotKeyProblem RegisterNamedHotKey(HotKeyRegistrar& registrar, std::string_view name, int id) {
    // The old key goes first, also when the new one is the same or cannot be had.
    registrar.Unregister(id);
    const std::string normalised = NormaliseKeyName(name);
    if (normalised.empty()) return HotKeyProblem::None;
    // A name outside the table registers nothing: guessing a key could steal one the game
    // uses, and the slot simply stays without a hotkey as with an empty name.
    const auto key = VirtualKeyOf(normalised);
    if (!key) return HotKeyProblem::UnknownName;
    return registrar.Register(id, *key) ? HotKeyProblem::None : HotKeyProblem::Refused;
}

HotKeyProblem WhyNoHotKey(std::string_view name, const HotKeyRegistration& last) {
    if (name == last.name) return last.problem;
    // The name changed without a registration since: it holds no key.
    const std::string normalised = NormaliseKeyName(name);
    if (normalised.empty()) return HotKeyProblem::None;
    if (!VirtualKeyOf(normalised)) return HotKeyProblem::UnknownName;
    return HotKeyProblem::NotRegistered;
}

}  // namespace tallyvox
