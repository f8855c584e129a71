// Reading one voice-pack file: the RIFF chunks, the PCM format, trimming the silent ends.
#include "voice/PackClip.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace tallyvox {

namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
// The part of an extensible format's sub-format GUID after its leading format tag.
constexpr std::uint8_t kGuidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                        0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
// A sample counts as sound from about -40 dBFS: above 1/100 of full scale.
constexpr int kSilenceRatio = 100;

std::uint16_t Le16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t Le32(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(Le16(b, at)) |
           (static_cast<std::uint32_t>(Le16(b, at + 2)) << 16);
}

bool IsId(std::span<const std::uint8_t> b, std::size_t at, const char (&id)[5]) {
    return std::equal(id, id + 4, b.begin() + static_cast<std::ptrdiff_t>(at));
}

struct Format {
    std::uint16_t tag = 0;
    std::uint16_t channels = 0;
    std::uint32_t rate = 0;
    std::uint32_t byteRate = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bits = 0;
};

// The "fmt " chunk's payload; an extensible format counts as its sub-format's tag.
std::optional<Format> ReadFormat(std::span<const std::uint8_t> fmt) {
    if (fmt.size() < 16) return std::nullopt;
    Format f{Le16(fmt, 0), Le16(fmt, 2), Le32(fmt, 4), Le32(fmt, 8), Le16(fmt, 12), Le16(fmt, 14)};
    if (f.tag == kFormatExtensible) {
        if (fmt.size() < 40 || Le16(fmt, 16) < 22) return std::nullopt;
        const bool knownGuid =
            std::equal(std::begin(kGuidTail), std::end(kGuidTail), fmt.begin() + 26);
        f.tag = knownGuid ? Le16(fmt, 24) : 0;
    }
    return f;
}

// Whether the frame at `at` holds a sample above the silence threshold.
bool IsSound(std::span<const std::uint8_t> data, std::size_t at, const Format& f) {
    for (std::uint16_t c = 0; c < f.channels; ++c) {
        const int value =
            f.bits == 8 ? data[at + c] - 128 : static_cast<std::int16_t>(Le16(data, at + 2 * c));
        const int fullScale = f.bits == 8 ? 128 : 32768;
        if (std::abs(value) * kSilenceRatio > fullScale) return true;
    }
    return false;
}

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void PutId(std::vector<std::uint8_t>& out, const char (&id)[5]) {
    out.insert(out.end(), id, id + 4);
}

std::vector<std::uint8_t> WavImage(const Format& f, std::span<const std::uint8_t> sound) {
    std::vector<std::uint8_t> out;
    out.reserve(44 + sound.size() + 1);
    const auto padded = static_cast<std::uint32_t>(sound.size() + (sound.size() & 1));
    PutId(out, "RIFF");
    Put32(out, 36 + padded);
    PutId(out, "WAVE");
    PutId(out, "fmt ");
    Put32(out, 16);
    Put16(out, kFormatPcm);
    Put16(out, f.channels);
    Put32(out, f.rate);
    Put32(out, f.byteRate);
    Put16(out, f.blockAlign);
    Put16(out, f.bits);
    PutId(out, "data");
    Put32(out, static_cast<std::uint32_t>(sound.size()));
    out.insert(out.end(), sound.begin(), sound.end());
    if ((sound.size() & 1) != 0) out.push_back(0);
    return out;
}

PackClip Refused(PackRefusal why) {
    return {{}, why};
}

}  // namespace

PackClip ReadPackClip(std::span<const std::uint8_t> file) {
    if (file.size() > kPackFileMaxBytes) return Refused(PackRefusal::TooBig);
    if (file.size() < 12 || !IsId(file, 0, "RIFF") || !IsId(file, 8, "WAVE"))
        return Refused(PackRefusal::NotWav);
    const std::size_t riffEnd = std::size_t{Le32(file, 4)} + 8;
    if (riffEnd > file.size() || riffEnd < 12) return Refused(PackRefusal::Damaged);

    std::optional<Format> format;
    std::span<const std::uint8_t> data;
    bool dataFound = false;
    for (std::size_t at = 12; at < riffEnd && !dataFound;) {
        if (riffEnd - at < 8) return Refused(PackRefusal::Damaged);
        const std::size_t size = Le32(file, at + 4);
        const std::size_t payload = at + 8;
        if (size > riffEnd - payload) return Refused(PackRefusal::Damaged);
        if (IsId(file, at, "fmt ")) {
            format = ReadFormat(file.subspan(payload, size));
            if (!format) return Refused(PackRefusal::Damaged);
        } else if (IsId(file, at, "data")) {
            data = file.subspan(payload, size);
            dataFound = true;
        }
        at = payload + size + (size & 1);
    }
    if (!format || !dataFound) return Refused(PackRefusal::Damaged);

    const Format& f = *format;
    if (f.tag != kFormatPcm) return Refused(PackRefusal::NotPcm);
    if ((f.bits != 8 && f.bits != 16) || (f.channels != 1 && f.channels != 2) || f.rate < 8000 ||
        f.rate > 48000)
        return Refused(PackRefusal::UnsupportedFormat);
    if (f.blockAlign != f.channels * f.bits / 8 || f.byteRate != f.rate * f.blockAlign)
        return Refused(PackRefusal::Damaged);

    // Whole frames only; a trailing part of one is left out.
    const std::size_t frames = data.size() / f.blockAlign;
    std::size_t first = 0;
    while (first < frames && !IsSound(data, first * f.blockAlign, f)) ++first;
    if (first == frames) return Refused(PackRefusal::Silent);
    std::size_t end = frames;
    while (!IsSound(data, (end - 1) * f.blockAlign, f)) --end;
    if (end - first > std::size_t{kPackClipMaxSeconds} * f.rate)
        return Refused(PackRefusal::TooLong);
    return {WavImage(f, data.subspan(first * f.blockAlign, (end - first) * f.blockAlign)),
            PackRefusal::None};
}

std::string PackRefusalText(PackRefusal refusal) {
    switch (refusal) {
        case PackRefusal::None:
            return "";
        case PackRefusal::NotWav:
            return "不是 WAV 文件";
        case PackRefusal::NotPcm:
            return "是压缩格式（如 MP3），不是 PCM";
        case PackRefusal::UnsupportedFormat:
            return "格式不支持（只用 8 或 16 位、单声道或立体声、8000～48000 Hz）";
        case PackRefusal::Damaged:
            return "文件不完整或已损坏";
        case PackRefusal::TooBig:
            return "文件大于 1 MB";
        case PackRefusal::TooLong:
            return "去掉首尾静音后仍长于 2 秒";
        case PackRefusal::Silent:
            return "只有静音";
        case PackRefusal::Unreadable:
            return "无法读取（被别的程序占用或没有权限）";
    }
    return "";
}

}  // namespace tallyvox
