// Hotkey names: normalisation, single keys and combinations, registration and dispatch.
#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "FakeOverlay.h"
#include "app/TfrmMain.h"
#include "hotkeys/HotKeyName.h"
#include "hotkeys/KeyNames.h"
#include "hotkeys/SlotHotKeys.h"

namespace tallyvox {
namespace {

using P = HotKeyProblem;

struct NameCase {
    std::string name;
    std::optional<HotKeyChord> chord;
    HotKeyProblem problem = P::None;
};

void PrintTo(const NameCase& c, std::ostream* os) {
    *os << testing::PrintToString(c.name);
}

class HotKeyNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(HotKeyNameTest, ReadsTheHotkeyOrWhyThereIsNone) {
    const HotKeyNameReading reading = ReadHotKeyName(GetParam().name);
    EXPECT_EQ(reading.chord, GetParam().chord) << "'" << GetParam().name << "'";
    EXPECT_EQ(reading.problem, GetParam().problem) << "'" << GetParam().name << "'";
}

// A combination is registered with its modifiers and without the keyboard's repeat.
constexpr unsigned kCtrl = kModControl | kModNoRepeat, kAlt = kModAlt | kModNoRepeat,
                   kShift = kModShift | kModNoRepeat, kAll = kCtrl | kAlt | kShift | kModWin;

INSTANTIATE_TEST_SUITE_P(
    Names, HotKeyNameTest,
    testing::Values(
        // The key list: bare keys, as ever.
        NameCase{"F1", {{0, 0x70}}}, NameCase{"f1", {{0, 0x70}}}, NameCase{"  F1 ", {{0, 0x70}}},
        NameCase{"\tf1\r\n", {{0, 0x70}}}, NameCase{"f12", {{0, 0x7B}}},
        NameCase{"Num0", {{0, 0x60}}}, NameCase{"NUM5", {{0, 0x65}}}, NameCase{"num9", {{0, 0x69}}},
        // More single keys and combinations.
        NameCase{"F13", {{0, 0x7C}}}, NameCase{"f24", {{0, 0x87}}}, NameCase{"Pause", {{0, 0x13}}},
        NameCase{"Num*", {{0, 0x6A}}}, NameCase{"Ctrl+F1", {{kCtrl, 0x70}}},
        NameCase{"alt + num3", {{kAlt, 0x63}}}, NameCase{"Shift+Ctrl+Q", {{kCtrl | kShift, 'Q'}}},
        NameCase{"WIN+alt+Shift+ctrl+PageDown", {{kAll, 0x22}}},
        NameCase{"Ctrl+Num+", {{kCtrl, 0x6B}}}, NameCase{"Ctrl+Shift+Z", {{kCtrl | kShift, 'Z'}}},
        NameCase{"Shift+Alt+F4", {{kAlt | kShift, 0x73}}}, NameCase{"Shift+Num*", {{kShift, 0x6A}}},
        NameCase{"Alt+Pause", {{kAlt, 0x13}}},
        // Pause with Ctrl held arrives as Break (VK_CANCEL).
        NameCase{"Ctrl+Pause", {{kCtrl, 0x03}}}, NameCase{"alt+ctrl+pause", {{kCtrl | kAlt, 0x03}}},
        // Refused by design.
        NameCase{"Q", {}, P::TypingKey}, NameCase{"Shift+q", {}, P::TypingKey},
        NameCase{"Space", {}, P::TypingKey}, NameCase{"Shift+Up", {}, P::TypingKey},
        NameCase{"Delete", {}, P::TypingKey}, NameCase{"Esc", {}, P::TypingKey},
        NameCase{"alt+f4", {}, P::ClosesWindow}, NameCase{"Ctrl+C", {}, P::EditKey},
        // Shift turns a keypad digit or point into a navigation key: these never arrive.
        NameCase{"Shift+Num4", {}, P::ShiftedKeypad}, NameCase{"shift+num.", {}, P::ShiftedKeypad},
        NameCase{"Ctrl+Alt+Shift+Num0", {}, P::ShiftedKeypad},
        // No key this program knows.
        NameCase{"F0", {}, P::UnknownName}, NameCase{"F25", {}, P::UnknownName},
        NameCase{"f1x", {}, P::UnknownName}, NameCase{"Ctrl+Ctrl+F1", {}, P::UnknownName},
        NameCase{"Ctrl+", {}, P::UnknownName}, NameCase{"Ctrl+F1+F2", {}, P::UnknownName},
        NameCase{"\xA3\xC6\xA3\xB1", {}, P::UnknownName},  // full-width F1 in GBK
        NameCase{"", {}}, NameCase{"   ", {}}));

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
    frm.RegisterSlotHotKey("F25", 4098);
    frm.RegisterSlotHotKey("Ctrl + f1", 4099);
    EXPECT_EQ(fake.log, (std::vector<std::string>{
                            "unregister 4097", "register 4097 112", "unregister 4097",
                            "register 4097 113", "unregister 4097", "unregister 4098",
                            "unregister 4099", "register 4099 " + std::to_string(kCtrl) + "+112"}));
}

TEST_F(RegisterSlotHotKeyTest, AHeldCombinationTogglesOnceUntilItsKeyIsReleased) {
    frm.Slot(1).secondsText = frm.Slot(2).secondsText = "5";
    frm.RegisterSlotHotKey("Ctrl+F1", 4097);
    frm.RegisterSlotHotKey("F2", 4098);
    bool down = true;
    const auto isDown = [&](unsigned key) { return down && key == 0x70; };
    for (int report = 0; report < 2; ++report) {
        frm.WMHotKey(4097);
        frm.WMHotKey(4098);
    }
    EXPECT_EQ(frm.Slot(1).running, 1) << "the repeat of Ctrl+F1 is ignored";
    EXPECT_EQ(frm.Slot(2).running, 0) << "F2 repeats: started, stopped";
    EXPECT_TRUE(frm.CheckHeldHotKeys(isDown));
    frm.WMHotKey(4097);
    EXPECT_EQ(frm.Slot(1).running, 1) << "still held";
    down = false;
    EXPECT_FALSE(frm.CheckHeldHotKeys(isDown));
    EXPECT_FALSE(frm.HotKeyHeld());
    frm.WMHotKey(4097);
    EXPECT_EQ(frm.Slot(1).running, 0) << "a fresh press stops it";
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
    // The key it holds lacks Ctrl and Alt: a game run as administrator may keep it.
    bool mayMissElevatedGames = false;
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
    const int slot = GetParam().steps.back().slot;
    EXPECT_EQ(frm.HotKeyProblemOf(slot), GetParam().lastSlotProblem);
    EXPECT_EQ(frm.HotKeyMayMissElevatedGames(slot), GetParam().mayMissElevatedGames);
}

INSTANTIATE_TEST_SUITE_P(
    Registrations, HotKeyProblemTest,
    testing::Values(
        ProblemCase{"free key", {{1, "F1"}}, P::None, true},
        ProblemCase{"free key with Shift", {{1, "Shift+F1"}}, P::None, true},
        ProblemCase{"free combination with Ctrl", {{1, "Ctrl+F1"}}, P::None},
        ProblemCase{"free combination with Alt", {{1, "Alt+Num1"}}, P::None},
        ProblemCase{
            "renamed since it took its key", {{1, "F1"}, {1, "F2", false}}, P::NotRegistered},
        ProblemCase{"key of another slot", {{1, "F3"}, {2, " f3"}}, P::Refused},
        ProblemCase{
            "freed, then taken", {{1, "F3"}, {2, "F3"}, {1, "F4"}, {2, "F3"}}, P::None, true},
        ProblemCase{"stays refused when its holder moves on",
                    {{1, "F3"}, {2, "F3"}, {1, "F4"}, {2, "F3", false}},
                    P::Refused},
        ProblemCase{"unknown name", {{3, "F25"}}, P::UnknownName},
        ProblemCase{"blank name", {{3, "F1"}, {3, "  "}}, P::None},
        ProblemCase{"loaded, never registered", {{5, "F5", false}}, P::NotRegistered},
        ProblemCase{"loaded unknown name", {{5, "Ctrl+", false}}, P::UnknownName},
        ProblemCase{"loaded typing key", {{5, "Esc", false}}, P::TypingKey},
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
