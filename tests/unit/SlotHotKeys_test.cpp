// Hotkey names: normalisation, the key table, registration and dispatch.
#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "FakeOverlay.h"
#include "app/TfrmMain.h"
#include "hotkeys/KeyNames.h"
#include "hotkeys/SlotHotKeys.h"

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

// A slot's key name as it comes to hold it: with its registration, or set alone (as loading
// the settings file sets it).
struct KeyStep {
    int slot;
    std::string name;
    bool registers = true;
};

struct ProblemCase {
    const char* what;
    std::vector<KeyStep> steps;
    HotKeyProblem lastSlotProblem;
};

void PrintTo(const ProblemCase& c, std::ostream* os) {
    *os << c.what;
}

class HotKeyProblemTest : public testing::TestWithParam<ProblemCase> {};

TEST_P(HotKeyProblemTest, SaysWhyTheLastSlotHasNoHotkey) {
    test::FakeOverlay fake;
    TfrmMain frm{fake, fake, fake};
    for (const KeyStep& step : GetParam().steps) {
        frm.Slot(step.slot).hotKeyName = step.name;
        if (step.registers) frm.RegisterSlotHotKey(step.name, kHotKeyIdBase + step.slot);
    }
    EXPECT_EQ(frm.HotKeyProblemOf(GetParam().steps.back().slot), GetParam().lastSlotProblem);
}

using P = HotKeyProblem;
INSTANTIATE_TEST_SUITE_P(
    Registrations, HotKeyProblemTest,
    testing::Values(
        ProblemCase{"free key", {{1, "F1"}}, P::None},
        ProblemCase{"key of another slot", {{1, "F3"}, {2, " f3"}}, P::Refused},
        ProblemCase{"freed, then taken", {{1, "F3"}, {2, "F3"}, {1, "F4"}, {2, "F3"}}, P::None},
        ProblemCase{"stays refused when its holder moves on",
                    {{1, "F3"}, {2, "F3"}, {1, "F4"}, {2, "F3", false}},
                    P::Refused},
        ProblemCase{"unknown name", {{3, "F13"}}, P::UnknownName},
        ProblemCase{"blank name", {{3, "F1"}, {3, "  "}}, P::None},
        ProblemCase{"loaded, never registered", {{5, "F5", false}}, P::NotRegistered},
        ProblemCase{"loaded unknown name", {{5, "Esc", false}}, P::UnknownName},
        ProblemCase{"loaded over a refused one", {{1, "F3"}, {2, "F3"}, {2, "", false}}, P::None}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& c : name) {
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        }
        return name;
    });

TEST(HotKeyProblemStartUpTest, LayoutOfTheLoadedNamesLeavesTheSharedKeyToTheFirstSlot) {
    test::FakeOverlay fake;
    TfrmMain frm{fake, fake, fake};
    for (int slot = 1; slot <= 8; ++slot) frm.Slot(slot).hotKeyName = "F" + std::to_string(slot);
    frm.Slot(2).hotKeyName = "F1";
    frm.ArrangeSlots(4);
    EXPECT_EQ(frm.HotKeyProblemOf(1), HotKeyProblem::None);
    EXPECT_EQ(frm.HotKeyProblemOf(2), HotKeyProblem::Refused);
    EXPECT_EQ(frm.HotKeyProblemOf(4), HotKeyProblem::None);
    EXPECT_EQ(frm.HotKeyProblemOf(5), HotKeyProblem::NotRegistered) << "hidden, never registered";
}

}  // namespace
}  // namespace tallyvox
