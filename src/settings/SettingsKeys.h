// Names of the settings file's section and keys, and their defaults on reading.
#pragma once

#include <string>

namespace tallyvox {

constexpr const char* kSection = "Common";
constexpr const char* kSettingsFileName = "qorvane.db";

inline std::string TitleKey(int slot) {
    return "Title" + std::to_string(slot);
}
inline std::string HotKeyKey(int slot) {
    return "HotKey" + std::to_string(slot);
}
inline std::string SecondsKey(int slot) {
    return "Seconds" + std::to_string(slot);
}

// Defaults of keys missing from the file.
constexpr const char* kDefaultSortType = "\xB6\xE0\xC5\xC5";  // 多排 in GBK
constexpr const char* kDefaultTimerCounter = "1";
constexpr const char* kDefaultLastSecond = "30";
inline std::string DefaultHotKey(int slot) {
    return "F" + std::to_string(slot);
}

}  // namespace tallyvox
