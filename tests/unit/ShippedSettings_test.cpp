// The settings file shipped beside the program holds every key at the value a missing key
// would read as, so a fresh install starts exactly as the defaults say.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "FakeOverlay.h"
#include "FakeStore.h"
#include "app/TfrmMain.h"
#include "settings/IniFile.h"

namespace tallyvox {
namespace {

std::string ReadShipped() {
    std::ifstream in(TALLYVOX_SOURCE_DIR "/resources/qorvane.db", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Loaded {
    test::FakeOverlay view;
    TfrmMain frm{view, view, view};

    explicit Loaded(const std::string& file) {
        test::FakeStore store;
        store.files["qorvane.db"] = file;
        IniFile ini(store, "qorvane.db");
        frm.LoadSettings(ini);
    }
};

TEST(ShippedSettingsTest, EveryKeyHoldsItsDefault) {
    const std::string shipped = ReadShipped();
    ASSERT_FALSE(shipped.empty());
    Loaded fromShipped(shipped);
    // Only TopMost stated (at its own default): every other key reads as its default.
    Loaded fromDefaults("[Common]\r\nTopMost=1\r\n");
    const TfrmMain& a = fromShipped.frm;
    const TfrmMain& b = fromDefaults.frm;
    EXPECT_EQ(a.sortTypeText, b.sortTypeText);
    EXPECT_EQ(a.timerCounterText, b.timerCounterText);
    EXPECT_EQ(a.isSecondCounter, b.isSecondCounter);
    EXPECT_EQ(a.lastSecondText, b.lastSecondText);
    EXPECT_EQ(a.isCircle, b.isCircle);
    for (int slot = 1; slot <= 8; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_EQ(a.Slot(slot).titleText, b.Slot(slot).titleText);
        EXPECT_EQ(a.Slot(slot).hotKeyName, b.Slot(slot).hotKeyName);
        EXPECT_EQ(a.Slot(slot).secondsText, b.Slot(slot).secondsText);
        EXPECT_EQ(a.Slot(slot).period, b.Slot(slot).period);
    }
    EXPECT_EQ(a.titleColor, b.titleColor);
    EXPECT_EQ(a.topMost, b.topMost);
    EXPECT_EQ(fromShipped.view.log, fromDefaults.view.log) << "the same effects, in order";
    // Every key is stated in the file, so a save has nothing to add.
    EXPECT_EQ(a.loadedKeys, b.loadedKeys);
}

// The guides tell players that a timer no longer than N never turns red, and that the shipped
// 30-second timers are such timers: each shipped timer run to its end turns red exactly when
// its duration is over N.
TEST(ShippedSettingsTest, OnlyTimersLongerThanTheLastSecondsTurnRed) {
    Loaded shipped(ReadShipped());
    TfrmMain& frm = shipped.frm;
    const int lastSeconds = std::stoi(frm.lastSecondText);
    int neverRed = 0;
    for (int slot = 1; slot <= 8; ++slot) {
        frm.ToggleSlot(slot);
        while (frm.Slot(slot).remaining > -1) frm.tmrTimer(slot);
        const std::string red =
            "panelColor " + std::to_string(slot) + " " + std::to_string(kColorRed);
        const bool turnedRed = std::find(shipped.view.log.begin(), shipped.view.log.end(), red) !=
                               shipped.view.log.end();
        EXPECT_EQ(turnedRed, frm.Slot(slot).period > lastSeconds) << "slot " << slot;
        neverRed += turnedRed ? 0 : 1;
    }
    EXPECT_EQ(neverRed, 2) << "the guides name two shipped timers that never turn red";
}

TEST(ShippedSettingsTest, IsGbkWithWindowsLineEnds) {
    const std::string shipped = ReadShipped();
    EXPECT_NE(shipped.find("SortType=\xB6\xE0\xC5\xC5\r\n"), std::string::npos);
    EXPECT_NE(shipped.find("Title1=\xB1\xEA\xCC\xE2"
                           "1\r\n"),
              std::string::npos);
    for (std::size_t i = 0; i < shipped.size(); ++i) {
        if (shipped[i] == '\n') {
            ASSERT_TRUE(i > 0 && shipped[i - 1] == '\r') << "LF at " << i;
        }
    }
    // Every key loading reads is written out, not left to its default.
    std::size_t keyLines = 0;
    for (std::size_t pos = 0; (pos = shipped.find('=', pos)) != std::string::npos; ++pos) {
        ++keyLines;
    }
    EXPECT_EQ(keyLines, Loaded("[Common]\r\nTopMost=1\r\n").frm.loadedKeys.size());
}

}  // namespace
}  // namespace tallyvox
