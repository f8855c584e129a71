// The 22-name hotkey table: F1..F12 and the numeric keypad's digits.
#include "hotkeys/KeyNames.h"

#include <array>
#include <utility>

namespace tallyvox {

namespace {

constexpr unsigned kVkF1 = 0x70;
constexpr unsigned kVkNumpad0 = 0x60;

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

}  // namespace

std::string NormaliseKeyName(std::string_view name) {
    std::size_t begin = 0;
    std::size_t end = name.size();
    while (begin < end && IsBlankOrControl(name[begin])) ++begin;
    while (end > begin && IsBlankOrControl(name[end - 1])) --end;
    std::string result(name.substr(begin, end - begin));
    for (char& c : result) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return result;
}

std::optional<unsigned> VirtualKeyOf(std::string_view normalisedName) {
    for (unsigned i = 0; i < 12; ++i) {
        if (normalisedName == "f" + std::to_string(i + 1)) return kVkF1 + i;
    }
    for (unsigned i = 0; i < 10; ++i) {
        if (normalisedName == "num" + std::to_string(i)) return kVkNumpad0 + i;
    }
    return std::nullopt;
}

}  // namespace tallyvox
