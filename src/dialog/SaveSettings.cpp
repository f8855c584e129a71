// Writing the settings dialog's controls into the settings file when the dialog closes.
#include "dialog/ColorList.h"
#include "dialog/TfrmSets.h"
#include "settings/IniFile.h"
#include "settings/SettingsKeys.h"
#include "text/IntText.h"
#include "timers/TimerSlot.h"

namespace tallyvox {

SettingsValues TfrmSets::ValuesToSave() const {
    SettingsValues values;
    auto write = [&](Setting setting, int slot, const std::string& value) {
        std::string key = KeyName(setting, slot);
        if (!keysToKeep_.contains(key)) values.emplace_back(std::move(key), value);
    };
    auto flag = [&](SetsCheck box) { return std::string(view_.Checked(box) ? "1" : "0"); };
    write(Setting::SortType, 0, view_.Text(SetsText::cbbSortType));
    write(Setting::TimerCounter, 0, view_.Text(SetsText::cbbTimer));
    write(Setting::IsSecondCounter, 0, flag(SetsCheck::chkSec));
    write(Setting::LastSecond, 0, view_.Text(SetsText::cbbLastSec));
    write(Setting::IsCircle, 0, flag(SetsCheck::chkCircle));
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        write(Setting::Title, slot, view_.Text(SetsText::edtTitle, slot));
        write(Setting::HotKey, slot, view_.Text(SetsText::cbbKey, slot));
        write(Setting::Seconds, slot, view_.Text(SetsText::edtTime, slot));
    }
    write(Setting::TitleColor, 0, IntToStr(view_.SelectedColor().value_or(kNoColorSelected)));
    write(Setting::TopMost, 0, flag(SetsCheck::chkTop));
    return values;
}

bool TfrmSets::SaveSettings(IniFile& ini) const {
    return WriteSettings(ini, ValuesToSave());
}

void TfrmSets::FormClose(SettingsSaver& saver) const {
    saver.Save(ValuesToSave());
}

}  // namespace tallyvox
