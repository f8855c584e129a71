// One file of a player's voice pack, read from its bytes: a clip the worker can play, or why
// it is left out. The file's sound is kept byte for byte; only the silence at each end goes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tallyvox {

constexpr std::size_t kPackFileMaxBytes = 1024 * 1024;
constexpr std::uint32_t kPackClipMaxSeconds = 2;

enum class PackRefusal {
    None,
    NotWav,             // not a RIFF/WAVE file
    NotPcm,             // a compressed format inside WAV, such as MP3
    UnsupportedFormat,  // PCM, but not 8/16 bits, mono/stereo, 8,000..48,000 Hz
    Damaged,            // truncated, or a header that does not add up
    TooBig,             // over kPackFileMaxBytes
    TooLong,            // over kPackClipMaxSeconds of sound after trimming
    Silent,             // nothing above the silence threshold
    Unreadable,         // could not be opened or read (locked, no permission)
};

struct PackClip {
    // A RIFF/WAVE image of a 16-byte "fmt " chunk and a "data" chunk; empty when refused.
    std::vector<std::uint8_t> image;
    PackRefusal refusal = PackRefusal::None;
};

PackClip ReadPackClip(std::span<const std::uint8_t> file);

// Why a file was left out, in plain Chinese (UTF-8), for the 帮助 page.
std::string PackRefusalText(PackRefusal refusal);

}  // namespace tallyvox
