// Reading the settings file at start-up, applying each value the moment it is read.
#include "app/TfrmMain.h"
#include "settings/IniFile.h"
#include "settings/SettingsKeys.h"
#include "text/IntText.h"

namespace tallyvox {

namespace {

// Records each key as it is taken into a field, so a later save can tell a loaded value
// from a construction value that loading never reached.
class KeyReader {
  public:
    KeyReader(IniFile& ini, std::vector<std::string>& loaded) : ini_(ini), loaded_(loaded) {}

    std::string String(const std::string& key, const std::string& defaultValue) {
        Take(key);
        return ini_.ReadString(kSection, key, defaultValue);
    }
    std::int32_t Integer(const std::string& key, std::int32_t defaultValue) {
        Take(key);
        return ini_.ReadInteger(kSection, key, defaultValue);
    }
    bool Bool(const std::string& key, bool defaultValue) {
        Take(key);
        return ini_.ReadBool(kSection, key, defaultValue);
    }

  private:
    // A value with a character that GBK cannot hold is shown as best it can be, but stays the
    // file's: not counting it as loaded makes closing the dialog keep it.
    void Take(const std::string& key) {
        if (ini_.ReadsExactly(kSection, key)) loaded_.push_back(key);
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
        sortTypeText = read.String("SortType", kDefaultSortType);
        timerCounterText = read.String("TimerCounter", kDefaultTimerCounter);
        const std::int32_t count = StrToInt(timerCounterText);
        ArrangeSlots(count);
        isSecondCounter = read.Integer("IsSecondCounter", 0);
        lastSecondText = read.String("LastSecond", kDefaultLastSecond);
        isCircle = read.Integer("IsCircle", 0);
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            TimerSlot& s = Slot(slot);
            s.titleText = read.String(TitleKey(slot), DefaultTitle(slot));
            s.hotKeyName = read.String(HotKeyKey(slot), DefaultHotKey(slot));
            s.secondsText = read.String(SecondsKey(slot), DefaultSeconds(slot));
            view_.SetLabelCaption(slot, s.titleText);
            view_.SetLabelHint(slot, s.titleText);
            s.remaining = StrToInt(s.secondsText);
            s.period = StrToInt(s.secondsText);
            view_.SetPanelCaption(slot, s.secondsText);
        }
        titleColor = read.Integer("TitleColor", 0);
        for (int slot = 1; slot <= kSlotCount; ++slot) view_.SetLabelColor(slot, titleColor);
        topMost = read.Bool("TopMost", true) ? 1 : 0;
        ApplyTopMost(topMost);
    } catch (...) {
    }
}

}  // namespace tallyvox
