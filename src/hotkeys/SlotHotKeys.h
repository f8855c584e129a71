// Registering a slot's hotkey from its name. TfrmMain's RegisterSlotHotKey hands its work to
// this.
#pragma once

#include <string_view>

#include "hotkeys/HotKeyRegistrar.h"

namespace tallyvox {

// Drops the key held under `id`, then registers the key `name` names, if any.
void RegisterNamedHotKey(HotKeyRegistrar& registrar, std::string_view name, int id);

}  // namespace tallyvox
