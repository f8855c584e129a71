// The key list's hotkey names (the key boxes' items) and their virtual-key codes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tallyvox {

constexpr int kHotKeyIdBase = 4096;  // slot N's hotkey id is 4096 + N

// Lower-cases ASCII letters (other bytes, GBK included, stay as they are) and trims every
// byte up to and including the space from both ends: " F1 " becomes "f1".
std::string NormaliseKeyName(std::string_view name);

// "f1".."f12", "num0".."num9" (already normalised) to VK_F1.. / VK_NUMPAD0..; nothing else.
std::optional<unsigned> VirtualKeyOf(std::string_view normalisedName);

}  // namespace tallyvox
