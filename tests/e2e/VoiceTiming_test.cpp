// When the voice speaks against what the overlay shows, with the sound device paced to real
// time (run_under_wine.sh with TALLYVOX_SOUND_READER, as the benchmark runs): the capture then
// grows as the sound plays, so the time a clip's bytes arrive is the time it began to play.
// Prints the figures that docs/performance.md reports.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "OverlayFixture.h"
#include "voice/TMyThread.h"

namespace tallyvox::e2e {
namespace {

using Clock = std::chrono::steady_clock;

class VoiceTimingTest : public OverlayFixture {
  protected:
    void SetUp() override {
        if (SoundCapturePath().empty() || _wgetenv(L"TALLYVOX_SOUND_READER") == nullptr)
            GTEST_SKIP() << "needs run_under_wine.sh with the paced sound reader";
        clips = VoiceClipsPcm();
        ClearSoundCapture();
    }

    // Watches slot `slot`'s count and the capture until the count shows -1 (and the sound has
    // been quiet for a second): when each count first showed, and the capture's sizes in time.
    void Watch(int lastSlot) {
        start = Clock::now();
        auto quiet = Clock::now();
        std::size_t size = 0;
        while (Clock::now() - start < std::chrono::seconds(60)) {
            const double t = Ms();
            for (int slot = 1; slot <= lastSlot; ++slot) {
                const int count = PanelCount(slot);
                if (!shown[slot].count(count)) shown[slot][count] = t;
            }
            const std::size_t now = ReadSoundCapture().size();
            if (now != size) {
                sizes.push_back({t, now});
                size = now;
                quiet = Clock::now();
            }
            if (PanelCount(lastSlot) == -1 && Clock::now() - quiet > std::chrono::seconds(1)) break;
            Sleep(5);
        }
    }

    double Ms() const {
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }
    // When the capture first held byte `offset`.
    double ArrivedAt(std::size_t offset) const {
        for (const auto& [t, size] : sizes) {
            if (size > offset) return t;
        }
        return -1;
    }
    // The numbers spoken (grouping the clips by the rule) and when each began.
    std::vector<std::pair<int, double>> Numbers(const std::vector<int>& expected) const {
        const std::string capture = ReadSoundCapture();
        std::vector<std::pair<int, double>> spoken;
        std::size_t from = 0;
        for (const int n : expected) {
            const std::vector<int> parts = ClipsForNumber(n);
            const std::size_t at = capture.find(clips[parts[0]], from);
            if (at == std::string::npos) continue;  // left out
            std::size_t end = at;
            for (const int clip : parts) end = capture.find(clips[clip], end) + clips[clip].size();
            spoken.push_back({n, ArrivedAt(at)});
            from = end;
        }
        return spoken;
    }

    std::vector<std::string> clips;
    Clock::time_point start;
    std::map<int, std::map<int, double>> shown;  // slot -> count -> first shown, ms
    std::vector<std::pair<double, std::size_t>> sizes;
};

TEST_F(VoiceTimingTest, OneCountdownSpeaksEachNumberWhileItShows) {
    Start("[Common]\nTimerCounter=1\nIsSecondCounter=1\nLastSecond=20\nSeconds1=21\n");
    DoubleClick(Panel(1));
    Watch(1);
    std::vector<int> expected;
    for (int n = 20; n >= 1; --n) expected.push_back(n);
    const auto spoken = Numbers(expected);
    EXPECT_EQ(spoken.size(), expected.size()) << "one countdown loses no number";
    std::printf("number  shown ms  began ms  late ms\n");
    for (const auto& [n, began] : spoken) {
        const double late = began - shown[1][n];
        std::printf("%6d  %8.0f  %8.0f  %7.0f\n", n, shown[1][n], began, late);
        EXPECT_LT(late, 985) << n << " began after the next count showed";
    }
}

TEST_F(VoiceTimingTest, TwoCountdownsAQuarterSecondApartEndOnTime) {
    Start(
        "[Common]\nTimerCounter=2\nIsSecondCounter=1\nLastSecond=20\nSeconds1=21\n"
        "Seconds2=21\n");
    DoubleClick(Panel(1));
    Sleep(250);
    DoubleClick(Panel(2));
    Watch(2);
    // The last "1" is the last sound of the run.
    const std::string capture = ReadSoundCapture();
    const std::size_t at = capture.rfind(clips[1]);
    ASSERT_NE(at, std::string::npos);
    const double late = ArrivedAt(at) - shown[2][1];
    std::printf(
        "%zu clips of the 76 of 40 numbers spoken; the last \"1\" began %.0f ms after "
        "slot 2 showed 1\n",
        FindClipSequence(capture, clips).size(), late);
    EXPECT_LT(late, 985);
}

}  // namespace
}  // namespace tallyvox::e2e
