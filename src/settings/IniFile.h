// The settings reader/writer: one object per load or per save of the settings file, reading
// it whole on construction and writing it back whole on Flush.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/IniDocument.h"
#include "settings/SettingsStore.h"

namespace tallyvox {

class IniFile {
  public:
    // Reads the file now; no handle is held afterwards. A missing or unreadable file behaves as
    // one without sections, and nothing can be written into it.
    IniFile(SettingsStore& store, std::string path);

    bool SectionExists(std::string_view section) const;

    // A key that is present with an empty value reads as "", not as the default.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // The default also stands in for a value that is not a whole number (see TryStrToInt).
    std::int32_t ReadInteger(std::string_view section, std::string_view key,
                             std::int32_t defaultValue) const;
    // Read as an integer with the default 1 or 0; true when not zero.
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

    // Writes change the document in memory only; Flush stores them. They return false, changing
    // nothing, when the file could not be read: writing then would create or clobber it.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    bool WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    bool WriteBool(std::string_view section, std::string_view key, bool value);

    // Hands the whole document to the store in one replacing write when a write changed it, and
    // does nothing otherwise. Returns false when the store failed; the changes then stay pending.
    bool Flush();

  private:
    SettingsStore& store_;
    std::string path_;
    bool loaded_ = false;
    bool dirty_ = false;
    IniDocument document_;
};

}  // namespace tallyvox
