// Whole settings files: every key with a valid value, in write order. Shared by the unit,
// end-to-end and bench tests; a test that depends on other values passes them as changes.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "SettingsKeyOrder.h"

namespace tallyvox::test {

// Every key with a valid value, as "key=value" lines in write order without line ends: four
// slots in two columns, slot N lasting 10 N + 2 seconds on key FN, slot 1 titled 复活 and the
// others tN, red titles, always on top. `changes` replaces single values.
inline std::vector<std::string> FullSettingsLines(
    const std::map<std::string, std::string>& changes = {}) {
    std::map<std::string, std::string> values = {
        {"SortType", "\xB6\xE0\xC5\xC5"},  // 多排
        {"TimerCounter", "4"},
        {"IsSecondCounter", "0"},
        {"LastSecond", "5"},
        {"IsCircle", "0"},
        {"TitleColor", "255"},
        {"TopMost", "1"},
    };
    for (int slot = 1; slot <= 8; ++slot) {
        const std::string n = std::to_string(slot);
        values["Title" + n] = slot == 1 ? "\xB8\xB4\xBB\xEE" : "t" + n;  // 复活
        values["HotKey" + n] = "F" + n;
        values["Seconds" + n] = std::to_string(10 * slot + 2);
    }
    for (const auto& [key, value] : changes) values[key] = value;
    std::vector<std::string> lines;
    for (const std::string& key : SettingsKeyOrder()) lines.push_back(key + "=" + values[key]);
    return lines;
}

// The whole settings file of FullSettingsLines: its section and every key, CRLF.
inline std::string FullSettingsFile(const std::map<std::string, std::string>& changes = {}) {
    std::string text = "[Common]\r\n";
    for (const std::string& line : FullSettingsLines(changes)) text += line + "\r\n";
    return text;
}

// FullSettingsFile with all eight slots shown, each lasting `seconds` and starting again when
// done, and every count from `lastSecond` down spoken. `changes` replaces single values.
inline std::string EightSpeakingSlotsFile(int seconds, int lastSecond,
                                          std::map<std::string, std::string> changes = {}) {
    changes.insert({{"TimerCounter", "8"},
                    {"IsSecondCounter", "1"},
                    {"LastSecond", std::to_string(lastSecond)},
                    {"IsCircle", "1"}});
    for (int slot = 1; slot <= 8; ++slot) {
        changes.insert({"Seconds" + std::to_string(slot), std::to_string(seconds)});
    }
    return FullSettingsFile(changes);
}

}  // namespace tallyvox::test
