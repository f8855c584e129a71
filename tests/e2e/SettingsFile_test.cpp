// The settings file read at start-up, end to end: layouts and window sizes, titles, durations,
// the title colour, the always-on-top choice and a load that ends early.
#include <gtest/gtest.h>

#include <string>

#include "../unit/ExpectedLayout.h"
#include "Driver.h"
#include "OverlayFixture.h"

namespace tallyvox::e2e {
namespace {

using namespace test;  // the expected layout tables

using SettingsFileTest = OverlayFixture;

class LayoutTest : public SettingsFileTest, public testing::WithParamInterface<LayoutCase> {};

TEST_P(LayoutTest, SlotsAndWindowFollowTheStoredLayout) {
    const LayoutCase& c = GetParam();
    Start("[Common]\nSortType=" + c.sortType + "\nTimerCounter=" + std::to_string(c.count) + "\n");
    const RECT window = ScreenRect(main);
    EXPECT_EQ((ExpectedSize{window.right - window.left, window.bottom - window.top}),
              ExpectedWindowSize(c.layout, c.count));
    for (int slot = 1; slot <= 8; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_EQ(IsVisible(Panel(slot)), slot <= c.count);
        EXPECT_EQ(IsVisible(Label(slot)), slot <= c.count);
        if (slot > c.count) continue;
        const RECT panel = RectInParent(Panel(slot));
        const RECT label = RectInParent(Label(slot));
        EXPECT_EQ((ExpectedPlace{label.left, label.top, panel.left, panel.top}),
                  ExpectedPlaceOf(c.layout, slot));
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, LayoutTest,
                         testing::Values(LayoutCase{kMultiRowName, 5, kTwoColumns},
                                         LayoutCase{kMultiRowName, 8, kTwoColumns},
                                         LayoutCase{kHorizontalName, 2, kTwoColumns},
                                         LayoutCase{kHorizontalName, 4, kOneRow},
                                         LayoutCase{kHorizontalName, 8, kOneRow},
                                         LayoutCase{kVerticalName, 2, kOneColumn},
                                         LayoutCase{kVerticalName, 6, kOneColumn},
                                         LayoutCase{"grid", 3, kTwoColumns}));

TEST_F(SettingsFileTest, TitlesDurationsColourAndTopmostComeFromTheFile) {
    Start(
        "[Common]\nTimerCounter=3\nTitle1=\xB8\xB4\xBB\xEE\nTitle2=a=b\nSeconds1=045\n"
        "Seconds2=7\nTitleColor=255\nTopMost=0\n");
    EXPECT_EQ(GetText(Label(1)), L"复活");
    EXPECT_EQ(GetText(Label(2)), L"a=b");
    EXPECT_EQ(GetText(Label(3)), L"标题3");
    EXPECT_EQ(GetText(Panel(1)), L"045");
    EXPECT_EQ(GetText(Panel(2)), L"7");
    EXPECT_EQ(GetText(Panel(3)), L"40");
    EXPECT_GT(CountPixels(Label(1), 0x0000FF), 10) << "titles in red";
    EXPECT_FALSE(IsTopMost(main));
}

TEST_F(SettingsFileTest, MissingTopMostKeepsTheWindowOnTop) {
    Start("[Common]\nTimerCounter=1\nTopMost=abc\n");
    EXPECT_TRUE(IsTopMost(main));
}

TEST_F(SettingsFileTest, BadSecondsThreeEndsLoadingInsideSlotThree) {
    Start(
        "[Common]\nTimerCounter=4\nTitle3=boss\nSeconds2=20\nSeconds3=abc\nTitleColor=255\n"
        "TopMost=0\n",
        false);
    // The settings dialog filled at start-up reports the stored duration it cannot use,
    // before the overlay shows.
    HWND box = WaitForMessageBox(L"Tallyvox", 10000, app.Pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box).wide, L"'abc' is not a valid integer value.");
    ASSERT_TRUE(PressMessageBoxOk(box));
    ASSERT_TRUE(WaitUntil([&] { return IsVisible(main); }));
    EXPECT_EQ(GetText(Panel(2)), L"20");
    EXPECT_EQ(GetText(Label(3)), L"boss");
    EXPECT_EQ(GetText(Panel(3)), L"100") << "slot 3's count was never loaded";
    EXPECT_EQ(GetText(Panel(4)), L"100");
    EXPECT_EQ(CountPixels(Label(3), 0x0000FF), 0) << "the colour comes after slot 3";
    EXPECT_TRUE(IsTopMost(main)) << "TopMost=0 was never reached";
    EXPECT_EQ(CountMessageBoxes(L"Tallyvox", app.Pid()), 0) << "one box only";
}

}  // namespace
}  // namespace tallyvox::e2e
