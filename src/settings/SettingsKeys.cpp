// The settings key table.
#include "settings/SettingsKeys.h"

#include "timers/TimerSlot.h"

namespace tallyvox {

namespace {

template <const char* Text>
std::string Fixed(int) {
    return Text;
}

constexpr char kOne[] = "1";
constexpr char kZero[] = "0";
constexpr char kThirty[] = "30";

std::string DefaultSortType(int) {
    return std::string(kSortTypeNames.front());
}

}  // namespace

const std::array<SettingSpec, 10>& SettingsTable() {
    using enum Setting;
    using enum SettingKind;
    static const std::array<SettingSpec, 10> kTable = {{
        {SortType, "SortType", false, Text, &DefaultSortType},
        {TimerCounter, "TimerCounter", false, Text, &Fixed<kOne>},
        {IsSecondCounter, "IsSecondCounter", false, Integer, &Fixed<kZero>},
        {LastSecond, "LastSecond", false, Text, &Fixed<kThirty>},
        {IsCircle, "IsCircle", false, Integer, &Fixed<kZero>},
        {Title, "Title", true, Text, &DefaultTitle},
        {HotKey, "HotKey", true, Text, &DefaultHotKey},
        {Seconds, "Seconds", true, Text, &DefaultSeconds},
        {TitleColor, "TitleColor", false, Integer, &Fixed<kZero>},
        {TopMost, "TopMost", false, Flag, &Fixed<kOne>},
    }};
    return kTable;
}

const SettingSpec& SpecOf(Setting setting) {
    return SettingsTable()[static_cast<std::size_t>(setting)];
}

std::string KeyName(Setting setting, int slot) {
    const SettingSpec& spec = SpecOf(setting);
    std::string name(spec.name);
    if (spec.perSlot) name += std::to_string(slot);
    return name;
}

std::vector<std::string> AllKeyNames() {
    std::vector<std::string> names;
    const auto& table = SettingsTable();
    for (std::size_t row = 0; row < table.size();) {
        if (!table[row].perSlot) {
            names.push_back(KeyName(table[row++].setting));
            continue;
        }
        // A run of per-slot keys is written slot by slot.
        std::size_t end = row;
        while (end < table.size() && table[end].perSlot) ++end;
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            for (std::size_t k = row; k < end; ++k)
                names.push_back(KeyName(table[k].setting, slot));
        }
        row = end;
    }
    return names;
}

std::string DefaultHotKey(int slot) {
    return "F" + std::to_string(slot);
}

}  // namespace tallyvox
