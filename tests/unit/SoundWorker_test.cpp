// The number-to-clips rule and the sound worker's message protocol.
#include <gtest/gtest.h>

#include <deque>
#include <ostream>
#include <string>
#include <vector>

#include "voice/TMyThread.h"
#include "voice/WorkerProtocol.h"

namespace tallyvox {
namespace {

struct ClipCase {
    std::int32_t number;
    std::vector<int> clips;
};

void PrintTo(const ClipCase& c, std::ostream* os) {
    *os << c.number;
}

class ClipsForNumberTest : public testing::TestWithParam<ClipCase> {};

TEST_P(ClipsForNumberTest, SpeaksTheNumberTheChineseWay) {
    EXPECT_EQ(ClipsForNumber(GetParam().number), GetParam().clips) << GetParam().number;
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, ClipsForNumberTest,
    testing::Values(ClipCase{0, {}}, ClipCase{-1, {}}, ClipCase{-2147483647 - 1, {}},
                    ClipCase{1, {1}}, ClipCase{7, {7}}, ClipCase{9, {9}}, ClipCase{10, {10}},
                    ClipCase{11, {10, 1}}, ClipCase{15, {10, 5}}, ClipCase{19, {10, 9}},
                    ClipCase{20, {2, 10}}, ClipCase{25, {2, 5}}, ClipCase{90, {9, 10}},
                    ClipCase{99, {9, 9}}, ClipCase{100, {10, 10}}, ClipCase{105, {10, 5}},
                    ClipCase{110, {11, 10}}, ClipCase{125, {12, 5}}, ClipCase{200, {20, 10}},
                    ClipCase{229, {22, 9}}, ClipCase{230, {}}, ClipCase{1000, {}},
                    ClipCase{2147483647, {}}));

TEST(ClipsForNumberRangeTest, NeverIndexesPastTheTable) {
    for (std::int32_t n = -50; n <= 5000; ++n) {
        for (const int clip : ClipsForNumber(n)) {
            ASSERT_GE(clip, 0) << n;
            ASSERT_LT(clip, kClipCount) << n;
        }
    }
}

// A scripted queue; `onWait` lets a test act between messages, as another thread would.
class FakeQueue : public WorkerQueue {
  public:
    std::deque<WorkerMessage> messages;
    bool created = false;
    int waits = 0;

    void CreateQueue() override { created = true; }
    WorkerMessage Wait() override {
        ++waits;
        EXPECT_TRUE(created) << "queue must exist before the first wait";
        EXPECT_FALSE(messages.empty()) << "worker waited on an empty queue";
        if (messages.empty()) return {WM_WORKER, CMD_QUIT, -1};
        WorkerMessage m = messages.front();
        messages.pop_front();
        return m;
    }
};

class FakePlayer : public ClipPlayer {
  public:
    std::vector<int> played;
    std::function<void()> onPlay;
    void PlayClip(int index) override {
        played.push_back(index);
        if (onPlay) onPlay();
    }
};

WorkerMessage Speak(std::int32_t n, std::uint32_t postedAt = 0, std::uint32_t takenAt = 0) {
    return {WM_WORKER, CMD_SPEAK, n, postedAt, takenAt};
}
const WorkerMessage kQuit{WM_WORKER, CMD_QUIT, -1};

TEST(TMyThreadTest, SpeaksEveryNumberInPostingOrderWithoutMerging) {
    FakeQueue queue;
    FakePlayer player;
    queue.messages = {Speak(3), Speak(3), Speak(12), Speak(0), Speak(-1), Speak(20), kQuit};
    TMyThread worker;
    worker.Execute(queue, player);
    EXPECT_EQ(player.played, (std::vector<int>{3, 3, 10, 2, 2, 10}));
    EXPECT_TRUE(queue.messages.empty());
    EXPECT_TRUE(worker.Terminated());
}

TEST(TMyThreadTest, IgnoresForeignMessagesAndParameters) {
    FakeQueue queue;
    FakePlayer player;
    queue.messages = {{WM_WORKER + 1, CMD_SPEAK, 5},
                      {WM_WORKER, 3, 5},
                      {WM_WORKER, CMD_QUIT, 5},
                      {WM_WORKER, 0, 0},
                      {0x0012, CMD_QUIT, -1},
                      Speak(4),
                      kQuit};
    TMyThread worker;
    worker.Execute(queue, player);
    EXPECT_EQ(player.played, (std::vector<int>{4}));
    EXPECT_TRUE(queue.messages.empty());
}

TEST(TMyThreadTest, LeavesOutANumberWhoseTurnCameMoreThanATickAfterItsPost) {
    struct Case {
        std::uint32_t postedAt, takenAt;
        bool spoken;
    };
    const Case cases[] = {
        {1000, 1000, true},  {1000, 1985, true},       {1000, 1986, false},
        {1000, 9000, false}, {0xFFFFFF00u, 728, true}, {0xFFFFFF00u, 730, false},
        {5000, 4990, true},  // the two stamps of one clock may differ by a few ms
    };
    for (const Case& c : cases) {
        FakeQueue queue;
        FakePlayer player;
        queue.messages = {Speak(7, c.postedAt, c.takenAt), kQuit};
        TMyThread().Execute(queue, player);
        EXPECT_EQ(player.played.empty(), !c.spoken) << c.postedAt << " -> " << c.takenAt;
    }
}

TEST(TMyThreadTest, ABacklogLosesOnlyItsLateNumbersAndKeepsTheOrder) {
    FakeQueue queue;
    FakePlayer player;
    // Two countdowns' 12 and 11 posted in pairs a tick apart, taken as two-clip numbers end.
    queue.messages = {Speak(12, 0, 0),
                      Speak(12, 0, 1100),
                      Speak(11, 985, 1300),
                      Speak(11, 985, 2100),
                      Speak(10, 1970, 2200),
                      Speak(10, 1970, 2400),
                      kQuit};
    TMyThread worker;
    worker.Execute(queue, player);
    EXPECT_EQ(player.played, (std::vector<int>{10, 2, 10, 1, 10, 10}));
}

TEST(TMyThreadTest, AQuitMessageQuitsHoweverLongItWaited) {
    FakeQueue queue;
    FakePlayer player;
    queue.messages = {{WM_WORKER, CMD_QUIT, -1, 0, 60000}, Speak(3)};
    TMyThread worker;
    worker.Execute(queue, player);
    EXPECT_TRUE(worker.Terminated());
    EXPECT_TRUE(player.played.empty());
    EXPECT_EQ(queue.messages.size(), 1u);
}

TEST(TMyThreadTest, TerminateWhileSpeakingDropsTheQueuedNumbers) {
    FakeQueue queue;
    FakePlayer player;
    TMyThread worker;
    queue.messages = {Speak(15), Speak(7), Speak(8), kQuit};
    // Shutting down while the first clip plays: the number in hand may finish, no more.
    player.onPlay = [&] { worker.Terminate(); };
    worker.Execute(queue, player);
    EXPECT_EQ(player.played, (std::vector<int>{10, 5}));
    EXPECT_EQ(queue.messages.size(), 3u);
}

TEST(TMyThreadTest, ATerminateRequestBeforeStartEndsWithoutWaiting) {
    FakeQueue queue;
    FakePlayer player;
    TMyThread worker;
    worker.Terminate();
    worker.Execute(queue, player);
    EXPECT_TRUE(queue.created);
    EXPECT_EQ(queue.waits, 0);
}

}  // namespace
}  // namespace tallyvox
