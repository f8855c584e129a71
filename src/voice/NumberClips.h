// Which voice clips speak a number, the way Chinese numerals are read.
#pragma once

#include <cstdint>
#include <vector>

namespace tallyvox {

constexpr int kClipCount = 23;  // wav0..wav22
constexpr int kClipTen = 10;

// Clip indices for `number`, in playing order. Nothing below 1. Numbers from 230 up would
// need a clip past the table's end; they are not spoken at all rather than half spoken.
std::vector<int> ClipsForNumber(std::int32_t number);

}  // namespace tallyvox
