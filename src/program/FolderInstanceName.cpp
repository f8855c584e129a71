// The per-folder instance name: a checksum of the whole path and the path's tail.
#include "program/FolderInstanceName.h"

#include <algorithm>
#include <cstdint>

namespace tallyvox {

namespace {

constexpr std::u16string_view kPrefix = u"Local\\Tallyvox-";
constexpr std::size_t kTailUnits = 200;

// The CRC-32 of zlib and of the system's RtlComputeCrc32, which the installer calls.
std::uint32_t Crc32(std::u16string_view text) {
    std::uint32_t crc = 0xFFFFFFFFu;
    const auto add = [&crc](std::uint8_t byte) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    };
    for (const char16_t unit : text) {
        add(static_cast<std::uint8_t>(unit & 0xFF));
        add(static_cast<std::uint8_t>(unit >> 8));
    }
    return ~crc;
}

}  // namespace

std::u16string FolderInstanceName(std::u16string_view upperCaseFolder) {
    std::u16string_view folder = upperCaseFolder;
    while (!folder.empty() && (folder.back() == u'\\' || folder.back() == u'/'))
        folder.remove_suffix(1);
    std::u16string name(kPrefix);
    const std::uint32_t crc = Crc32(folder);
    for (int shift = 28; shift >= 0; shift -= 4) name += u"0123456789ABCDEF"[(crc >> shift) & 0xFu];
    name += u'-';
    for (const char16_t unit : folder.substr(folder.size() - std::min(folder.size(), kTailUnits)))
        name += unit == u'\\' ? u'/' : unit;
    return name;
}

}  // namespace tallyvox
