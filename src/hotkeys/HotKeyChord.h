// A hotkey as the system registers it: modifier flags and a virtual-key code.
#pragma once

namespace tallyvox {

// The modifier flags of the system's RegisterHotKey, with the same values.
inline constexpr unsigned kModAlt = 0x0001;
inline constexpr unsigned kModControl = 0x0002;
inline constexpr unsigned kModShift = 0x0004;
inline constexpr unsigned kModWin = 0x0008;
// Asks the system to report a held combination once, not at every auto-repeat.
inline constexpr unsigned kModNoRepeat = 0x4000;

struct HotKeyChord {
    unsigned modifiers = 0;
    unsigned key = 0;
    bool operator==(const HotKeyChord&) const = default;
};

}  // namespace tallyvox
