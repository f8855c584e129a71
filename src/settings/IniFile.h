// The settings reader/writer: one object per load or per save of the settings file, reading
// it whole on construction and writing it back whole on Flush. Names and values are GBK text
// whatever the file's encoding (see DetectEncoding); written values take the file's encoding.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/FileEncoding.h"
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
    // False when the stored value holds a character that GBK cannot, so that the reads above
    // give only a stand-in for it; true for a missing key and for every value of a GBK file.
    bool ReadsExactly(std::string_view section, std::string_view key) const;

    // Writes change the document in memory only; Flush stores them. They return false, changing
    // nothing, when the file could not be read: writing then would create or clobber it.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    bool WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    bool WriteBool(std::string_view section, std::string_view key, bool value);

    // Hands the whole document to the store in one replacing write when a write changed it, and
    // does nothing otherwise. Returns false when the store failed; the changes then stay pending.
    bool Flush();

    // How the file was last reached: the read on construction, then each replacing write.
    const StoreOutcome& Outcome() const { return outcome_; }

  private:
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    // GBK text to the document's text, and back.
    std::string FileText(std::string_view gbk) const;
    std::string ProgramText(std::string_view fileText) const;

    SettingsStore& store_;
    const GbkCodec* codec_;
    FileEncoding encoding_ = FileEncoding::Gbk;
    std::string path_;
    StoreOutcome outcome_;
    bool loaded_ = false;
    bool dirty_ = false;
    IniDocument document_;
};

}  // namespace tallyvox
