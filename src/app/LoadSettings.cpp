// Reading the settings file at start-up, applying each value the moment it is read.
#include "app/TfrmMain.h"
#include "settings/IniFile.h"
#include "settings/SettingsKeys.h"
#include "text/IntText.h"

namespace tallyvox {

namespace {

// Reads keys by the settings table and records each key as it is taken into a field, so a
// later save can tell a loaded value from a construction value that loading never reached.
class KeyReader {
  public:
    KeyReader(IniFile& ini, std::vector<std::string>& loaded) : ini_(ini), loaded_(loaded) {}

    std::string Text(Setting setting, int slot = 0) {
        const std::string key = Take(setting, slot);
        return ini_.ReadString(kSection, key, SpecOf(setting).defaultOf(slot));
    }
    // An Integer key as read; a Flag key as 1 or 0.
    std::int32_t Number(Setting setting) {
        const std::string key = Take(setting, 0);
        const SettingSpec& spec = SpecOf(setting);
        const std::int32_t defaultValue = StrToInt(spec.defaultOf(0));
        if (spec.kind == SettingKind::Flag) {
            return ini_.ReadBool(kSection, key, defaultValue != 0) ? 1 : 0;
        }
        return ini_.ReadInteger(kSection, key, defaultValue);
    }

  private:
    // A value with a character that GBK cannot hold is shown as best it can be, but stays the
    // file's: not counting it as loaded makes closing the dialog keep it.
    std::string Take(Setting setting, int slot) {
        std::string key = KeyName(setting, slot);
        if (ini_.ReadsExactly(kSection, key)) loaded_.push_back(key);
        return key;
    }

    IniFile& ini_;
    std::vector<std::string>& loaded_;
};

}  // namespace

void TfrmMain::LoadSettings(IniFile& ini) {
    loadedKeys.clear();
    if (!ini.SectionExists(kSection)) return;
    KeyReader read(ini, loadedKeys);
    // A whole number that fails to convert ends loading silently; what was applied stays.
    try {
        sortTypeText = read.Text(Setting::SortType);
        timerCounterText = read.Text(Setting::TimerCounter);
        const std::int32_t count = StrToInt(timerCounterText);
        ArrangeSlots(count);
        isSecondCounter = read.Number(Setting::IsSecondCounter);
        lastSecondText = read.Text(Setting::LastSecond);
        isCircle = read.Number(Setting::IsCircle);
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            SetSlotTitle(slot, read.Text(Setting::Title, slot));
            // Hotkeys are registered later, when the slots are laid out with their names.
            Slot(slot).hotKeyName = read.Text(Setting::HotKey, slot);
            SetSlotSeconds(slot, read.Text(Setting::Seconds, slot));
            Slot(slot).remaining = Slot(slot).period;
        }
        SetTitleColor(read.Number(Setting::TitleColor));
        topMost = read.Number(Setting::TopMost);
        ApplyTopMost(topMost);
    } catch (...) {
    }
}

}  // namespace tallyvox
