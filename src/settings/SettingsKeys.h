// The settings file's section and its keys: one table, in the order a save writes them, with
// each key's kind and its default on reading. Every key name is spelled here and nowhere else.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tallyvox {

constexpr const char* kSection = "Common";
constexpr const char* kSettingsFileName = "qorvane.db";

// The layout names the file stores (GBK), compared byte for byte: 多排 (two columns, the
// default), 横排 (one row), 竖排 (one column).
inline constexpr std::array<std::string_view, 3> kSortTypeNames = {
    "\xB6\xE0\xC5\xC5", "\xBA\xE1\xC5\xC5", "\xCA\xFA\xC5\xC5"};

enum class Setting {
    SortType,
    TimerCounter,
    IsSecondCounter,
    LastSecond,
    IsCircle,
    Title,  // per slot: Title1..Title8
    HotKey,
    Seconds,
    TitleColor,
    TopMost,
};

enum class SettingKind {
    Text,     // read as stored
    Integer,  // read as a whole number; the default stands in for one that is not
    Flag,     // read as a whole number, then 1 when not zero
};

struct SettingSpec {
    Setting setting;
    std::string_view name;
    bool perSlot;
    SettingKind kind;
    // The value a missing key reads as (for a number, its text).
    std::string (*defaultOf)(int slot);
};

// Every key in write order; the per-slot ones stand for slot 1's, slot 2's, ... in turn.
const std::array<SettingSpec, 10>& SettingsTable();
const SettingSpec& SpecOf(Setting setting);

// The key's name in the file: "TopMost", or "Title3" for slot 3's title.
std::string KeyName(Setting setting, int slot = 0);
// All 29 key names in write order, the per-slot ones expanded slot by slot.
std::vector<std::string> AllKeyNames();

std::string DefaultHotKey(int slot);  // "F1" for slot 1

}  // namespace tallyvox
