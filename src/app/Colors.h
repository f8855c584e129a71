// Colour values (0x00BBGGRR) with a meaning of their own on the overlay.
#pragma once

#include <cstdint>

namespace tallyvox {

constexpr std::int32_t kColorBlue = 0x00FF0000;   // counting or ready
constexpr std::int32_t kColorRed = 0x000000FF;    // reached the last-seconds number
constexpr std::int32_t kColorGreen = 0x00008000;  // stopped; dark, so it stays visible
// The overlay's background; every pixel of exactly this colour is see-through.
constexpr std::int32_t kColorTransparentKey = 0x0000FF00;

}  // namespace tallyvox
