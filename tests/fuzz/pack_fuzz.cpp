// Fuzzes the voice-pack reader over arbitrary bytes. Checked: no crash, hang or read past the
// input (it is copied into a buffer of its exact size for ASan); a refusal carries no image and
// has words for the 帮助 page; an accepted clip is a plain PCM WAV of an accepted format whose
// sound is a run of the file's bytes, unchanged, no longer than 2 s and with sound at both ends
// (heard with a lower threshold of its own, -46 dBFS).
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

#include "FuzzSupport.h"
#include "voice/PackClip.h"

namespace {

using tallyvox::fuzz::Check;

std::uint32_t Le(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b.at(at + static_cast<std::size_t>(i));
    return v;
}

// A frame with a sample above -46 dBFS.
bool Loud(const std::vector<std::uint8_t>& b, std::size_t frame, std::uint32_t channels,
          std::uint32_t bits) {
    bool loud = false;
    for (std::uint32_t c = 0; c < channels; ++c) {
        const std::size_t at = frame + c * bits / 8;
        const int v = bits == 8 ? b.at(at) - 128 : static_cast<std::int16_t>(Le(b, at, 2));
        loud = loud || std::abs(v) * 1000 >= (bits == 8 ? 128 : 32768) * 5;
    }
    return loud;
}

void CheckImage(std::span<const std::uint8_t> input, const std::vector<std::uint8_t>& image) {
    Check(image.size() >= 44, "image shorter than its header");
    Check(std::equal(image.begin(), image.begin() + 4, "RIFF") &&
              std::equal(image.begin() + 8, image.begin() + 16, "WAVEfmt "),
          "not a RIFF/WAVE image");
    Check(Le(image, 4, 4) + 8 == image.size(), "RIFF size does not match the image");
    Check(Le(image, 16, 4) == 16 && Le(image, 20, 2) == 1, "format chunk is not plain PCM");
    const std::uint32_t channels = Le(image, 22, 2), rate = Le(image, 24, 4),
                        align = Le(image, 32, 2), bits = Le(image, 34, 2);
    Check(channels == 1 || channels == 2, "channels");
    Check(bits == 8 || bits == 16, "bits");
    Check(rate >= 8000 && rate <= 48000, "rate");
    Check(align == channels * bits / 8 && Le(image, 28, 4) == rate * align, "block align, rate");
    Check(std::equal(image.begin() + 36, image.begin() + 40, "data"), "no data chunk");
    const std::uint32_t size = Le(image, 40, 4);
    Check(44 + size + (size & 1) == image.size(), "data size does not match the image");
    Check(size > 0 && size % align == 0, "data is not whole frames");
    Check(size / align <= 2 * rate, "longer than 2 s");
    const auto sound = image.begin() + 44;
    Check(std::search(input.begin(), input.end(), sound, sound + size) != input.end(),
          "sound is not the file's bytes as they stand");
    Check(Loud(image, 44, channels, bits) && Loud(image, 44 + size - align, channels, bits),
          "a silent end was not trimmed");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An exact-size copy: a read one byte past the input is a heap overflow ASan reports.
    auto copy = std::make_unique<std::uint8_t[]>(size);
    std::copy(data, data + size, copy.get());
    const std::span<const std::uint8_t> input(copy.get(), size);
    const tallyvox::PackClip clip = tallyvox::ReadPackClip(input);
    if (clip.refusal != tallyvox::PackRefusal::None) {
        Check(clip.image.empty(), "a refused file has an image");
        Check(!tallyvox::PackRefusalText(clip.refusal).empty(), "a refusal without words");
        return 0;
    }
    CheckImage(input, clip.image);
    return 0;
}
