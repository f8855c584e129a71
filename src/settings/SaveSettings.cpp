// Writing the settings dialog's controls into the settings file when the dialog closes.
#include "settings/ColorList.h"
#include "settings/IniFile.h"
#include "settings/SettingsKeys.h"
#include "settings/TfrmSets.h"
#include "timers/TimerSlot.h"

namespace tallyvox {

bool TfrmSets::SaveSettings(IniFile& ini) const {
    // The program never creates the file, nor a section in it.
    if (!ini.SectionExists(kSection)) return true;
    auto writeText = [&](const std::string& key, const std::string& value) {
        if (!keysToKeep_.contains(key)) ini.WriteString(kSection, key, value);
    };
    auto writeFlag = [&](const std::string& key, bool on) {
        if (!keysToKeep_.contains(key)) ini.WriteInteger(kSection, key, on ? 1 : 0);
    };
    writeText("SortType", view_.Text(SetsText::cbbSortType));
    writeText("TimerCounter", view_.Text(SetsText::cbbTimer));
    writeFlag("IsSecondCounter", view_.Checked(SetsCheck::chkSec));
    writeText("LastSecond", view_.Text(SetsText::cbbLastSec));
    writeFlag("IsCircle", view_.Checked(SetsCheck::chkCircle));
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        writeText(TitleKey(slot), view_.Text(SetsText::edtTitle, slot));
        writeText(HotKeyKey(slot), view_.Text(SetsText::cbbKey, slot));
        writeText(SecondsKey(slot), view_.Text(SetsText::edtTime, slot));
    }
    if (!keysToKeep_.contains("TitleColor")) {
        ini.WriteInteger(kSection, "TitleColor", view_.SelectedColor().value_or(kNoColorSelected));
    }
    if (!keysToKeep_.contains("TopMost")) {
        ini.WriteBool(kSection, "TopMost", view_.Checked(SetsCheck::chkTop));
    }
    // One replacing write: the file holds either all the old or all the new content.
    return ini.Flush();
}

}  // namespace tallyvox
