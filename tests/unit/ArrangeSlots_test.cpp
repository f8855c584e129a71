// Slot layout: visibility, positions, window sizes, the special counts and hotkey order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeOverlay.h"
#include "app/SlotLayout.h"
#include "app/TfrmMain.h"

namespace tallyvox {
namespace {

const std::string kMulti = "\xB6\xE0\xC5\xC5";       // 多排
const std::string kHorizontal = "\xBA\xE1\xC5\xC5";  // 横排
const std::string kVertical = "\xCA\xFA\xC5\xC5";    // 竖排

struct Place {
    int labelLeft, labelTop, panelLeft, panelTop;
    bool operator==(const Place&) const = default;
};

Place PlaceIn(const test::FakeOverlay& f, int slot) {
    const auto& s = f.slot[slot];
    return {s.labelLeft, s.labelTop, s.panelLeft, s.panelTop};
}

// The published layout tables, slot by slot.
const std::vector<Place> kMultiTable = {{0, 8, 56, 4},     {86, 8, 142, 4},  {0, 36, 56, 32},
                                        {86, 36, 142, 32}, {0, 64, 56, 60},  {86, 64, 142, 60},
                                        {0, 92, 56, 88},   {86, 92, 142, 88}};
const std::vector<Place> kHorizontalTable = {{0, 8, 56, 4},    {86, 8, 142, 4},  {172, 8, 228, 4},
                                             {258, 8, 314, 4}, {344, 8, 400, 4}, {430, 8, 486, 4},
                                             {516, 8, 572, 4}, {602, 8, 658, 4}};
const std::vector<Place> kVerticalTable = {{0, 8, 56, 4},     {0, 36, 56, 32},   {0, 64, 56, 60},
                                           {0, 92, 56, 88},   {0, 120, 56, 116}, {0, 148, 56, 144},
                                           {0, 176, 56, 172}, {0, 204, 56, 200}};

struct LayoutCase {
    std::string sortType;
    int count;
    int width, height;
    const std::vector<Place>* table;
};

class ArrangeSlotsTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(ArrangeSlotsTest, PlacesSlotsAndSizesTheWindow) {
    const LayoutCase& c = GetParam();
    test::FakeOverlay fake;
    TfrmMain frm{fake, fake, fake};
    frm.sortTypeText = c.sortType;
    frm.ArrangeSlots(c.count);
    EXPECT_EQ(fake.width, c.width);
    EXPECT_EQ(fake.height, c.height);
    for (int slot = 1; slot <= 8; ++slot) {
        EXPECT_EQ(fake.slot[slot].visible, slot <= c.count) << "slot " << slot;
        if (slot >= 2 && slot <= c.count) {
            EXPECT_EQ(PlaceIn(fake, slot), (*c.table)[static_cast<std::size_t>(slot - 1)])
                << "slot " << slot;
        } else {
            EXPECT_EQ(fake.slot[slot].labelLeft, -1) << "slot " << slot << " must not move";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Tables, ArrangeSlotsTest,
                         testing::Values(LayoutCase{kMulti, 2, 192, 46, &kMultiTable},
                                         LayoutCase{kMulti, 3, 192, 92, &kMultiTable},
                                         LayoutCase{kMulti, 4, 192, 92, &kMultiTable},
                                         LayoutCase{kMulti, 5, 192, 138, &kMultiTable},
                                         LayoutCase{kMulti, 6, 192, 138, &kMultiTable},
                                         LayoutCase{kMulti, 7, 192, 184, &kMultiTable},
                                         LayoutCase{kMulti, 8, 192, 184, &kMultiTable},
                                         LayoutCase{kHorizontal, 2, 192, 46,
                                                    &kMultiTable},  // no single row for two slots
                                         LayoutCase{kHorizontal, 3, 288, 46, &kHorizontalTable},
                                         LayoutCase{kHorizontal, 5, 480, 46, &kHorizontalTable},
                                         LayoutCase{kHorizontal, 8, 768, 46, &kHorizontalTable},
                                         LayoutCase{kVertical, 2, 96, 92, &kVerticalTable},
                                         LayoutCase{kVertical, 4, 96, 184, &kVerticalTable},
                                         LayoutCase{kVertical, 7, 96, 322, &kVerticalTable},
                                         LayoutCase{kVertical, 8, 96, 368, &kVerticalTable},
                                         // Unknown, empty and padded names give two columns.
                                         LayoutCase{"", 5, 192, 138, &kMultiTable},
                                         LayoutCase{" " + kHorizontal, 4, 192, 92, &kMultiTable},
                                         LayoutCase{kVertical + " ", 4, 192, 92, &kMultiTable},
                                         LayoutCase{"horizontal", 8, 192, 184, &kMultiTable}));

TEST(ArrangeSlotsSpecialTest, OutOfRangeCountsChangeNothing) {
    for (const std::int32_t count : {0, 9, -1, -2147483647 - 1, 2147483647}) {
        test::FakeOverlay fake;
        TfrmMain frm{fake, fake, fake};
        frm.ArrangeSlots(count);
        EXPECT_TRUE(fake.log.empty()) << count;
    }
}

TEST(ArrangeSlotsSpecialTest, CountOneOnlyShowsSlotOneAndKeepsTheWindow) {
    test::FakeOverlay fake;
    TfrmMain frm{fake, fake, fake};
    frm.sortTypeText = kHorizontal;
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
    test::FakeOverlay fake;
    TfrmMain frm{fake, fake, fake};
    frm.sortTypeText = kVertical;
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
    test::FakeOverlay fake;
    TfrmMain frm{fake, fake, fake};
    for (int slot = 1; slot <= 8; ++slot) frm.Slot(slot).hotKeyName = "F" + std::to_string(slot);
    frm.ArrangeSlots(8);
    frm.ArrangeSlots(3);
    EXPECT_EQ(fake.hotKeys.size(), 8u) << "hiding does not unregister";
    EXPECT_FALSE(fake.slot[6].visible);
    frm.sortTypeText = kHorizontal;
    frm.ArrangeSlots(6);
    EXPECT_EQ(PlaceIn(fake, 6), kHorizontalTable[5]);
}

TEST(ArrangeSlotsSpecialTest, TheSlotHoldingASharedKeyKeepsItThroughALayout) {
    test::FakeOverlay fake;
    TfrmMain frm{fake, fake, fake};
    frm.Slot(1).hotKeyName = "F3";
    frm.Slot(2).hotKeyName = "F3";
    frm.ArrangeSlots(2);
    EXPECT_EQ(fake.hotKeys, (std::map<int, unsigned>{{4097, 0x72}}));
    frm.ArrangeSlots(2);
    EXPECT_EQ(fake.hotKeys, (std::map<int, unsigned>{{4097, 0x72}}));
}

TEST(BuiltInPlaceTest, PanelsSixAndEightStandTwoPixelsLeftOfTheGrid) {
    for (int slot = 1; slot <= 8; ++slot) {
        Place expected = kMultiTable[static_cast<std::size_t>(slot - 1)];
        if (slot == 6 || slot == 8) expected.panelLeft = 140;
        const SlotPlace p = BuiltInPlaceOf(slot);
        EXPECT_EQ((Place{p.labelLeft, p.labelTop, p.panelLeft, p.panelTop}), expected);
    }
}

}  // namespace
}  // namespace tallyvox
