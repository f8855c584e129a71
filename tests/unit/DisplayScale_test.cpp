// Display scales: the one rounding rule, the slot layout and the dialog heights at 96, 120, 144
// and 192 DPI.
#include <gtest/gtest.h>

#include "FakeOverlay.h"
#include "app/DisplayScale.h"
#include "app/TfrmMain.h"
#include "dialog/TfrmSets.h"

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
    fake.dpi = 144;
    frm.ScaleChanged();
    EXPECT_EQ(fake.slot[3].panelTop, 6 + 2 * 42);
    EXPECT_EQ(fake.width, 144);
    EXPECT_EQ(fake.height, 3 * 69);
    EXPECT_FALSE(fake.slot[2].visible) << "visibility stays";
    EXPECT_EQ(fake.LogOf("register").size() + fake.LogOf("unreg").size(), hotKeyCalls);
}

TEST(ScaleChangedTest, WithoutALayoutTheBuiltInPlacesAndSizeScale) {
    test::FakeOverlay fake;
    TfrmMain frm{fake, fake, fake};
    fake.dpi = 144;
    frm.ScaleChanged();
    EXPECT_EQ(fake.slot[6].panelLeft, 84 + 129 - 3);
    EXPECT_EQ(fake.slot[6].panelTop, 6 + 2 * 42);
    EXPECT_EQ(fake.width, 264);
    EXPECT_EQ(fake.height, 170);
}

struct HeightCase {
    std::int32_t count;
    DialogScale scale;
    int expected;
};

class ScaledDialogHeightTest : public testing::TestWithParam<HeightCase> {};

// The client part below the 96-DPI frame scales; the frame at the dialog's DPI is added whole.
TEST_P(ScaledDialogHeightTest, ClientPartScalesAndTheRealFrameIsAdded) {
    const HeightCase& c = GetParam();
    EXPECT_EQ(TfrmSets::OuterHeightFor(c.count, c.scale), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Dpis, ScaledDialogHeightTest,
                         testing::Values(HeightCase{4, {96, 25, 25}, 330},
                                         HeightCase{1, {120, 26, 30}, 203},
                                         HeightCase{4, {144, 25, 34}, 492},
                                         HeightCase{8, {192, 25, 44}, 1102},
                                         HeightCase{9, {144, 25, 34}, 0}));

}  // namespace
}  // namespace tallyvox
