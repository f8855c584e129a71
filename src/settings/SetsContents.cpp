// Item lists of the settings dialog's combo boxes.
#include "settings/SetsContents.h"

namespace tallyvox {

namespace {

std::vector<std::string> Numbers(int first, int last) {
    std::vector<std::string> items;
    for (int n = first; n <= last; ++n) items.push_back(std::to_string(n));
    return items;
}

}  // namespace

std::vector<std::string> TimerCountItems() {
    return Numbers(1, 8);
}

std::vector<std::string> LastSecondItems() {
    return Numbers(1, 20);
}

std::vector<std::string> HotKeyItems() {
    std::vector<std::string> items = {""};
    for (int f = 1; f <= 12; ++f) items.push_back("F" + std::to_string(f));
    for (int digit = 0; digit <= 9; ++digit) items.push_back("Num" + std::to_string(digit));
    return items;
}

std::vector<std::string> SortTypeItems() {
    return {"\xB6\xE0\xC5\xC5", "\xBA\xE1\xC5\xC5", "\xCA\xFA\xC5\xC5"};
}

}  // namespace tallyvox
