// Storing the settings dialog's values so that no failure goes unseen. A file that another
// program holds for a moment is tried again a few times within about a second; a save that
// still fails, or cannot succeed, is reported in one box. A missing file, or one without keys
// in its section, is left alone without a word: the program never creates the file.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "settings/SettingsStore.h"

namespace tallyvox {

class IniFile;

// The key names and GBK values one save writes, in the order written.
using SettingsValues = std::vector<std::pair<std::string, std::string>>;

// Writes `values` into the settings section and stores the file in one replacing write; when
// the section does not exist, writes nothing. False when a write failed.
bool WriteSettings(IniFile& ini, const SettingsValues& values);

// The saver's hold on the GUI thread: a timer for the retries and a box for the failure.
class SaveHost {
  public:
    virtual ~SaveHost() = default;
    // From now on, every `ms` until stopped, the saver's OnRetryTimer runs.
    virtual void StartRetryTimer(int ms) = 0;
    virtual void StopRetryTimer() = 0;
    // Shows `message` (UTF-8) in one box and returns once the player has dismissed it.
    virtual void ShowSaveFailure(const std::string& message) = 0;
};

class SettingsSaver {
  public:
    static constexpr int kRetryIntervalMs = 250;
    static constexpr int kRetries = 4;  // about a second in all

    // `path` is the settings file's, UTF-8.
    SettingsSaver(SettingsStore& store, std::string path, SaveHost& host)
        : store_(store), path_(std::move(path)), host_(host) {}

    // Stores `values` now. A hold that may pass is tried again on the timer with the same
    // values; what cannot succeed is reported on the timer's first tick, once the dialog that
    // closed has gone. A newer save replaces one still pending. Once the session ends, one try
    // and nothing more.
    void Save(SettingsValues values);
    // The pending save's next try, or its box.
    void OnRetryTimer();
    // The session ends: the process may be ended at any moment and no box can be shown. A
    // pending save has its last try now; from now on nothing is retried or reported.
    void SessionEnds();
    // The program quits: a pending save has its last try, and is reported if it fails.
    void Finish();

  private:
    StoreOutcome Attempt(const SettingsValues& values);
    // Shows the box unless the file is saved or missing.
    void Report(const StoreOutcome& outcome);
    // Forgets the pending save; before any box, whose message loop may run a tick or a save.
    void Drop();

    SettingsStore& store_;
    std::string path_;
    SaveHost& host_;
    std::optional<SettingsValues> pending_;  // a save that failed, until retried or reported
    StoreOutcome last_;                      // how its last try ended
    int retries_ = 0;
    bool sessionEnding_ = false;
};

}  // namespace tallyvox
