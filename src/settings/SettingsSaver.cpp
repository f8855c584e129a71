// Trying, retrying and reporting a save of the settings file.
#include "settings/SettingsSaver.h"

#include <algorithm>

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

SettingsValues MergeValues(const SettingsValues& older, const SettingsValues& newer) {
    SettingsValues merged;
    auto valueIn = [](const SettingsValues& values, const std::string& key) {
        const auto it = std::find_if(values.begin(), values.end(),
                                     [&](const auto& entry) { return entry.first == key; });
        return it == values.end() ? nullptr : &it->second;
    };
    for (const std::string& key : AllKeyNames()) {
        const std::string* value = valueIn(newer, key);
        if (!value) value = valueIn(older, key);
        if (value) merged.emplace_back(key, *value);
    }
    return merged;
}

StoreOutcome SettingsSaver::Attempt(const SettingsValues& values) {
    // Read anew at each try: the file may have changed meanwhile, and only these keys are ours.
    IniFile ini(store_, path_);
    WriteSettings(ini, values);
    return ini.Outcome();
}

StoreOutcome SettingsSaver::AttemptUnsaved() {
    const StoreOutcome outcome = Attempt(unsaved_);
    if (Succeeded(outcome.result)) unsaved_.clear();
    return outcome;
}

void SettingsSaver::Save(const SettingsValues& values) {
    Drop();
    unsaved_ = MergeValues(unsaved_, values);
    last_ = AttemptUnsaved();
    if (sessionEnding_ || Succeeded(last_.result)) return;
    // Even a failure that cannot pass waits for the first tick: the dialog closes first.
    retrying_ = true;
    retries_ = 0;
    host_.StartRetryTimer(kRetryIntervalMs);
}

void SettingsSaver::OnRetryTimer() {
    if (!retrying_) return;  // a tick queued before the timer stopped
    if (MayPass(last_.result) && retries_ < kRetries) {
        ++retries_;
        last_ = AttemptUnsaved();
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
    if (retrying_) host_.StopRetryTimer();
    retrying_ = false;
}

void SettingsSaver::SessionEnds() {
    sessionEnding_ = true;
    if (!retrying_) return;
    Drop();
    AttemptUnsaved();
}

void SettingsSaver::Finish() {
    if (!retrying_) return;
    Drop();
    Report(AttemptUnsaved());
}

}  // namespace tallyvox
