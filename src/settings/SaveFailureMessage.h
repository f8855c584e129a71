// What the box says when the settings could not be saved.
#pragma once

#include <string>
#include <string_view>

#include "settings/SettingsStore.h"

namespace tallyvox {

// UTF-8 text: that the settings were not saved, the file's full path (UTF-8), the reason in
// plain words and what the player can do about it.
std::string SaveFailureMessage(const StoreOutcome& outcome, std::string_view path);

}  // namespace tallyvox
