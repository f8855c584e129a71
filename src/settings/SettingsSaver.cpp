// Trying, retrying and reporting a save of the settings file.
#include "settings/SettingsSaver.h"

#include "settings/IniFile.h"
#include "settings/SaveFailureMessage.h"
#include "settings/SettingsKeys.h"

namespace tallyvox {

namespace {

// Only a hold that may pass is worth another try. Replacing a file that another program holds
// open is refused as access denied, so that too is tried again before it is reported.
bool MayPass(StoreResult result) {
    return result == StoreResult::InUse || result == StoreResult::AccessDenied;
}

bool Succeeded(StoreResult result) {
    return result == StoreResult::Done || result == StoreResult::Missing;
}

}  // namespace

bool WriteSettings(IniFile& ini, const SettingsValues& values) {
    // The program never creates the file, nor a section in it.
    if (!ini.SectionExists(kSection)) return true;
    for (const auto& [key, value] : values) {
        if (!ini.WriteString(kSection, key, value)) return false;
    }
    // One replacing write: the file holds either all the old or all the new content.
    return ini.Flush();
}

StoreOutcome SettingsSaver::Attempt(const SettingsValues& values) {
    // Read anew at each try: the file may have changed meanwhile, and only these keys are ours.
    IniFile ini(store_, path_);
    WriteSettings(ini, values);
    return ini.Outcome();
}

void SettingsSaver::Save(SettingsValues values) {
    Drop();
    const StoreOutcome outcome = Attempt(values);
    if (sessionEnding_ || Succeeded(outcome.result)) return;
    // Even a failure that cannot pass waits for the first tick: the dialog closes first.
    pending_ = std::move(values);
    last_ = outcome;
    retries_ = 0;
    host_.StartRetryTimer(kRetryIntervalMs);
}

void SettingsSaver::OnRetryTimer() {
    if (!pending_) return;  // a tick queued before the timer stopped
    if (MayPass(last_.result) && retries_ < kRetries) {
        ++retries_;
        last_ = Attempt(*pending_);
    }
    if (Succeeded(last_.result)) {
        Drop();
    } else if (!MayPass(last_.result) || retries_ >= kRetries) {
        Drop();
        Report(last_);
    }
}

void SettingsSaver::Report(const StoreOutcome& outcome) {
    if (!Succeeded(outcome.result)) host_.ShowSaveFailure(SaveFailureMessage(outcome, path_));
}

void SettingsSaver::Drop() {
    if (pending_) host_.StopRetryTimer();
    pending_.reset();
}

void SettingsSaver::SessionEnds() {
    sessionEnding_ = true;
    if (!pending_) return;
    const SettingsValues values = std::move(*pending_);
    Drop();
    Attempt(values);
}

void SettingsSaver::Finish() {
    if (!pending_) return;
    const SettingsValues values = std::move(*pending_);
    Drop();
    Report(Attempt(values));
}

}  // namespace tallyvox
