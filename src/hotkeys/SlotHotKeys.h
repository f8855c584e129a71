// Registering a slot's hotkey from its name, and why a slot that shows a key name has no
// hotkey. TfrmMain's RegisterSlotHotKey hands its work to this.
#pragma once

#include <string>
#include <string_view>

#include "hotkeys/HotKeyRegistrar.h"

namespace tallyvox {

// Why a slot has no hotkey although its key name is not empty.
enum class HotKeyProblem {
    None,           // it holds its key, or its name is empty
    Refused,        // the system refused the key: another program or slot holds it
    UnknownName,    // the name is none of F1-F12, Num0-Num9
    NotRegistered,  // the name was never registered (a hidden slot, or no layout ran)
};

// A slot's last registration: the name it was given and what came of it.
struct HotKeyRegistration {
    std::string name;
    HotKeyProblem problem = HotKeyProblem::None;
};

// Drops the key held under `id`, then registers the key `name` names, if any.
HotKeyProblem RegisterNamedHotKey(HotKeyRegistrar& registrar, std::string_view name, int id);

// Why the slot whose key name is now `name` has no hotkey, after its `last` registration.
HotKeyProblem WhyNoHotKey(std::string_view name, const HotKeyRegistration& last);

}  // namespace tallyvox
