// The settings reader/writer over an IniDocument and a SettingsStore.

#include "settings/IniFile.h"

#include <optional>
#include <utility>

#include "text/IntText.h"

namespace tallyvox {

IniFile::IniFile(SettingsStore& store, std::string path) : store_(store), path_(std::move(path)) {
    if (std::optional<std::string> bytes = store_.Read(path_)) {
        document_ = IniDocument(*bytes);
        loaded_ = true;
    }
}

bool IniFile::SectionExists(std::string_view section) const {
    return document_.SectionExists(section);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    return document_.Get(section, key).value_or(std::string(defaultValue));
}

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                                  std::int32_t defaultValue) const {
    const std::optional<std::string> value = document_.Get(section, key);
    if (!value) return defaultValue;
    return TryStrToInt(*value).value_or(defaultValue);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    if (!loaded_) return false;
    if (document_.Set(section, key, value)) dirty_ = true;
    return true;
}

bool IniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
    return WriteString(section, key, IntToStr(value));
}

bool IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    return WriteString(section, key, value ? "1" : "0");
}

bool IniFile::Flush() {
    if (!dirty_) return true;
    if (!store_.WriteReplacing(path_, document_.Serialize())) return false;
    dirty_ = false;
    return true;
}

}  // namespace tallyvox
