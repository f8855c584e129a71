// Registering a slot's hotkey from its name, and why a slot that shows a key name has no
// hotkey. TfrmMain's RegisterSlotHotKey hands its work to this.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "hotkeys/HotKeyChord.h"
#include "hotkeys/HotKeyProblem.h"
#include "hotkeys/HotKeyRegistrar.h"

namespace tallyvox {

// A slot's last registration: the name it was given and what came of it.
struct HotKeyRegistration {
    std::string name;
    HotKeyProblem problem = HotKeyProblem::None;
    std::optional<HotKeyChord> chord;  // the hotkey it holds, if any
};

// Drops the key held under `id`, then registers the hotkey `name` stands for, if any.
HotKeyRegistration RegisterNamedHotKey(HotKeyRegistrar& registrar, std::string_view name, int id);

// Why the slot whose key name is now `name` has no hotkey, after its `last` registration.
HotKeyProblem WhyNoHotKey(std::string_view name, const HotKeyRegistration& last);

// Whether a hotkey may still fail to arrive while a program run as administrator (many games)
// has the keyboard: Windows hands such a program's keys on to one that is not elevated only
// when Ctrl or Alt is held.
bool MayMissElevatedWindows(const HotKeyChord& chord);

}  // namespace tallyvox
