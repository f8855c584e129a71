// Spoken numbers end to end: what the real program plays, captured from its sound output and
// matched clip by clip against the committed voice clips.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "Driver.h"
#include "OverlayFixture.h"

namespace tallyvox::e2e {
namespace {

class SpeechTest : public OverlayFixture {
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
