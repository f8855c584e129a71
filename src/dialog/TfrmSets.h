// The settings dialog's behaviour: filling its controls from the overlay's fields, carrying
// each change straight back to the overlay, and saving the controls when it closes.
#pragma once

#include <set>
#include <string>

#include "dialog/SetsView.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsSaver.h"
#include "ui/ScreenGeometry.h"

namespace tallyvox {

class IniFile;
class TfrmMain;

class TfrmSets {
  public:
    TfrmSets(TfrmMain& main, SetsView& view) : main_(main), view_(view) {}

    // Fills the controls from the overlay's fields. A duration that fails to convert does not
    // stop the filling: every control still shows what is stored, and the first failure is
    // thrown once at the end.
    void FormCreate();

    // Handlers; the platform calls them when the user changes a control.
    void cbbTimerChange();
    void chkCircleClick();
    void chkSecClick();
    void cbbLastSecChange();
    void edtTitleChange(int slot);
    void cbbKeyChange(int slot);
    void edtTimeChange(int slot);
    void clrbxTitleChange();
    void cbbSortTypeChange();
    void chkTopClick();
    void lbl19Click();
    void lbl20Click();

    // What closing writes: each key with its control's value, in the order written; the keys
    // the dialog keeps are left out.
    SettingsValues ValuesToSave() const;
    // Writes the controls into the settings file; false when the file could not be written.
    bool SaveSettings(IniFile& ini) const;
    // Every close saves, through the saver, which retries a passing hold and reports a failure.
    void FormClose(SettingsSaver& saver) const;

    // Outer height of the dialog for a visible-slot count; 0 for counts outside 1..8. The
    // table's heights are outer heights at 96 DPI: their client part, below the frame at 96 DPI,
    // is scaled and the frame at the dialog's DPI added, so that every scale cuts the first
    // page off at the same place.
    static int OuterHeightFor(std::int32_t count, const DialogScale& scale = {});
    // The dialog's outer size at `scale`: the designed client width, and the height for the
    // overlay's slot count (the designed client height for a count outside 1..8), each with the
    // frame at that scale. The window is made at this size and keeps it when its scale changes.
    WindowSize OuterSize(const DialogScale& scale) const;

  private:
    // A key whose stored value the dialog cannot show stays as stored when it closes...
    void Keep(Setting setting);
    // ... until the user changes its control; during filling nothing does.
    void TakeKey(Setting setting, int slot = 0);

    TfrmMain& main_;
    SetsView& view_;
    bool filling_ = false;
    // Keys whose stored value the dialog does not show (never loaded, or not one of a list's
    // items): closing must not write the control's stand-in over them.
    std::set<std::string> keysToKeep_;
};

}  // namespace tallyvox
