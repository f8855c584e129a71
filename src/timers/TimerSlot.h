// The state of one of the eight countdown slots and its built-in defaults.
#pragma once

#include <cstdint>
#include <string>

namespace tallyvox {

constexpr int kSlotCount = 8;
constexpr int kTickIntervalMs = 985;

struct TimerSlot {
    std::uint8_t running = 0;    // set by a start, cleared by a stop; an ended countdown keeps it
    std::int32_t remaining = 0;  // the count shown in the panel
    std::int32_t period = 0;     // what a cyclic countdown restarts from
    std::string titleText;       // as stored in the settings file (GBK)
    std::string hotKeyName;
    std::string secondsText;
};

// "标题N" in GBK, used by a start when the slot's title is empty.
std::string DefaultTitle(int slot);
// The duration used by a start when the slot's seconds text is empty.
std::string DefaultSeconds(int slot);

inline bool IsSlotNumber(int slot) {
    return slot >= 1 && slot <= kSlotCount;
}

}  // namespace tallyvox
