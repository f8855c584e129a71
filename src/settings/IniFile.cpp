// The settings reader/writer over an IniDocument and a SettingsStore.

#include "settings/IniFile.h"

#include <optional>
#include <utility>

#include "settings/GbkCodec.h"
#include "text/IntText.h"
#include "text/Utf.h"

namespace tallyvox {

IniFile::IniFile(SettingsStore& store, std::string path)
    : store_(store), codec_(store.Codec()), path_(std::move(path)) {
    std::string bytes;
    outcome_ = store_.Read(path_, bytes);
    if (outcome_.result == StoreResult::Done) {
        if (codec_) encoding_ = DetectEncoding(bytes);
        document_ = IniDocument(ToDocumentBytes(bytes, encoding_),
                                encoding_ == FileEncoding::Gbk ? IniDocument::Charset::Gbk
                                                               : IniDocument::Charset::Utf8);
        loaded_ = true;
    }
}

std::string IniFile::FileText(std::string_view gbk) const {
    if (encoding_ == FileEncoding::Gbk) return std::string(gbk);
    return Utf16ToUtf8(codec_->ToUtf16(gbk));
}

std::string IniFile::ProgramText(std::string_view fileText) const {
    if (encoding_ == FileEncoding::Gbk) return std::string(fileText);
    return codec_->FromUtf16(Utf8ToUtf16(fileText));
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
    const std::optional<std::string> value = document_.Get(FileText(section), FileText(key));
    if (!value) return std::nullopt;
    return ProgramText(*value);
}

bool IniFile::SectionExists(std::string_view section) const {
    return document_.SectionExists(FileText(section));
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    return Value(section, key).value_or(std::string(defaultValue));
}

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                                  std::int32_t defaultValue) const {
    const std::optional<std::string> value = Value(section, key);
    if (!value) return defaultValue;
    return TryStrToInt(*value).value_or(defaultValue);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool IniFile::ReadsExactly(std::string_view section, std::string_view key) const {
    if (encoding_ == FileEncoding::Gbk) return true;
    const std::optional<std::string> value = document_.Get(FileText(section), FileText(key));
    if (!value) return true;
    const std::u16string text = Utf8ToUtf16(*value);
    return codec_->ToUtf16(codec_->FromUtf16(text)) == text;
}

bool IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    if (!loaded_) return false;
    if (document_.Set(FileText(section), FileText(key), FileText(value))) dirty_ = true;
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
    outcome_ = store_.WriteReplacing(path_, ToFileBytes(document_.Serialize(), encoding_));
    if (outcome_.result != StoreResult::Done) return false;
    dirty_ = false;
    return true;
}

}  // namespace tallyvox
