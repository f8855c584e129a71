// Registering a slot's hotkey from its name.
#include "hotkeys/SlotHotKeys.h"

#include "hotkeys/HotKeyName.h"

namespace tallyvox {

HotKeyRegistration RegisterNamedHotKey(HotKeyRegistrar& registrar, std::string_view name, int id) {
    // The old key goes first, also when the new one is the same or cannot be had.
    registrar.Unregister(id);
    // A name that stands for no hotkey registers nothing: guessing a key could steal one the
    // game uses, and the slot simply stays without a hotkey as with an empty name.
    const HotKeyNameReading reading = ReadHotKeyName(name);
    HotKeyRegistration registration{std::string(name), reading.problem, std::nullopt};
    if (reading.chord) {
        if (registrar.Register(id, *reading.chord)) {
            registration.chord = reading.chord;
        } else {
            registration.problem = HotKeyProblem::Refused;
        }
    }
    return registration;
}

HotKeyProblem WhyNoHotKey(std::string_view name, const HotKeyRegistration& last) {
    if (name == last.name) return last.problem;
    // The name changed without a registration since: it holds no key.
    const HotKeyNameReading reading = ReadHotKeyName(name);
    return reading.chord ? HotKeyProblem::NotRegistered : reading.problem;
}

bool MayMissElevatedWindows(const HotKeyChord& chord) {
    return (chord.modifiers & (kModControl | kModAlt)) == 0;
}

}  // namespace tallyvox
