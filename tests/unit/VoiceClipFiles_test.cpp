// Checks the committed voice clips resources/clips/wav0.wav .. wav22.wav, which are built
// into the executable as WAV resources and played from memory: exact RIFF layout, PCM
// format and length, clip 0's name tags, and that each clip actually holds sound.
//
// TALLYVOX_SOURCE_DIR (absolute path of the source tree) is defined by the build.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#ifndef TALLYVOX_SOURCE_DIR
#error "TALLYVOX_SOURCE_DIR must be defined to the absolute source directory"
#endif

namespace {

using Bytes = std::vector<std::uint8_t>;

struct ClipCase {
    int index;
    std::uint32_t frames;
    bool nameTagged;  // carries LIST/INFO INAM and an "id3 " chunk after its data
};

// Names the case in failure messages ("wav5, 15023 frames") instead of dumping its bytes.
void PrintTo(const ClipCase& c, std::ostream* os) {
    *os << "wav" << c.index << ", " << c.frames << " frames";
}

// The player relies on these lengths (and the number-to-clips rule on what each says).
const ClipCase kClips[] = {
    {0, 8530, true},    {1, 5149, false},   {2, 4856, false},   {3, 7125, false},
    {4, 5749, false},   {5, 6407, false},   {6, 5249, false},   {7, 6293, false},
    {8, 4594, false},   {9, 6516, false},   {10, 6963, false},  {11, 11466, false},
    {12, 11466, false}, {13, 11466, false}, {14, 11466, false}, {15, 11466, false},
    {16, 11466, false}, {17, 11466, false}, {18, 11466, false}, {19, 11466, false},
    {20, 11466, false}, {21, 11466, false}, {22, 11466, false},
};

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kChannels = 1;
constexpr std::uint32_t kSampleRate = 22050;
constexpr std::uint16_t kBitsPerSample = 16;
constexpr std::uint16_t kBlockAlign = kChannels * kBitsPerSample / 8;
constexpr std::uint32_t kByteRate = kSampleRate * kBlockAlign;
constexpr std::string_view kClipName = "ling2";

// Loudness limits for "this clip holds speech, cleanly": well above silence, below full
// scale (a sample at the rails means clipped audio), and starting/ending near zero so that
// playing clips back to back does not click.
constexpr int kMinPeak = 8192;       // -12 dBFS
constexpr double kMinRms = 1000.0;   // about -30 dBFS over the whole clip
constexpr int kMaxClipped = 32767;   // any |sample| at or above this counts as clipped
constexpr int kMaxEdgeSample = 256;  // first and last sample

std::string clipPath(int index) {
    return std::string(TALLYVOX_SOURCE_DIR) + "/resources/clips/wav" + std::to_string(index) +
           ".wav";
}

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint16_t le16(const Bytes& b, std::size_t at) {
    return static_cast<std::uint16_t>(b.at(at) | (b.at(at + 1) << 8));
}

std::uint32_t le32(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b.at(at)) | (static_cast<std::uint32_t>(b.at(at + 1)) << 8) |
           (static_cast<std::uint32_t>(b.at(at + 2)) << 16) |
           (static_cast<std::uint32_t>(b.at(at + 3)) << 24);
}

std::uint32_t be32(const Bytes& b, std::size_t at) {
    return (static_cast<std::uint32_t>(b.at(at)) << 24) |
           (static_cast<std::uint32_t>(b.at(at + 1)) << 16) |
           (static_cast<std::uint32_t>(b.at(at + 2)) << 8) |
           static_cast<std::uint32_t>(b.at(at + 3));
}

std::string fourcc(const Bytes& b, std::size_t at) {
    return std::string(reinterpret_cast<const char*>(b.data() + at), 4);
}

struct Chunk {
    std::string id;
    std::size_t offset;  // of the payload
    std::uint32_t size;  // payload size, without the pad byte
};

// Splits [begin, end) into RIFF chunks (8-byte header, payload, pad to even size).
// Returns false, with a reason, when a chunk header or payload runs past the end.
bool splitChunks(const Bytes& b, std::size_t begin, std::size_t end, std::vector<Chunk>& chunks,
                 std::string& error) {
    std::size_t at = begin;
    while (at < end) {
        if (end - at < 8) {
            error = "truncated chunk header at offset " + std::to_string(at);
            return false;
        }
        Chunk c{fourcc(b, at), at + 8, le32(b, at + 4)};
        const std::size_t padded = c.size + (c.size & 1u);
        if (padded > end - c.offset) {
            error = "chunk '" + c.id + "' at offset " + std::to_string(at) + " runs past the end";
            return false;
        }
        chunks.push_back(c);
        at = c.offset + padded;
    }
    return true;
}

std::string trimNuls(std::string s) {
    while (!s.empty() && s.back() == '\0') s.pop_back();
    return s;
}

std::vector<std::int16_t> samplesOf(const Bytes& b, const Chunk& data) {
    std::vector<std::int16_t> samples(data.size / 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(le16(b, data.offset + 2 * i));
    return samples;
}

class VoiceClipFile : public ::testing::TestWithParam<ClipCase> {
  protected:
    void SetUp() override {
        bytes_ = readFile(clipPath(GetParam().index));
        ASSERT_FALSE(bytes_.empty()) << "cannot read " << clipPath(GetParam().index);
        ASSERT_GE(bytes_.size(), 12u);
        ASSERT_EQ(fourcc(bytes_, 0), "RIFF");
        ASSERT_EQ(fourcc(bytes_, 8), "WAVE");
        ASSERT_EQ(std::size_t{le32(bytes_, 4)} + 8, bytes_.size())
            << "RIFF size does not match the file size";
        std::string error;
        ASSERT_TRUE(splitChunks(bytes_, 12, bytes_.size(), chunks_, error)) << error;
        ASSERT_GE(chunks_.size(), 2u) << "expected at least \"fmt \" and \"data\"";
    }

    Bytes bytes_;
    std::vector<Chunk> chunks_;
};

TEST_P(VoiceClipFile, StartsWithPcmFormatChunk) {
    const Chunk& fmt = chunks_[0];
    ASSERT_EQ(fmt.id, "fmt ");
    ASSERT_EQ(fmt.size, 16u) << "plain PCMWAVEFORMAT, no extension";
    EXPECT_EQ(le16(bytes_, fmt.offset + 0), kFormatPcm);
    EXPECT_EQ(le16(bytes_, fmt.offset + 2), kChannels);
    EXPECT_EQ(le32(bytes_, fmt.offset + 4), kSampleRate);
    EXPECT_EQ(le32(bytes_, fmt.offset + 8), kByteRate);
    EXPECT_EQ(le16(bytes_, fmt.offset + 12), kBlockAlign);
    EXPECT_EQ(le16(bytes_, fmt.offset + 14), kBitsPerSample);
}

TEST_P(VoiceClipFile, DataChunkFollowsWithExactLength) {
    const Chunk& data = chunks_[1];
    ASSERT_EQ(data.id, "data");
    EXPECT_EQ(data.size, GetParam().frames * kBlockAlign);
}

TEST_P(VoiceClipFile, CarriesOnlyTheExpectedChunksAfterData) {
    if (!GetParam().nameTagged) {
        EXPECT_EQ(chunks_.size(), 2u) << "unexpected chunk '" << chunks_.back().id << "'";
        return;
    }
    ASSERT_EQ(chunks_.size(), 4u);

    const Chunk& list = chunks_[2];
    ASSERT_EQ(list.id, "LIST");
    ASSERT_GE(list.size, 4u);
    ASSERT_EQ(fourcc(bytes_, list.offset), "INFO");
    std::vector<Chunk> tags;
    std::string error;
    ASSERT_TRUE(splitChunks(bytes_, list.offset + 4, list.offset + list.size, tags, error))
        << error;
    const auto inam =
        std::find_if(tags.begin(), tags.end(), [](const Chunk& c) { return c.id == "INAM"; });
    ASSERT_NE(inam, tags.end()) << "LIST/INFO has no INAM tag";
    EXPECT_EQ(trimNuls(std::string(reinterpret_cast<const char*>(bytes_.data() + inam->offset),
                                   inam->size)),
              kClipName);

    // ID3v2.3: "ID3", version 3.0, flags, syncsafe size of the frames; then frames of
    // 4-byte id, 4-byte big-endian size, 2 flag bytes.
    const Chunk& id3 = chunks_[3];
    ASSERT_EQ(id3.id, "id3 ");
    ASSERT_GE(id3.size, 10u);
    const std::size_t tag = id3.offset;
    ASSERT_EQ(std::string(reinterpret_cast<const char*>(bytes_.data() + tag), 3), "ID3");
    EXPECT_EQ(bytes_[tag + 3], 3) << "ID3v2 major version";
    std::uint32_t tagSize = 0;
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(bytes_[tag + 6 + i] & 0x80, 0) << "ID3 size is not syncsafe";
        tagSize = (tagSize << 7) | bytes_[tag + 6 + i];
    }
    ASSERT_LE(10u + tagSize, id3.size) << "ID3 tag runs past its chunk";
    ASSERT_GE(tagSize, 11u) << "ID3 tag holds no frame";
    ASSERT_EQ(fourcc(bytes_, tag + 10), "TIT2");
    const std::uint32_t frameSize = be32(bytes_, tag + 14);
    ASSERT_GE(frameSize, 1u);
    ASSERT_LE(10u + frameSize, tagSize) << "TIT2 frame runs past the tag";
    EXPECT_EQ(bytes_[tag + 20], 0) << "TIT2 text encoding (ISO-8859-1 expected)";
    EXPECT_EQ(trimNuls(std::string(reinterpret_cast<const char*>(bytes_.data() + tag + 21),
                                   frameSize - 1)),
              kClipName);
}

TEST_P(VoiceClipFile, HoldsCleanAudibleSound) {
    const Chunk& data = chunks_[1];
    ASSERT_EQ(data.id, "data");
    const std::vector<std::int16_t> s = samplesOf(bytes_, data);
    ASSERT_FALSE(s.empty());

    int peak = 0;
    int clipped = 0;
    double energy = 0.0;
    for (std::int16_t v : s) {
        const int a = std::abs(static_cast<int>(v));
        peak = std::max(peak, a);
        clipped += a >= kMaxClipped ? 1 : 0;
        energy += static_cast<double>(v) * v;
    }
    const double rms = std::sqrt(energy / static_cast<double>(s.size()));

    EXPECT_GE(peak, kMinPeak) << "clip is silent or far too quiet";
    EXPECT_GE(rms, kMinRms) << "clip is mostly silence";
    EXPECT_EQ(clipped, 0) << "samples at full scale: the clip is clipped";
    EXPECT_LE(std::abs(static_cast<int>(s.front())), kMaxEdgeSample) << "clip starts with a click";
    EXPECT_LE(std::abs(static_cast<int>(s.back())), kMaxEdgeSample) << "clip ends with a click";
}

INSTANTIATE_TEST_SUITE_P(Clips, VoiceClipFile, ::testing::ValuesIn(kClips),
                         [](const ::testing::TestParamInfo<ClipCase>& clip) {
                             return "wav" + std::to_string(clip.param.index);
                         });

}  // namespace
