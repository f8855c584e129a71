// Display scales: the one rounding rule, the slot layout and the dialog heights at 96, 120, 144
// and 192 DPI.
#include <gtest/gtest.h>

#include <string>

#include "FakeOverlay.h"
#include "app/TfrmMain.h"
#include "dialog/SetsModel.h"
#include "dialog/TfrmSets.h"
#include "ui/DisplayScale.h"

namespace tallyvox {
namespace {

struct ScaleCase {
    int length, dpi, expected;
};

class ScaleToDpiTest : public testing::TestWithParam<ScaleCase> {};

TEST_P(ScaleToDpiTest, RoundsHalfAwayFromZero) {
    const ScaleCase& c = GetParam();
    EXPECT_EQ(ScaleToDpi(c.length, c.dpi), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Scales, ScaleToDpiTest,
                         testing::Values(ScaleCase{86, 96, 86}, ScaleCase{86, 120, 108},
                                         ScaleCase{46, 120, 58}, ScaleCase{28, 120, 35},
                                         ScaleCase{-13, 120, -16}, ScaleCase{13, 144, 20},
                                         ScaleCase{-1, 144, -2}, ScaleCase{113, 144, 170},
                                         ScaleCase{-12, 192, -24}, ScaleCase{86, 0, 86}));

struct LayoutAtDpi {
    int dpi;
    int labelLeft, labelTop, panelLeft, panelTop;  // slot 8 of two columns
    int width, height;
};

class ScaledLayoutTest : public testing::TestWithParam<LayoutAtDpi> {};

// Slot 8 stands one column and three rows from slot 1: every pitch is scaled, then multiplied.
TEST_P(ScaledLayoutTest, EightSlotsInTwoColumns) {
    const LayoutAtDpi& c = GetParam();
    test::FakeOverlay fake;
    fake.dpi = c.dpi;
    TfrmMain frm{fake, fake, fake};
    frm.ArrangeSlots(8);
    const auto& s = fake.slot[8];
    EXPECT_EQ(s.labelLeft, c.labelLeft);
    EXPECT_EQ(s.labelTop, c.labelTop);
    EXPECT_EQ(s.panelLeft, c.panelLeft);
    EXPECT_EQ(s.panelTop, c.panelTop);
    EXPECT_EQ(fake.width, c.width);
    EXPECT_EQ(fake.height, c.height);
}

INSTANTIATE_TEST_SUITE_P(Dpis, ScaledLayoutTest,
                         testing::Values(LayoutAtDpi{96, 86, 92, 142, 88, 192, 184},
                                         LayoutAtDpi{120, 108, 115, 178, 110, 240, 232},
                                         LayoutAtDpi{144, 129, 138, 213, 132, 288, 276},
                                         LayoutAtDpi{192, 172, 184, 284, 176, 384, 368}));

TEST(ScaleChangedTest, TheLastLayoutTakesTheNewScaleWithoutTouchingHotkeys) {
    test::FakeOverlay fake;
    TfrmMain frm{fake, fake, fake};
    frm.sortTypeText = "\xCA\xFA\xC5\xC5";  // 竖排
    frm.ArrangeSlots(3);
    frm.ArrangeSlots(1);  // places nothing: the three-slot column stays the last layout
    const std::size_t hotKeyCalls = fake.LogOf("register").size() + fake.LogOf("unreg").size();
    const WindowSize asked = frm.ClientSizeAt(144);  // what the window asks of the system
    fake.dpi = 144;
    frm.ScaleChanged();
    EXPECT_EQ(fake.slot[3].panelTop, 6 + 2 * 42);
    EXPECT_EQ(fake.width, 144);
    EXPECT_EQ(fake.height, 3 * 69);
    EXPECT_EQ(asked.width, fake.width);
    EXPECT_EQ(asked.height, fake.height);
    EXPECT_FALSE(fake.slot[2].visible) << "visibility stays";
    EXPECT_EQ(fake.LogOf("register").size() + fake.LogOf("unreg").size(), hotKeyCalls);
}

TEST(ScaleChangedTest, WithoutALayoutTheBuiltInPlacesAndSizeScale) {
    test::FakeOverlay fake;
    TfrmMain frm{fake, fake, fake};
    const WindowSize asked = frm.ClientSizeAt(144);
    fake.dpi = 144;
    frm.ScaleChanged();
    EXPECT_EQ(fake.slot[6].panelLeft, 84 + 129 - 3);
    EXPECT_EQ(fake.slot[6].panelTop, 6 + 2 * 42);
    EXPECT_EQ(fake.width, 264);
    EXPECT_EQ(fake.height, 170);
    EXPECT_EQ(asked.width, fake.width);
    EXPECT_EQ(asked.height, fake.height);
}

struct SizeCase {
    std::string count;
    DialogScale scale;
    WindowSize expected;
};

class ScaledDialogSizeTest : public testing::TestWithParam<SizeCase> {};

// The client part below the 96-DPI frame scales; the frame at the dialog's DPI is added whole.
// Without a count of 1..8 the dialog keeps its designed height.
TEST_P(ScaledDialogSizeTest, ClientPartScalesAndTheRealFrameIsAdded) {
    const SizeCase& c = GetParam();
    test::FakeOverlay fake;
    TfrmMain frm{fake, fake, fake};
    frm.timerCounterText = c.count;
    SetsModel model;
    const WindowSize size = TfrmSets{frm, model}.OuterSize(c.scale);
    EXPECT_EQ(size.width, c.expected.width);
    EXPECT_EQ(size.height, c.expected.height);
}

INSTANTIATE_TEST_SUITE_P(Dpis, ScaledDialogSizeTest,
                         testing::Values(SizeCase{"4", {96, 25, 25, 6}, {310, 330}},
                                         SizeCase{"1", {120, 26, 30, 8}, {388, 203}},
                                         SizeCase{"4", {144, 25, 34, 8}, {464, 492}},
                                         SizeCase{"8", {192, 25, 44, 10}, {618, 1102}},
                                         SizeCase{"9", {144, 25, 34, 8}, {464, 826}},
                                         SizeCase{"", {96, 25, 25, 6}, {310, 553}}));

}  // namespace
}  // namespace tallyvox
