// Loading the settings file: defaults, notations, the order of effects and early ends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeOverlay.h"
#include "FakeStore.h"
#include "app/TfrmMain.h"
#include "settings/IniFile.h"

namespace tallyvox {
namespace {

const std::string kPath = "/game/qorvane.db";
const std::string kTitle = "\xB1\xEA\xCC\xE2";  // 标题

class LoadSettingsTest : public testing::Test {
  protected:
    test::FakeOverlay fake;
    test::FakeStore store;
    TfrmMain frm{fake, fake, fake};

    void Load(const std::string& content) {
        store.files[kPath] = content;
        IniFile ini(store, kPath);
        frm.LoadSettings(ini);
    }
};

TEST_F(LoadSettingsTest, MissingFileOrEmptySectionLeavesConstructionValues) {
    for (const std::string content : {"", "[Common]\r\n", "[Other]\r\nTopMost=0\r\n"}) {
        test::FakeOverlay f;
        TfrmMain m{f, f, f};
        store.files[kPath] = content;
        IniFile ini(store, kPath);
        m.LoadSettings(ini);
        EXPECT_TRUE(f.log.empty()) << content;
        EXPECT_TRUE(m.sortTypeText.empty());
        EXPECT_TRUE(m.Slot(1).secondsText.empty());
        EXPECT_EQ(m.topMost, 0);
    }
    IniFile missing(store, "/elsewhere/qorvane.db");
    frm.LoadSettings(missing);
    EXPECT_TRUE(fake.log.empty());
}

TEST_F(LoadSettingsTest, OneKeyGivesEveryOtherItsDefault) {
    Load("[Common]\r\nTopMost=0\r\n");
    EXPECT_EQ(frm.sortTypeText, "\xB6\xE0\xC5\xC5");
    EXPECT_EQ(frm.timerCounterText, "1");
    EXPECT_EQ(frm.lastSecondText, "30");
    EXPECT_EQ(frm.isCircle, 0);
    EXPECT_EQ(frm.isSecondCounter, 0);
    const std::vector<std::string> seconds = {"60", "50", "40", "30", "60", "50", "40", "30"};
    for (int slot = 1; slot <= 8; ++slot) {
        EXPECT_EQ(frm.Slot(slot).titleText, kTitle + std::to_string(slot));
        EXPECT_EQ(frm.Slot(slot).hotKeyName, "F" + std::to_string(slot));
        EXPECT_EQ(frm.Slot(slot).secondsText, seconds[static_cast<std::size_t>(slot - 1)]);
        EXPECT_EQ(fake.slot[slot].panelCaption, seconds[static_cast<std::size_t>(slot - 1)]);
        EXPECT_EQ(fake.slot[slot].labelColor, 0) << "black, not the window-text colour";
    }
    EXPECT_EQ(frm.topMost, 0);
    EXPECT_FALSE(fake.topMost);
    EXPECT_FALSE(fake.slot[2].visible) << "one visible slot";
}

TEST_F(LoadSettingsTest, AppliesEachValueInReadingOrder) {
    Load(
        "[Common]\r\nTimerCounter=2\r\nHotKey1=F7\r\nSeconds1=045\r\nTitle2=a=b\r\n"
        "TitleColor=255\r\nTopMost=2\r\n");
    const auto& log = fake.log;
    // The layout runs before the hotkey names are read: it registers nothing.
    EXPECT_EQ(fake.LogOf("register"), std::vector<std::string>{});
    EXPECT_EQ(fake.LogOf("unregister"),
              (std::vector<std::string>{"unregister 4097", "unregister 4098"}));
    EXPECT_EQ(frm.Slot(1).hotKeyName, "F7");
    EXPECT_EQ(frm.Slot(1).remaining, 45);
    EXPECT_EQ(frm.Slot(1).period, 45);
    EXPECT_EQ(fake.slot[1].panelCaption, "045");
    EXPECT_EQ(frm.Slot(2).titleText, "a=b");
    EXPECT_EQ(fake.slot[2].labelHint, "a=b");
    EXPECT_EQ(frm.titleColor, 255);
    EXPECT_EQ(frm.topMost, 1);
    // Slot by slot: label caption, hint, panel caption; then colours; topmost last.
    const std::vector<std::string> tail(log.end() - 9, log.end());
    EXPECT_EQ(tail,
              (std::vector<std::string>{"labelColor 1 255", "labelColor 2 255", "labelColor 3 255",
                                        "labelColor 4 255", "labelColor 5 255", "labelColor 6 255",
                                        "labelColor 7 255", "labelColor 8 255", "topMost 1"}));
    const auto first = std::find(log.begin(), log.end(), "labelCaption 1 " + kTitle + "1");
    ASSERT_NE(first, log.end());
    EXPECT_EQ(*(first + 1), "labelHint 1 " + kTitle + "1");
    EXPECT_EQ(*(first + 2), "panelCaption 1 045");
}

TEST_F(LoadSettingsTest, IntegerKeysReadNumbersUnchangedAndTextAsTheDefault) {
    struct Case {
        std::string isCircle, topMost;
        std::int32_t circle, top;
    };
    for (const Case& c : {Case{"5", "0", 5, 0}, Case{"abc", "abc", 0, 1}, Case{"$10", "", 16, 1},
                          Case{"-1", "0x0", -1, 0}}) {
        test::FakeOverlay f;
        TfrmMain m{f, f, f};
        store.files[kPath] = "[Common]\nIsCircle=" + c.isCircle + "\nTopMost=" + c.topMost + "\n";
        IniFile ini(store, kPath);
        m.LoadSettings(ini);
        EXPECT_EQ(m.isCircle, c.circle) << c.isCircle;
        EXPECT_EQ(m.topMost, c.top) << c.topMost;
    }
}

TEST_F(LoadSettingsTest, EmptyValueIsEmptyNotTheDefault) {
    Load("[Common]\r\nTitle1=\r\nLastSecond=\r\n");
    EXPECT_EQ(frm.Slot(1).titleText, "");
    EXPECT_EQ(fake.slot[1].labelCaption, "");
    EXPECT_EQ(frm.lastSecondText, "");
}

TEST_F(LoadSettingsTest, BadTimerCounterEndsLoadingBeforeTheLayout) {
    Load("[Common]\r\nSortType=x\r\nTimerCounter=abc\r\nLastSecond=5\r\nTopMost=0\r\n");
    EXPECT_EQ(frm.sortTypeText, "x");
    EXPECT_EQ(frm.timerCounterText, "abc");
    EXPECT_TRUE(frm.lastSecondText.empty());
    EXPECT_TRUE(fake.log.empty());
    EXPECT_EQ(frm.loadedKeys, (std::vector<std::string>{"SortType", "TimerCounter"}));
}

TEST_F(LoadSettingsTest, BadSecondsEndsLoadingInsideItsSlot) {
    Load(
        "[Common]\r\nTimerCounter=4\r\nSeconds3=\r\nTitle3=boss\r\nSeconds4=9\r\n"
        "TitleColor=255\r\nTopMost=0\r\n");
    EXPECT_EQ(frm.Slot(2).period, 50);
    EXPECT_EQ(frm.Slot(3).titleText, "boss");
    EXPECT_EQ(frm.Slot(3).hotKeyName, "F3");
    EXPECT_EQ(frm.Slot(3).secondsText, "");
    EXPECT_EQ(fake.slot[3].labelCaption, "boss");
    EXPECT_EQ(fake.slot[3].labelHint, "boss");
    EXPECT_EQ(fake.slot[3].panelCaption, "") << "slot 3's panel is never set";
    EXPECT_EQ(frm.Slot(3).period, 0);
    EXPECT_TRUE(frm.Slot(4).secondsText.empty());
    EXPECT_EQ(frm.titleColor, 0);
    EXPECT_EQ(frm.topMost, 0);
    EXPECT_TRUE(fake.LogOf("topMost").empty());
    EXPECT_TRUE(fake.LogOf("labelColor").empty());
    EXPECT_EQ(frm.loadedKeys.back(), "Seconds3");
}

TEST_F(LoadSettingsTest, OutOfRangeCountIsHandedToTheLayoutWhichIgnoresIt) {
    Load("[Common]\r\nTimerCounter=9\r\n");
    EXPECT_EQ(frm.timerCounterText, "9");
    EXPECT_TRUE(fake.LogOf("visible").empty());
    EXPECT_EQ(frm.Slot(8).period, 30) << "loading went on";
}

}  // namespace
}  // namespace tallyvox
