// The settings file's keys in the order the program writes them, written out independently of
// the program's own table so that tests can hold the order against it. Shared by the unit, fuzz
// and end-to-end tests.
#pragma once

#include <string>
#include <vector>

namespace tallyvox::test {

inline std::vector<std::string> SettingsKeyOrder() {
    std::vector<std::string> keys = {"SortType", "TimerCounter", "IsSecondCounter", "LastSecond",
                                     "IsCircle"};
    for (int slot = 1; slot <= 8; ++slot) {
        for (const char* name : {"Title", "HotKey", "Seconds"}) {
            keys.push_back(name + std::to_string(slot));
        }
    }
    keys.push_back("TitleColor");
    keys.push_back("TopMost");
    return keys;
}

}  // namespace tallyvox::test
