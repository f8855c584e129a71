// The number-to-clips rule.
#include "voice/NumberClips.h"

namespace tallyvox {

std::vector<int> ClipsForNumber(std::int32_t number) {
    if (number < 1) return {};
    const std::int32_t tens = number / 10;
    const int units = static_cast<int>(number % 10);
    if (tens >= kClipCount) return {};
    if (tens >= 2) return {static_cast<int>(tens), units == 0 ? kClipTen : units};
    if (tens == 1)
        return units > 0 ? std::vector<int>{kClipTen, units} : std::vector<int>{kClipTen};
    return {units};
}

}  // namespace tallyvox
