// The key list: F1..F12 and the numeric keypad's digits.
#include "hotkeys/KeyNames.h"

#include <array>
#include <utility>

namespace tallyvox {

namespace {

constexpr unsigned kVkF1 = 0x70;
constexpr unsigned kVkNumpad0 = 0x60;
constexpr unsigned kFunctionKeys = 12;  // the list starts with F1..F12

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

const std::vector<std::string>& KeyListNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        for (unsigned f = 1; f <= kFunctionKeys; ++f) list.push_back("F" + std::to_string(f));
        for (int digit = 0; digit <= 9; ++digit) list.push_back("Num" + std::to_string(digit));
        return list;
    }();
    return names;
}

std::optional<unsigned> VirtualKeyOf(std::string_view normalisedName) {
    const std::vector<std::string>& names = KeyListNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (NormaliseKeyName(names[i]) != normalisedName) continue;
        const auto index = static_cast<unsigned>(i);
        return index < kFunctionKeys ? kVkF1 + index : kVkNumpad0 + (index - kFunctionKeys);
    }
    return std::nullopt;
}

}  // namespace tallyvox
