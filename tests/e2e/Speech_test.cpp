// Spoken numbers end to end: what the real program plays, captured from its sound output and
// matched clip by clip against the committed voice clips.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "DialogFixture.h"
#include "Driver.h"

namespace tallyvox::e2e {
namespace {

// A RIFF/WAVE file of 16-bit mono PCM at 22050 Hz, the format the capture holds byte for byte.
std::string Wav16(const std::string& pcm) {
    auto le = [](std::uint32_t v, int bytes) {
        std::string b;
        for (int i = 0; i < bytes; ++i) b += static_cast<char>(v >> (8 * i));
        return b;
    };
    return "RIFF" + le(static_cast<std::uint32_t>(36 + pcm.size()), 4) + "WAVEfmt " + le(16, 4) +
           le(1, 2) + le(1, 2) + le(22050, 4) + le(44100, 4) + le(2, 2) + le(16, 2) + "data" +
           le(static_cast<std::uint32_t>(pcm.size()), 4) + pcm;
}

// A square wave of `samples` samples, loud from the first to the last.
std::string Tone(int period, int samples) {
    std::string pcm;
    for (int i = 0; i < samples; ++i) {
        const auto v = static_cast<std::uint16_t>(i % period < period / 2 ? 9000 : -9000);
        pcm += static_cast<char>(v & 0xFF);
        pcm += static_cast<char>(v >> 8);
    }
    return pcm;
}

class SpeechTest : public DialogFixture {
  protected:
    void SetUp() override {
        if (SoundCapturePath().empty()) GTEST_SKIP() << "needs run_under_wine.sh's sound capture";
        clips = VoiceClipsPcm();
        ClearSoundCapture();
    }

    std::vector<int> Spoken() const { return FindClipSequence(ReadSoundCapture(), clips); }
    // Once the count shows its last step every number has been posted, so when the sound has
    // stopped coming (no sample for half a second) the clips are all there are.
    void ExpectSpoken(const std::vector<int>& expected, int timeout_ms) {
        WaitUntil([&] { return Spoken().size() >= expected.size(); }, timeout_ms, 100);
        std::size_t size = ReadSoundCapture().size();
        auto grew = std::chrono::steady_clock::now();
        EXPECT_TRUE(WaitUntil(
            [&] {
                const std::size_t now = ReadSoundCapture().size();
                if (now != size) grew = std::chrono::steady_clock::now();
                size = now;
                return std::chrono::steady_clock::now() - grew > std::chrono::milliseconds(500);
            },
            timeout_ms, 100))
            << "the sound goes on";
        EXPECT_EQ(Spoken(), expected);
    }
    std::vector<std::string> clips;
};

TEST_F(SpeechTest, LastThreeSecondsAreSpokenOnceEachAndZeroIsSilent) {
    Start("[Common]\nTimerCounter=1\nIsSecondCounter=1\nLastSecond=3\nSeconds1=5\n");
    DoubleClick(Panel(1));
    ASSERT_TRUE(WaitUntil([&] { return GetText(Panel(1)) == L"-1"; }, 9000));
    ExpectSpoken({3, 2, 1}, 4000);
}

TEST_F(SpeechTest, TeensAreSpokenAsTenAndTheUnit) {
    Start("[Common]\nTimerCounter=1\nIsSecondCounter=1\nLastSecond=12\nSeconds1=14\n");
    DoubleClick(Panel(1));
    ASSERT_TRUE(WaitUntil([&] { return GetText(Panel(1)) == L"-1"; }, 18000, 100));
    ExpectSpoken({10, 2, 10, 1, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1}, 8000);
}

TEST_F(SpeechTest, TwoSlotsInterleaveWholeNumbers) {
    Start(
        "[Common]\nTimerCounter=2\nIsSecondCounter=1\nLastSecond=12\nSeconds1=13\n"
        "Seconds2=13\n");
    DoubleClick(Panel(1));
    DoubleClick(Panel(2));
    ASSERT_TRUE(WaitUntil([&] { return PanelCount(2) <= 10; }, 6000, 100));
    DoubleClick(Panel(1));
    DoubleClick(Panel(2));
    // 12, 12, 11, 11 and perhaps 10 from each: never the halves of two numbers mixed.
    WaitUntil([&] { return Spoken().size() >= 8; }, 8000, 100);
    const std::vector<int> spoken = Spoken();
    ASSERT_GE(spoken.size(), 8u);
    EXPECT_EQ(std::vector<int>(spoken.begin(), spoken.begin() + 8),
              (std::vector<int>{10, 2, 10, 2, 10, 1, 10, 1}));
}

TEST_F(SpeechTest, AVoicePackBesideTheProgramSpeaksInPlaceOfTheBuiltInClips) {
    // wav3 with silence at both ends, WAV1.WAV in capitals, wav2 not a sound file at all.
    const std::string three = Tone(40, 3000), one = Tone(24, 2500), silence(800, '\0');
    ASSERT_TRUE(CreateDirectoryW(dir.File(L"voice").c_str(), nullptr));
    WriteFileBytes(dir.File(L"voice\\wav3.wav"), Wav16(silence + three + silence));
    WriteFileBytes(dir.File(L"voice\\WAV1.WAV"), Wav16(one));
    WriteFileBytes(dir.File(L"voice\\wav2.wav"), "not a sound");
    clips[3] = three;  // trimmed, otherwise as the file holds it
    clips[1] = one;
    Start("[Common]\nTimerCounter=1\nIsSecondCounter=1\nLastSecond=3\nSeconds1=5\n");
    DoubleClick(Panel(1));
    ASSERT_TRUE(WaitUntil([&] { return GetText(Panel(1)) == L"-1"; }, 9000));
    ExpectSpoken({3, 2, 1}, 4000);

    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    ASSERT_NO_FATAL_FAILURE(ShowHelpPage());
    EXPECT_EQ(GetText(Ctl(ids::kVoice)),
              L"语音：语音包 voice，用了 2 个文件，其余是内置语音（1 个没用上，原因见下）");
    EXPECT_EQ(GetText(Ctl(ids::kRefused)), L"wav2.wav：不是 WAV 文件");
}

TEST_F(SpeechTest, ListeningSpeaksThreeTwoOneWithSpeakingOff) {
    Start("[Common]\nTimerCounter=1\nIsSecondCounter=0\n");
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    ASSERT_NO_FATAL_FAILURE(ShowHelpPage());
    EXPECT_EQ(GetText(Ctl(ids::kVoice)), L"语音：内置语音");
    SendMessageW(Ctl(ids::kListen), BM_CLICK, 0, 0);
    ExpectSpoken({3, 2, 1}, 4000);
}

TEST_F(SpeechTest, ExitWhileSpeakingWithABacklogIsPromptAndClean) {
    std::string settings = "[Common]\nTimerCounter=8\nIsSecondCounter=1\nLastSecond=229\n";
    for (int slot = 1; slot <= 8; ++slot) settings += "Seconds" + std::to_string(slot) + "=230\n";
    Start(settings);
    for (int slot = 1; slot <= 8; ++slot) DoubleClick(Panel(slot));
    // Eight two-clip numbers a tick: the voice falls far behind.
    ASSERT_TRUE(WaitUntil([&] { return PanelCount(1) <= 227; }, 5000, 100));
    ASSERT_FALSE(Spoken().empty());
    ASSERT_NO_FATAL_FAILURE(ExitByMenu());
    // Queued numbers were dropped: far fewer clips than the two of each of the 24 or more
    // numbers posted were spoken.
    EXPECT_LT(Spoken().size(), 48u);
    EXPECT_TRUE(FindTopLevelWindows(nullptr, L"Program Error").empty()) << "no crash dialog";
}

}  // namespace
}  // namespace tallyvox::e2e
