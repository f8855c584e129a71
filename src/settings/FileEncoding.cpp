// Detecting the settings file's encoding, and UTF-16 files to and from UTF-8.
#include "settings/FileEncoding.h"

#include "text/Utf.h"

namespace tallyvox {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

// In well-formed UTF-8, such a byte belongs to a multi-byte sequence.
bool HasNonAscii(std::string_view bytes) {
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    }
    return false;
}

std::u16string Utf16Units(std::string_view bytes, bool bigEndian) {
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        units += static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    return units;
}

std::string Utf16Bytes(std::u16string_view units, bool bigEndian) {
    std::string bytes;
    for (const char16_t unit : units) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

}  // namespace

FileEncoding DetectEncoding(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Bom) && IsUtf8(bytes)) return FileEncoding::Utf8;
    if (bytes.size() % 2 == 0) {
        if (bytes.starts_with(kUtf16LeBom)) return FileEncoding::Utf16Le;
        if (bytes.starts_with(kUtf16BeBom)) return FileEncoding::Utf16Be;
    }
    if (HasNonAscii(bytes) && IsUtf8(bytes)) return FileEncoding::Utf8;
    return FileEncoding::Gbk;
}

std::string ToDocumentBytes(std::string_view file, FileEncoding encoding) {
    switch (encoding) {
        case FileEncoding::Utf16Le:
        case FileEncoding::Utf16Be:
            return Utf16ToUtf8(Utf16Units(file, encoding == FileEncoding::Utf16Be));
        case FileEncoding::Gbk:
        case FileEncoding::Utf8:
            break;
    }
    return std::string(file);
}

std::string ToFileBytes(std::string_view document, FileEncoding encoding) {
    switch (encoding) {
        case FileEncoding::Utf16Le:
        case FileEncoding::Utf16Be:
            return Utf16Bytes(Utf8ToUtf16(document), encoding == FileEncoding::Utf16Be);
        case FileEncoding::Gbk:
        case FileEncoding::Utf8:
            break;
    }
    return std::string(document);
}

}  // namespace tallyvox
