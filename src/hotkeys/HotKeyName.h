// What a slot's hotkey name stands for. The 22 names of the key list (F1-F12, Num0-Num9) are
// single keys as ever; any other name is read as a combination "Ctrl+Alt+Shift+Win+Key" (each
// modifier at most once, in any order, any letter case, blanks around each "+"), whose key is
// F1-F24, Num0-Num9, Num* Num+ Num- Num. Num/, A-Z, 0-9, Insert, Delete, Home, End, PageUp,
// PageDown, Up, Down, Left, Right, Pause, ScrollLock, Space, Tab, Enter, Esc or Backspace.
// Ctrl with Pause is asked for as Break, the key Windows delivers for it.
#pragma once

#include <optional>
#include <string_view>

#include "hotkeys/HotKeyChord.h"
#include "hotkeys/HotKeyProblem.h"

namespace tallyvox {

struct HotKeyNameReading {
    // The hotkey to register: no modifiers for a single key (it repeats while held, as the
    // keyboard does); a combination's modifiers with kModNoRepeat.
    std::optional<HotKeyChord> chord;
    // Why a name gives no chord: UnknownName or one of the keys refused by design. None for an
    // empty name (blanks only).
    HotKeyProblem problem = HotKeyProblem::None;
};

HotKeyNameReading ReadHotKeyName(std::string_view name);

}  // namespace tallyvox
