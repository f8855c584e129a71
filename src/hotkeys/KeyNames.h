// The key list's hotkey names (the key boxes' items) and their virtual-key codes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallyvox {

constexpr int kHotKeyIdBase = 4096;  // slot N's hotkey id is 4096 + N

// Lower-cases ASCII letters (other bytes, GBK included, stay as they are) and trims every
// byte up to and including the space from both ends: " F1 " becomes "f1".
std::string NormaliseKeyName(std::string_view name);

// The key list's 22 names in its order, as the key boxes show them: "F1".."F12", then
// "Num0".."Num9".
const std::vector<std::string>& KeyListNames();

// A key list name (already normalised: "f1", "num0") to its virtual key, VK_F1.. /
// VK_NUMPAD0..; nothing for any other name.
std::optional<unsigned> VirtualKeyOf(std::string_view normalisedName);

}  // namespace tallyvox
