// Every timer of the overlay window, in one table: they share the window, so no two may share
// an ID.
#pragma once

#include <cstdint>

namespace tallyvox::overlay_timers {

// tmr1..tmr8, the slots' tickers: the slot number itself.
constexpr std::uintptr_t Ticker(int slot) {
    return static_cast<std::uintptr_t>(slot);
}
constexpr std::uintptr_t kHintShow = 0x4801;    // the pointer rested on a tool: show its hint
constexpr std::uintptr_t kHintPop = 0x4802;     // the hint has shown long enough
constexpr std::uintptr_t kHeldHotKey = 0x4810;  // watches a held combination's release

}  // namespace tallyvox::overlay_timers
