// Storing the settings dialog's values so that no failure goes unseen and nothing is lost. A
// file that another program holds for a moment is tried again a few times within about a
// second; a save that still fails, or cannot succeed, is reported in one box. What a failed save
// held stays the program's to write until a write of it succeeds: the next close, whichever
// dialog it comes from, writes it along with its own values, as the box promises. A missing
// file, or one without keys in its section, is left alone without a word: the program never
// creates the file.
#pragma once

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

// The keys of `older` and `newer` in write order, each with `newer`'s value where it has one.
SettingsValues MergeValues(const SettingsValues& older, const SettingsValues& newer);

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

    // Stores `values` now, together with what earlier saves that failed held (a value of
    // `values` wins over theirs). A hold that may pass is tried again on the timer with the same
    // values; what cannot succeed is reported on the timer's first tick, once the dialog that
    // closed has gone. A newer save takes over the retries of one still pending. Once the
    // session ends, one try and nothing more.
    void Save(const SettingsValues& values);
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
    // Tries the unsaved values once; forgets them when they are stored.
    StoreOutcome AttemptUnsaved();
    // Ends the retries; before any box, whose message loop may run a tick or a save.
    void Drop();

    SettingsStore& store_;
    std::string path_;
    SaveHost& host_;
    // What failed saves held, in write order, until a write of it succeeds; kept after the box.
    SettingsValues unsaved_;
    bool retrying_ = false;  // the timer tries unsaved_ again, or reports it
    StoreOutcome last_;      // how the last try ended
    int retries_ = 0;
    bool sessionEnding_ = false;
};

}  // namespace tallyvox
