// Hotkey names: normalisation, the key table, registration and dispatch.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "FakeOverlay.h"
#include "app/TfrmMain.h"
#include "hotkeys/KeyNames.h"

namespace tallyvox {
namespace {

struct NameCase {
    std::string name;
    std::optional<unsigned> key;
};

class KeyNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(KeyNameTest, NormalisedNameLooksUpItsKey) {
    EXPECT_EQ(VirtualKeyOf(NormaliseKeyName(GetParam().name)), GetParam().key)
        << "'" << GetParam().name << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Names, KeyNameTest,
    testing::Values(NameCase{"F1", 0x70}, NameCase{"f1", 0x70}, NameCase{"  F1 ", 0x70},
                    NameCase{"\tf1\r\n", 0x70}, NameCase{"F9", 0x78}, NameCase{"F10", 0x79},
                    NameCase{"f12", 0x7B}, NameCase{"Num0", 0x60}, NameCase{"NUM5", 0x65},
                    NameCase{"num9", 0x69}, NameCase{"F13", std::nullopt},
                    NameCase{"F0", std::nullopt}, NameCase{"F 1", std::nullopt},
                    NameCase{"Num10", std::nullopt}, NameCase{"f1x", std::nullopt},
                    NameCase{"\xA3\xC6\xA3\xB1", std::nullopt},  // full-width F1 in GBK
                    NameCase{"", std::nullopt}, NameCase{"   ", std::nullopt}));

TEST(NormaliseKeyNameTest, LowersAsciiOnlyAndTrimsControlBytes) {
    EXPECT_EQ(NormaliseKeyName(" \x01Num5\x1F "), "num5");
    EXPECT_EQ(NormaliseKeyName("\xB1\xEA"), "\xB1\xEA");
}

class RegisterSlotHotKeyTest : public testing::Test {
  protected:
    test::FakeOverlay fake;
    TfrmMain frm{fake, fake, fake};
};

TEST_F(RegisterSlotHotKeyTest, AlwaysDropsTheOldKeyFirst) {
    frm.RegisterSlotHotKey("F1", 4097);
    frm.RegisterSlotHotKey("F2", 4097);
    frm.RegisterSlotHotKey(" ", 4097);
    frm.RegisterSlotHotKey("F13", 4098);
    EXPECT_EQ(fake.log, (std::vector<std::string>{"unregister 4097", "register 4097 112",
                                                  "unregister 4097", "register 4097 113",
                                                  "unregister 4097", "unregister 4098"}));
    EXPECT_TRUE(fake.hotKeys.empty());
}

TEST_F(RegisterSlotHotKeyTest, HotkeyIdsToggleTheirSlotsOnly) {
    for (int slot = 1; slot <= 8; ++slot) frm.Slot(slot).secondsText = "5";
    for (const std::uintptr_t id : {4096u, 4105u, 0u, 1u, 4097u, 4104u, 4104u}) frm.WMHotKey(id);
    for (int slot = 1; slot <= 8; ++slot) {
        EXPECT_EQ(frm.Slot(slot).running, slot == 1 ? 1 : 0) << slot;
    }
    EXPECT_FALSE(fake.slot[8].tickerOn) << "4104 twice: started, then stopped";
    EXPECT_EQ(fake.slot[8].panelColor, 0x00008000);
}

TEST_F(RegisterSlotHotKeyTest, ReleaseDropsAllEightIdsInOrder) {
    frm.ReleaseHotKeys();
    std::vector<std::string> expected;
    for (int id = 4097; id <= 4104; ++id) expected.push_back("unregister " + std::to_string(id));
    EXPECT_EQ(fake.log, expected);
}

}  // namespace
}  // namespace tallyvox
