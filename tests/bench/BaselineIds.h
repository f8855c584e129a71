// What the benchmark driver and the two baseline programs agree on: window identity, control
// IDs, places on the screen (apart from the overlay's centred window) and hotkeys.
#pragma once

#include "app/OverlayIds.h"
#include "dialog/DialogIds.h"

namespace tallyvox::bench {

inline constexpr wchar_t kBaselineClass[] = L"TallyvoxBaseline";
inline constexpr int kBaselineStartCount = 99;

// The minimal baseline: its first count starts and stops with F12 (the overlay's fixture uses
// F1..F8).
inline constexpr int kMinimalLeft = 40;
inline constexpr int kMinimalTop = 40;
inline constexpr unsigned kMinimalHotKey = 0x7B;  // VK_F12

// The same-work baseline: eight counts on the numeric keypad's 1..8, below the minimal one.
inline constexpr int kSameWorkLeft = 40;
inline constexpr int kSameWorkTop = 200;
inline constexpr unsigned kSameWorkFirstHotKey = 0x61;  // VK_NUMPAD1

}  // namespace tallyvox::bench
