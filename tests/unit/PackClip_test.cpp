// Reading a voice-pack file: each accepted format, each refusal, the trimming of the ends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "voice/PackClip.h"
#include "voice/VoicePack.h"

namespace tallyvox {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put(Bytes& b, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

Bytes Chunk(const std::string& id, const Bytes& payload) {
    Bytes b(id.begin(), id.end());
    Put(b, static_cast<std::uint32_t>(payload.size()), 4);
    b.insert(b.end(), payload.begin(), payload.end());
    if (payload.size() % 2 != 0) b.push_back(0);
    return b;
}

struct Format {
    std::uint16_t tag = 1, channels = 1;
    std::uint32_t rate = 22050;
    std::uint16_t bits = 16;
    int blockAlignError = 0, byteRateError = 0;
};

Bytes Fmt(const Format& f) {
    Bytes b;
    const std::uint32_t align = f.channels * f.bits / 8 + f.blockAlignError;
    Put(b, f.tag, 2);
    Put(b, f.channels, 2);
    Put(b, f.rate, 4);
    Put(b, f.rate * align + f.byteRateError, 4);
    Put(b, align, 2);
    Put(b, f.bits, 2);
    return b;
}

// WAVE_FORMAT_EXTENSIBLE with the PCM sub-format.
Bytes ExtensibleFmt(const Format& f) {
    Bytes b = Fmt({0xFFFE, f.channels, f.rate, f.bits});
    Put(b, 22, 2);
    Put(b, f.bits, 2);
    Put(b, 3, 4);
    Put(b, 1, 2);
    for (const int v : {0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71}) Put(b, v, 1);
    return b;
}

Bytes Riff(const std::vector<Bytes>& chunks, int sizeError = 0) {
    Bytes body = {'W', 'A', 'V', 'E'};
    for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
    Bytes b = {'R', 'I', 'F', 'F'};
    Put(b, static_cast<std::uint32_t>(body.size() + sizeError), 4);
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

Bytes Samples16(const std::vector<int>& values) {
    Bytes b;
    for (const int v : values) Put(b, static_cast<std::uint16_t>(v), 2);
    return b;
}

Bytes Wav(const Format& f, const Bytes& sound) {
    return Riff({Chunk("fmt ", Fmt(f)), Chunk("data", sound)});
}

const Bytes kSpeech = Samples16({0, 300, -300, 5000, 0, 0, -400, 300, 0});  // sound: 5000..-400
const Bytes kTrimmed = Samples16({5000, 0, 0, -400});

TEST(PackClipTest, AcceptsPcmAndKeepsTheSoundBetweenTheSilentEnds) {
    const Format stereo{1, 2, 48000, 16};
    struct Case {
        const char* what;
        Bytes file;
        Bytes image;
    };
    const Case cases[] = {
        {"16-bit mono", Wav({}, kSpeech), Wav({}, kTrimmed)},
        {"8-bit mono at 8000 Hz", Wav({1, 1, 8000, 8}, {128, 129, 127, 200, 128, 60, 129}),
         Wav({1, 1, 8000, 8}, {200, 128, 60})},
        {"16-bit stereo: a frame is sound when one channel is",
         Wav(stereo, Samples16({0, 0, 0, 900, 1, 2, -900, 0, 0, 0})),
         Wav(stereo, Samples16({0, 900, 1, 2, -900, 0}))},
        {"extensible PCM, other chunks around",
         Riff({Chunk("LIST", Bytes(5, 'x')), Chunk("fmt ", ExtensibleFmt({})),
               Chunk("data", kSpeech), Chunk("id3 ", Bytes(3, 'y'))}),
         Wav({}, kTrimmed)},
        {"exactly 2 s of sound", Wav({1, 1, 8000, 8}, Bytes(16000, 255)),
         Wav({1, 1, 8000, 8}, Bytes(16000, 255))},
        {"a partial last frame is left out", Wav({}, {0x88, 0x13, 0x10}),
         Wav({}, Samples16({5000}))},
    };
    for (const Case& c : cases) {
        const PackClip clip = ReadPackClip(c.file);
        EXPECT_EQ(clip.refusal, PackRefusal::None) << c.what;
        EXPECT_EQ(clip.image, c.image) << c.what;
    }
}

TEST(PackClipTest, RefusesWhatItCannotPlayAsItStands) {
    using enum PackRefusal;
    const Bytes fmt = Chunk("fmt ", Fmt({}));
    Bytes truncated = Wav({}, kSpeech);
    truncated.resize(truncated.size() - 2);
    Bytes floatFmt = ExtensibleFmt({});
    floatFmt[24] = 3;  // the sub-format IEEE float
    struct Case {
        const char* what;
        Bytes file;
        PackRefusal refusal;
    };
    const Case cases[] = {
        {"empty", {}, NotWav},
        {"an MP3 file", {'I', 'D', '3', 3, 0, 0, 0, 0, 0, 0, 0xFF, 0xFB}, NotWav},
        {"RIFF of another kind", {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '}, NotWav},
        {"MP3 inside WAV", Wav({0x55}, kSpeech), NotPcm},
        {"extensible, float", Riff({Chunk("fmt ", floatFmt), Chunk("data", kSpeech)}), NotPcm},
        {"24 bits", Wav({1, 1, 22050, 24}, Bytes(30, 0x40)), UnsupportedFormat},
        {"three channels", Wav({1, 3, 22050, 16}, kSpeech), UnsupportedFormat},
        {"7999 Hz", Wav({1, 1, 7999, 16}, kSpeech), UnsupportedFormat},
        {"48001 Hz", Wav({1, 1, 48001, 16}, kSpeech), UnsupportedFormat},
        {"truncated", truncated, Damaged},
        {"RIFF size past the end", Riff({fmt, Chunk("data", kSpeech)}, 2), Damaged},
        {"data size past the end", Riff({fmt, {'d', 'a', 't', 'a', 0xFF, 0, 0, 0, 1, 2}}), Damaged},
        {"no data chunk", Riff({fmt}), Damaged},
        {"no fmt chunk", Riff({Chunk("data", kSpeech)}), Damaged},
        {"fmt too short", Riff({Chunk("fmt ", Bytes(14, 1)), Chunk("data", kSpeech)}), Damaged},
        {"block align lies", Wav({1, 1, 22050, 16, 1}, kSpeech), Damaged},
        {"byte rate lies", Wav({1, 1, 22050, 16, 0, 2}, kSpeech), Damaged},
        {"over 1 MiB", Wav({}, Bytes(kPackFileMaxBytes, 0x40)), TooBig},
        {"2 s and a frame of sound", Wav({1, 1, 8000, 8}, Bytes(16001, 255)), TooLong},
        {"all silence", Wav({}, Samples16({0, 300, -300, 0})), Silent},
        {"8-bit silence", Wav({1, 1, 8000, 8}, {128, 128, 129}), Silent},
        {"no sound at all", Wav({}, {}), Silent},
    };
    for (const Case& c : cases) {
        const PackClip clip = ReadPackClip(c.file);
        EXPECT_EQ(clip.refusal, c.refusal) << c.what;
        EXPECT_TRUE(clip.image.empty()) << c.what;
        EXPECT_FALSE(PackRefusalText(c.refusal).empty()) << c.what;
    }
}

TEST(VoicePackTest, SaysWhichVoiceSpeaksAndWhyFilesWereLeftOut) {
    VoicePackReport none;
    EXPECT_EQ(VoiceInUseText(none), "语音：内置语音");
    EXPECT_EQ(RefusedFilesText(none), "");

    VoicePackReport pack;
    pack.Add(1, PackRefusal::None);
    pack.Add(2, PackRefusal::NotWav);
    pack.Add(3, PackRefusal::None);
    pack.Add(9, PackRefusal::Silent);
    EXPECT_EQ(VoiceInUseText(pack),
              "语音：语音包 voice，用了 2 个文件，其余是内置语音（2 个没用上，原因见下）");
    EXPECT_EQ(RefusedFilesText(pack), "wav2.wav：不是 WAV 文件\r\nwav9.wav：只有静音");

    VoicePackReport full;
    for (int clip = kPackFirstClip; clip <= kPackLastClip; ++clip)
        full.Add(clip, PackRefusal::None);
    EXPECT_EQ(VoiceInUseText(full), "语音：语音包 voice，用了 22 个文件");

    VoicePackReport useless;
    useless.Add(5, PackRefusal::Unreadable);
    EXPECT_EQ(VoiceInUseText(useless), "语音：内置语音（语音包的文件都没用上，原因见下）");
}

}  // namespace
}  // namespace tallyvox
