// Where the settings file's bytes come from and go to; the Windows build reads and replaces a
// real file, tests substitute an in-memory store.
#pragma once

#include <cstdint>
#include <string>

namespace tallyvox {

class GbkCodec;

// How a read or a replacing write of the settings file ended, in terms a player can act on.
enum class StoreResult {
    Done,
    Missing,       // no such file, or a folder in its place: the program never creates it
    InUse,         // another program holds it open (a scanner, a sync client): usually passes
    ReadOnly,      // the file is marked read-only
    AccessDenied,  // the system refuses: a protected folder, Controlled Folder Access, or a
                   // file that another program holds while it is being replaced
    Failed,        // anything else, a full disk for instance
};

struct StoreOutcome {
    StoreResult result = StoreResult::Done;
    std::uint32_t systemError = 0;  // the system's own error code, said for Failed
    bool operator==(const StoreOutcome&) const = default;
};

// Paths are UTF-8, not GBK: they travel between the platform layer, the store and the box that
// reports a failed save, never into the file, and UTF-8 carries any folder name the executable
// may sit in.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;

    // The whole file into `bytes`, which a failure leaves as they were.
    virtual StoreOutcome Read(const std::string& path, std::string& bytes) = 0;

    // Replaces the whole file in one step: afterwards it holds either all of its old content or
    // all of `bytes`. Fails, creating nothing, when the file does not exist already.
    virtual StoreOutcome WriteReplacing(const std::string& path, const std::string& bytes) = 0;

    // Converts the text of a file saved in a Unicode encoding (see IniFile). Without one, every
    // file is read and written as GBK.
    virtual const GbkCodec* Codec() const { return nullptr; }
};

}  // namespace tallyvox
