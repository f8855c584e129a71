// Where the settings file's bytes come from and go to; the Windows build reads and replaces a
// real file, tests substitute an in-memory store.
#pragma once

#include <optional>
#include <string>

namespace tallyvox {

class GbkCodec;

// Paths are UTF-8, not GBK: they only travel between the platform layer and the store and are
// never shown or stored, and UTF-8 carries any folder name the executable may sit in.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;

    // The whole file, or nullopt when it is missing or cannot be read.
    virtual std::optional<std::string> Read(const std::string& path) = 0;

    // Replaces the whole file in one step: afterwards it holds either all of its old content or
    // all of `bytes`. Fails, creating nothing, when the file does not exist already.
    virtual bool WriteReplacing(const std::string& path, const std::string& bytes) = 0;

    // Converts the text of a file saved in a Unicode encoding (see IniFile). Without one, every
    // file is read and written as GBK.
    virtual const GbkCodec* Codec() const { return nullptr; }
};

}  // namespace tallyvox
