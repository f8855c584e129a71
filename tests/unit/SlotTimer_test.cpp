// The slot toggle, the tick and the panel-name rule, driven through a recording overlay.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeOverlay.h"
#include "app/TfrmMain.h"
#include "text/IntText.h"
#include "timers/SlotDisplay.h"

namespace tallyvox {
namespace {

class SlotTimerTest : public testing::Test {
  protected:
    test::FakeOverlay fake;
    TfrmMain frm{fake, fake, fake};

    // Ticks `slot` n times and returns what its panel showed, with colour letters.
    std::vector<std::string> Tick(int slot, int n) {
        std::vector<std::string> shown;
        for (int i = 0; i < n; ++i) {
            frm.tmrTimer(slot);
            const auto color = fake.slot[slot].panelColor;
            const char* c = color == kColorBlue ? "b" : color == kColorRed ? "r" : "g";
            shown.push_back(fake.slot[slot].panelCaption + c);
        }
        return shown;
    }
};

TEST_F(SlotTimerTest, NonCyclicCountdownEndsAtMinusOneAndStaysRunning) {
    frm.Slot(1).secondsText = "5";
    frm.lastSecondText = "3";
    frm.isSecondCounter = 1;
    frm.ToggleSlot(1);
    EXPECT_TRUE(fake.slot[1].tickerOn);
    EXPECT_EQ(Tick(1, 6), (std::vector<std::string>{"4b", "3r", "2r", "1r", "0r", "-1r"}));
    EXPECT_EQ(fake.spoken, (std::vector<std::intptr_t>{3, 2, 1, 0, -1}));
    EXPECT_FALSE(fake.slot[1].tickerOn);
    EXPECT_EQ(frm.Slot(1).running, 1);

    // The first toggle only stops the ended slot; the second starts again from the top.
    frm.ToggleSlot(1);
    EXPECT_EQ(fake.slot[1].panelCaption, "-1");
    EXPECT_EQ(fake.slot[1].panelColor, kColorGreen);
    EXPECT_FALSE(fake.slot[1].tickerOn);
    frm.ToggleSlot(1);
    EXPECT_EQ(Tick(1, 1), (std::vector<std::string>{"4b"}));
}

TEST_F(SlotTimerTest, EndingTickDisablesTheTickerThenStillCountsAndPosts) {
    frm.Slot(2).secondsText = "1";
    frm.lastSecondText = "0";
    frm.isSecondCounter = 1;
    frm.ToggleSlot(2);
    Tick(2, 1);
    fake.log.clear();
    frm.tmrTimer(2);
    EXPECT_EQ(fake.log,
              (std::vector<std::string>{"ticker 2 0", "panelCaption 2 -1", "post 33770 2 -1"}));
}

TEST_F(SlotTimerTest, CyclicCountdownRestartsFromPeriodInBlue) {
    frm.Slot(1).secondsText = "5";
    frm.lastSecondText = "3";
    frm.isCircle = 1;
    frm.ToggleSlot(1);
    EXPECT_EQ(Tick(1, 10), (std::vector<std::string>{"4b", "3r", "2r", "1r", "0r", "4b", "3r", "2r",
                                                     "1r", "0r"}));
    EXPECT_TRUE(fake.slot[1].tickerOn);
    EXPECT_TRUE(fake.spoken.empty()) << "speech is off";
}

TEST_F(SlotTimerTest, ZeroSecondsShowsMinusOneEveryTickWhenCyclic) {
    frm.Slot(4).secondsText = "0";
    frm.lastSecondText = "30";
    frm.isCircle = 1;
    frm.ToggleSlot(4);
    EXPECT_EQ(Tick(4, 3), (std::vector<std::string>{"-1b", "-1b", "-1b"}));
    frm.isCircle = 0;
    frm.ToggleSlot(4);
    frm.ToggleSlot(4);
    EXPECT_EQ(Tick(4, 1), (std::vector<std::string>{"-1b"}));
    EXPECT_FALSE(fake.slot[4].tickerOn);
}

TEST_F(SlotTimerTest, RedOnlyOnEqualityAndPostsFollowTheLastSecondsText) {
    frm.Slot(1).secondsText = "10";
    frm.lastSecondText = "3";
    frm.isSecondCounter = 1;
    frm.ToggleSlot(1);
    Tick(1, 3);  // 9 8 7
    frm.lastSecondText = "10";
    const auto shown = Tick(1, 3);  // 6 5 4: never equal to 10, all posted
    EXPECT_EQ(shown, (std::vector<std::string>{"6b", "5b", "4b"}));
    EXPECT_EQ(fake.spoken, (std::vector<std::intptr_t>{6, 5, 4}));
}

TEST_F(SlotTimerTest, LastSecondsOfPeriodMinusOneTurnsRedAtTheFirstTick) {
    frm.Slot(1).secondsText = "5";
    frm.isSecondCounter = 1;
    for (const auto& [last, firstColor] :
         std::vector<std::pair<std::string, std::string>>{{"4", "4r"}, {"7", "4b"}}) {
        frm.lastSecondText = last;
        frm.Slot(1).running = 0;
        fake.spoken.clear();
        frm.ToggleSlot(1);
        EXPECT_EQ(Tick(1, 1).front(), firstColor) << "L=" << last;
        EXPECT_EQ(fake.spoken, (std::vector<std::intptr_t>{4})) << "L=" << last;
    }
}

TEST_F(SlotTimerTest, FailedLastSecondsConversionEndsTheTickAfterShowingTheCount) {
    frm.Slot(1).secondsText = "5";
    frm.isSecondCounter = 1;
    frm.lastSecondText = "";
    frm.ToggleSlot(1);
    fake.log.clear();
    EXPECT_THROW(frm.tmrTimer(1), ConvertError);
    EXPECT_EQ(fake.log, (std::vector<std::string>{"panelCaption 1 4"}));
    EXPECT_TRUE(fake.slot[1].tickerOn);
    EXPECT_THROW(frm.tmrTimer(1), ConvertError);
    EXPECT_EQ(fake.slot[1].panelCaption, "3");
    EXPECT_TRUE(fake.spoken.empty());
    // A usable text again: the slot goes on where it is.
    frm.lastSecondText = "2";
    frm.tmrTimer(1);
    EXPECT_EQ(fake.slot[1].panelColor, kColorRed);
    EXPECT_EQ(fake.spoken, (std::vector<std::intptr_t>{2}));
}

TEST_F(SlotTimerTest, StartUsesDefaultsForOneStartOnly) {
    frm.ToggleSlot(3);
    EXPECT_EQ(fake.log, (std::vector<std::string>{"labelCaption 3 \xB1\xEA\xCC\xE2"
                                                  "3",
                                                  "labelHint 3 \xB1\xEA\xCC\xE2"
                                                  "3",
                                                  "panelColor 3 16711680", "ticker 3 1"}));
    EXPECT_EQ(frm.Slot(3).remaining, 40);
    EXPECT_EQ(frm.Slot(3).period, 40);
    EXPECT_TRUE(frm.Slot(3).titleText.empty());
    EXPECT_TRUE(frm.Slot(3).secondsText.empty());
    EXPECT_TRUE(fake.slot[3].panelCaption.empty()) << "a start does not touch the caption";
}

TEST_F(SlotTimerTest, StartConvertsTheSecondsTextStrictly) {
    struct Case {
        std::string seconds;
        bool starts;
        std::int32_t count;
    };
    for (const Case& c : {Case{"abc", false, 0}, Case{" 7", true, 7}, Case{"$10", true, 16},
                          Case{" ", false, 0}, Case{"1a", false, 0}}) {
        test::FakeOverlay f;
        TfrmMain m{f, f, f};
        m.Slot(5).secondsText = c.seconds;
        if (c.starts) {
            m.ToggleSlot(5);
            EXPECT_EQ(m.Slot(5).period, c.count) << c.seconds;
        } else {
            EXPECT_THROW(m.ToggleSlot(5), ConvertError) << c.seconds;
            EXPECT_TRUE(f.log.empty()) << "a failed start changes nothing: " << c.seconds;
        }
        EXPECT_EQ(m.Slot(5).running, c.starts ? 1 : 0) << c.seconds;
    }
}

TEST_F(SlotTimerTest, StopKeepsTheCountAndTheNextStartReloadsTheSecondsText) {
    frm.Slot(1).secondsText = "10";
    frm.lastSecondText = "3";
    frm.ToggleSlot(1);
    Tick(1, 4);
    fake.log.clear();
    frm.ToggleSlot(1);
    EXPECT_EQ(fake.log, (std::vector<std::string>{"ticker 1 0", "panelColor 1 32768"}));
    EXPECT_EQ(frm.Slot(1).remaining, 6);
    EXPECT_EQ(fake.slot[1].panelCaption, "6");
    frm.ToggleSlot(1);
    EXPECT_EQ(Tick(1, 1), (std::vector<std::string>{"9b"}));
}

TEST_F(SlotTimerTest, CountsWrapAtThe32BitLimitsWithoutOverflow) {
    frm.lastSecondText = "3";
    frm.Slot(1).secondsText = "-2147483648";
    frm.isCircle = 1;
    frm.ToggleSlot(1);
    EXPECT_EQ(Tick(1, 1), (std::vector<std::string>{"2147483647b"}));
    frm.Slot(2).secondsText = "2147483647";
    frm.ToggleSlot(2);
    EXPECT_EQ(Tick(2, 1), (std::vector<std::string>{"2147483646b"}));
}

TEST_F(SlotTimerTest, PeriodEditedWhileRunningTakesEffectAtTheCyclicRestart) {
    frm.Slot(1).secondsText = "3";
    frm.lastSecondText = "0";
    frm.isCircle = 1;
    frm.ToggleSlot(1);
    Tick(1, 1);
    frm.Slot(1).period = 6;
    EXPECT_EQ(Tick(1, 3), (std::vector<std::string>{"1b", "0r", "5b"}));
}

TEST_F(SlotTimerTest, OutOfRangeSlotNumbersDoNothing) {
    for (const int slot : {0, 9, -1}) {
        frm.ToggleSlot(slot);
        frm.tmrTimer(slot);
        frm.pnl1DblClick(slot);
    }
    EXPECT_TRUE(fake.log.empty());
}

TEST_F(SlotTimerTest, DoubleClickTogglesExactlyItsPanelsSlot) {
    for (const int slot : {1, 5, 8}) {
        test::FakeOverlay f;
        TfrmMain m{f, f, f};
        m.pnl1DblClick(slot);
        for (int k = 1; k <= 8; ++k) {
            EXPECT_EQ(m.Slot(k).running, k == slot ? 1 : 0) << slot << " slot " << k;
        }
    }
}

}  // namespace
}  // namespace tallyvox
