// Built-in per-slot defaults.
#include "timers/TimerSlot.h"

#include <array>

namespace tallyvox {

std::string DefaultTitle(int slot) {
    return "\xB1\xEA\xCC\xE2" + std::to_string(slot);  // 标题 in GBK
}

std::string DefaultSeconds(int slot) {
    static constexpr std::array<const char*, kSlotCount> kSeconds = {"60", "50", "40", "30",
                                                                     "60", "50", "40", "30"};
    return kSeconds.at(static_cast<std::size_t>(slot - 1));
}

}  // namespace tallyvox
