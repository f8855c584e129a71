// Slot layout: visibility, positions, window sizes, the special counts and hotkey order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ExpectedLayout.h"
#include "FakeOverlay.h"
#include "app/SlotLayout.h"
#include "app/TfrmMain.h"

namespace tallyvox {
namespace {

using namespace test;  // the expected layout tables and the fake

ExpectedPlace PlaceIn(const FakeOverlay& f, int slot) {
    const auto& s = f.slot[slot];
    return {s.labelLeft, s.labelTop, s.panelLeft, s.panelTop};
}

class ArrangeSlotsTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(ArrangeSlotsTest, PlacesSlotsAndSizesTheWindow) {
    const LayoutCase& c = GetParam();
    FakeOverlay fake;
    TfrmMain frm{fake, fake, fake};
    frm.sortTypeText = c.sortType;
    frm.ArrangeSlots(c.count);
    EXPECT_EQ((ExpectedSize{fake.width, fake.height}), ExpectedWindowSize(c.layout, c.count));
    for (int slot = 1; slot <= 8; ++slot) {
        EXPECT_EQ(fake.slot[slot].visible, slot <= c.count) << "slot " << slot;
        if (slot >= 2 && slot <= c.count) {
            EXPECT_EQ(PlaceIn(fake, slot), ExpectedPlaceOf(c.layout, slot)) << "slot " << slot;
        } else {
            EXPECT_EQ(fake.slot[slot].labelLeft, -1) << "slot " << slot << " must not move";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, ArrangeSlotsTest,
    testing::Values(
        LayoutCase{kMultiRowName, 2, kTwoColumns}, LayoutCase{kMultiRowName, 3, kTwoColumns},
        LayoutCase{kMultiRowName, 4, kTwoColumns}, LayoutCase{kMultiRowName, 5, kTwoColumns},
        LayoutCase{kMultiRowName, 6, kTwoColumns}, LayoutCase{kMultiRowName, 7, kTwoColumns},
        LayoutCase{kMultiRowName, 8, kTwoColumns},
        LayoutCase{kHorizontalName, 2, kTwoColumns},  // no single row for two slots
        LayoutCase{kHorizontalName, 3, kOneRow}, LayoutCase{kHorizontalName, 5, kOneRow},
        LayoutCase{kHorizontalName, 8, kOneRow}, LayoutCase{kVerticalName, 2, kOneColumn},
        LayoutCase{kVerticalName, 4, kOneColumn}, LayoutCase{kVerticalName, 7, kOneColumn},
        LayoutCase{kVerticalName, 8, kOneColumn},
        // Unknown, empty and padded names give two columns.
        LayoutCase{"", 5, kTwoColumns}, LayoutCase{" " + kHorizontalName, 4, kTwoColumns},
        LayoutCase{kVerticalName + " ", 4, kTwoColumns}, LayoutCase{"horizontal", 8, kTwoColumns}));

TEST(ArrangeSlotsSpecialTest, OutOfRangeCountsChangeNothing) {
    for (const std::int32_t count : {0, 9, -1, -2147483647 - 1, 2147483647}) {
        FakeOverlay fake;
        TfrmMain frm{fake, fake, fake};
        frm.ArrangeSlots(count);
        EXPECT_TRUE(fake.log.empty()) << count;
    }
}

TEST(ArrangeSlotsSpecialTest, CountOneOnlyShowsSlotOneAndKeepsTheWindow) {
    FakeOverlay fake;
    TfrmMain frm{fake, fake, fake};
    frm.sortTypeText = kHorizontalName;
    frm.ArrangeSlots(8);
    frm.Slot(1).hotKeyName = "F1";
    fake.log.clear();
    frm.ArrangeSlots(1);
    EXPECT_EQ(fake.log,
              (std::vector<std::string>{"visible 1 1", "visible 2 0", "visible 3 0", "visible 4 0",
                                        "visible 5 0", "visible 6 0", "visible 7 0", "visible 8 0",
                                        "unregister 4097", "register 4097 112"}));
    EXPECT_EQ(fake.width, 768);
    EXPECT_EQ(fake.height, 46);
}

TEST(ArrangeSlotsSpecialTest, StepsRunInOrderAndHotkeysRegisterAscending) {
    FakeOverlay fake;
    TfrmMain frm{fake, fake, fake};
    frm.sortTypeText = kVerticalName;
    frm.Slot(1).hotKeyName = "F5";
    frm.Slot(2).hotKeyName = "num2";
    frm.Slot(3).hotKeyName = "";
    frm.ArrangeSlots(3);
    EXPECT_EQ(
        fake.log,
        (std::vector<std::string>{
            "visible 1 1", "visible 2 1", "visible 3 1", "visible 4 0", "visible 5 0",
            "visible 6 0", "visible 7 0", "visible 8 0", "labelPos 2 0,36", "panelPos 2 56,32",
            "labelPos 3 0,64", "panelPos 3 56,60", "width 96", "height 138", "unregister 4097",
            "register 4097 116", "unregister 4098", "register 4098 98", "unregister 4099"}));
}

TEST(ArrangeSlotsSpecialTest, HiddenSlotsKeepHotkeysAndReturnAtTheCurrentLayout) {
    FakeOverlay fake;
    TfrmMain frm{fake, fake, fake};
    for (int slot = 1; slot <= 8; ++slot) frm.Slot(slot).hotKeyName = "F" + std::to_string(slot);
    frm.ArrangeSlots(8);
    frm.ArrangeSlots(3);
    EXPECT_EQ(fake.hotKeys.size(), 8u) << "hiding does not unregister";
    EXPECT_FALSE(fake.slot[6].visible);
    frm.sortTypeText = kHorizontalName;
    frm.ArrangeSlots(6);
    EXPECT_EQ(PlaceIn(fake, 6), ExpectedPlaceOf(kOneRow, 6));
}

TEST(ArrangeSlotsSpecialTest, TheSlotHoldingASharedKeyKeepsItThroughALayout) {
    FakeOverlay fake;
    TfrmMain frm{fake, fake, fake};
    frm.Slot(1).hotKeyName = "F3";
    frm.Slot(2).hotKeyName = "F3";
    frm.ArrangeSlots(2);
    EXPECT_EQ(fake.hotKeys, (std::map<int, HotKeyChord>{{4097, {0, 0x72}}}));
    frm.ArrangeSlots(2);
    EXPECT_EQ(fake.hotKeys, (std::map<int, HotKeyChord>{{4097, {0, 0x72}}}));
}

TEST(BuiltInPlaceTest, PanelsSixAndEightStandTwoPixelsLeftOfTheGrid) {
    for (int slot = 1; slot <= 8; ++slot) {
        const SlotPlace p = BuiltInPlaceOf(slot);
        EXPECT_EQ((ExpectedPlace{p.labelLeft, p.labelTop, p.panelLeft, p.panelTop}),
                  ExpectedBuiltInPlace(slot))
            << "slot " << slot;
    }
    const WindowSize size = BuiltInClientSize();
    EXPECT_EQ((ExpectedSize{size.width, size.height}), kExpectedBuiltInSize);
}

}  // namespace
}  // namespace tallyvox
