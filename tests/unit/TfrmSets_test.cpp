// The settings dialog's behaviour: filling, the handlers, and what closing writes.
#include "dialog/TfrmSets.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "FakeOverlay.h"
#include "FakeSaveHost.h"
#include "FakeSetsView.h"
#include "FakeStore.h"
#include "FullSettings.h"
#include "IconvGbkCodec.h"
#include "SettingsKeyOrder.h"
#include "app/TfrmMain.h"
#include "dialog/Links.h"
#include "settings/IniFile.h"
#include "text/IntText.h"

namespace tallyvox {
namespace {

const std::string kPath = "/game/qorvane.db";
const std::string kMulti = "\xB6\xE0\xC5\xC5";     // 多排
const std::string kVertical = "\xCA\xFA\xC5\xC5";  // 竖排

// The whole settings file with three slots in one column, seconds shown, and slot N titled TN
// lasting 10 + N seconds.
std::string FullFile() {
    std::map<std::string, std::string> values = {
        {"SortType", kVertical}, {"TimerCounter", "3"}, {"IsSecondCounter", "1"}};
    for (int slot = 1; slot <= 8; ++slot) {
        const std::string n = std::to_string(slot);
        values["Title" + n] = "T" + n;
        values["Seconds" + n] = "1" + n;
    }
    return test::FullSettingsFile(values);
}

// The full file with one line's text replaced.
std::string FullFileWith(const std::string& line, const std::string& replacement) {
    std::string file = FullFile();
    file.replace(file.find(line), line.size(), replacement);
    return file;
}

class TfrmSetsTest : public testing::Test {
  protected:
    test::FakeOverlay fake;
    test::FakeStore store;
    TfrmMain frm{fake, fake, fake};
    test::FakeSetsView view;
    TfrmSets sets{frm, view};

    void Load(const std::string& content) {
        store.files[kPath] = content;
        IniFile ini(store, kPath);
        frm.LoadSettings(ini);
        fake.log.clear();
    }
    // Closes the dialog and returns the file as it then stands.
    std::string Close() {
        IniFile ini(store, kPath);
        sets.SaveSettings(ini);
        return store.files[kPath];
    }
};

TEST_F(TfrmSetsTest, FillingFromLoadedFieldsRegistersHotkeysAndSizesTheDialog) {
    Load(FullFile());
    sets.FormCreate();
    EXPECT_EQ(view.Text(SetsText::cbbTimer), "3");
    EXPECT_EQ(view.OuterHeight(), 276);
    EXPECT_EQ(view.Text(SetsText::cbbSortType), kVertical);
    EXPECT_TRUE(view.Checked(SetsCheck::chkSec));
    EXPECT_FALSE(view.Checked(SetsCheck::chkCircle));
    EXPECT_TRUE(view.Checked(SetsCheck::chkTop));
    EXPECT_EQ(view.Text(SetsText::cbbLastSec), "5");
    EXPECT_EQ(view.Text(SetsText::edtTitle, 2), "T2");
    EXPECT_EQ(view.Text(SetsText::edtTime, 8), "18");
    EXPECT_EQ(view.SelectedColor(), 255);
    // Only the layout call registers, and only the visible slots.
    EXPECT_EQ(fake.hotKeys, (std::map<int, HotKeyChord>{
                                {4097, {0, 0x70}}, {4098, {0, 0x71}}, {4099, {0, 0x72}}}));
    // Check boxes that change run their handlers: topmost is applied once more.
    EXPECT_EQ(fake.LogOf("topMost"), std::vector<std::string>{"topMost 1"});
}

TEST_F(TfrmSetsTest, FillingRunsEditHandlersOnlyWhenTheTextDiffers) {
    Load(FullFile());
    view.SetText(SetsText::edtTitle, 4, "T4");  // already what is stored
    sets.FormCreate();
    EXPECT_TRUE(fake.LogOf("labelCaption 4").empty());
    EXPECT_EQ(fake.LogOf("labelCaption 3"), std::vector<std::string>{"labelCaption 3 T3"});
    EXPECT_EQ(fake.LogOf("panelCaption 1"), std::vector<std::string>{"panelCaption 1 11"});
    EXPECT_TRUE(fake.LogOf("panelColor").empty());
}

TEST_F(TfrmSetsTest, FillingWithoutSettingsEmptiesSlotOneAndReportsOneError) {
    // No file: every field holds its construction value.
    try {
        sets.FormCreate();
        FAIL() << "the empty duration must be reported";
    } catch (const ConvertError& e) {
        EXPECT_EQ(std::string(e.what()), "'' is not a valid integer value");
    }
    EXPECT_EQ(fake.slot[1].labelCaption, "") << "title label 1 emptied";
    EXPECT_EQ(view.Text(SetsText::cbbTimer), "");
    EXPECT_EQ(view.OuterHeight(), 0) << "no height, no layout";
    EXPECT_TRUE(fake.LogOf("visible").empty());
    EXPECT_TRUE(fake.hotKeys.empty());
    // Filling went on after the failure: every control shows the (empty) fields.
    for (int slot = 1; slot <= 8; ++slot) {
        EXPECT_EQ(view.Text(SetsText::edtTime, slot), "") << slot;
        EXPECT_EQ(view.Text(SetsText::cbbKey, slot), "") << slot;
    }
    EXPECT_EQ(view.SelectedColor(), 0) << "titleColor 0 is clBlack";
}

TEST_F(TfrmSetsTest, FailingDurationDoesNotStopTheFilling) {
    Load(FullFileWith("Seconds2=12", "Seconds2=zz"));
    EXPECT_THROW(sets.FormCreate(), ConvertError);
    // Loading ended in slot 2; filling still shows what the fields hold for every control.
    EXPECT_EQ(view.Text(SetsText::edtTime, 2), "zz");
    EXPECT_EQ(view.Text(SetsText::edtTime, 3), "");
    EXPECT_FALSE(view.Checked(SetsCheck::chkTop));
}

TEST_F(TfrmSetsTest, CountOutsideTheListLeavesHeightAndLayoutAlone) {
    Load(FullFileWith("TimerCounter=3", "TimerCounter=9"));
    sets.FormCreate();
    EXPECT_EQ(view.Text(SetsText::cbbTimer), "");
    EXPECT_EQ(view.OuterHeight(), 0);
    EXPECT_TRUE(fake.hotKeys.empty());
    // Until a count is chosen, a layout change reports the empty count and changes nothing.
    view.SetText(SetsText::cbbSortType, 0, kMulti);
    fake.log.clear();
    EXPECT_THROW(sets.cbbSortTypeChange(), ConvertError);
    EXPECT_EQ(frm.sortTypeText, kVertical);
    EXPECT_TRUE(fake.log.empty());
}

TEST_F(TfrmSetsTest, HandlersCarryEachChangeToTheOverlayInOrder) {
    Load(FullFile());
    sets.FormCreate();
    fake.log.clear();

    view.SetText(SetsText::cbbTimer, 0, "4");
    sets.cbbTimerChange();
    EXPECT_EQ(frm.timerCounterText, "4");
    EXPECT_EQ(view.OuterHeight(), 330);
    EXPECT_EQ(fake.height, 184);

    view.SetText(SetsText::edtTitle, 2, "boss");
    sets.edtTitleChange(2);
    view.SetText(SetsText::cbbKey, 6, "Num6");
    sets.cbbKeyChange(6);
    view.SetText(SetsText::edtTime, 1, "90");
    sets.edtTimeChange(1);
    view.SelectColor(0xFF0000);
    sets.clrbxTitleChange();
    view.SetChecked(SetsCheck::chkTop, false);
    sets.chkTopClick();
    view.SetChecked(SetsCheck::chkCircle, true);
    sets.chkCircleClick();
    view.SetText(SetsText::cbbLastSec, 0, "12");
    sets.cbbLastSecChange();

    EXPECT_EQ(frm.Slot(2).titleText, "boss");
    EXPECT_EQ(fake.slot[2].labelHint, "boss");
    EXPECT_EQ(fake.hotKeys.at(4102).key, 0x66u) << "a hidden slot's key registers at once";
    EXPECT_EQ(frm.Slot(1).secondsText, "90");
    EXPECT_EQ(frm.Slot(1).period, 90);
    EXPECT_EQ(fake.slot[1].panelCaption, "90");
    EXPECT_EQ(fake.slot[7].labelColor, 0xFF0000);
    EXPECT_FALSE(fake.topMost);
    EXPECT_EQ(frm.isCircle, 1);
    EXPECT_EQ(frm.lastSecondText, "12");
}

TEST_F(TfrmSetsTest, FailingDurationKeepsTheTextButNotThePeriod) {
    Load(FullFile());
    sets.FormCreate();
    frm.ToggleSlot(1);
    const std::int32_t remaining = frm.Slot(1).remaining;
    view.SetText(SetsText::edtTime, 1, "");
    EXPECT_THROW(sets.edtTimeChange(1), ConvertError);
    EXPECT_EQ(frm.Slot(1).secondsText, "");
    EXPECT_EQ(frm.Slot(1).period, 11);
    EXPECT_EQ(fake.slot[1].panelCaption, "11");
    view.SetText(SetsText::edtTime, 1, "7");
    sets.edtTimeChange(1);
    EXPECT_EQ(frm.Slot(1).period, 7);
    EXPECT_EQ(frm.Slot(1).remaining, remaining) << "a running count is not touched";
}

TEST_F(TfrmSetsTest, HeightTableCoversEveryCount) {
    const std::vector<int> heights = {164, 220, 276, 330, 386, 444, 498, 554};
    for (int count = 1; count <= 8; ++count) {
        EXPECT_EQ(TfrmSets::OuterHeightFor(count), heights[static_cast<std::size_t>(count - 1)]);
    }
    EXPECT_EQ(TfrmSets::OuterHeightFor(0), 0);
    EXPECT_EQ(TfrmSets::OuterHeightFor(9), 0);
}

TEST_F(TfrmSetsTest, LinksOpenTheTwoPages) {
    sets.lbl19Click();
    sets.lbl20Click();
    EXPECT_EQ(view.opened, (std::vector<std::string>{kHomePageUrl, kDownloadPageUrl}));
}

TEST_F(TfrmSetsTest, HelpPageShowsTheVoiceAndListeningSpeaksThreeTwoOne) {
    Load(FullFileWith("IsSecondCounter=1", "IsSecondCounter=0"));
    frm.voiceInUseText = "voice";
    frm.voiceRefusedText = "wav2.wav";
    sets.FormCreate();
    EXPECT_EQ(view.Text(SetsText::lblVoice), "voice");
    EXPECT_EQ(view.Text(SetsText::lblRefused), "wav2.wav");
    sets.btnListenClick();
    sets.btnListenClick();
    EXPECT_EQ(fake.spoken, (std::vector<std::intptr_t>{3, 2, 1, 3, 2, 1}));
}

TEST_F(TfrmSetsTest, ClosingWritesEveryKeyInOrderFromTheControls) {
    Load("[Common]\r\nTopMost=1\r\n");
    sets.FormCreate();
    view.SetText(SetsText::edtTitle, 1, "a=b");
    sets.edtTitleChange(1);
    view.SetText(SetsText::edtTime, 3, "1a");
    EXPECT_THROW(sets.edtTimeChange(3), ConvertError);
    view.SelectColor(static_cast<std::int32_t>(0x80000008));
    sets.clrbxTitleChange();
    const std::string file = Close();
    std::vector<std::string> keys;
    std::size_t pos = 0;
    while ((pos = file.find("\r\n", pos)) != std::string::npos) {
        pos += 2;
        const std::size_t eq = file.find('=', pos);
        if (eq != std::string::npos) keys.push_back(file.substr(pos, eq - pos));
    }
    // TopMost was in the file; the others follow in write order.
    std::vector<std::string> expected = test::SettingsKeyOrder();
    expected.pop_back();
    expected.insert(expected.begin(), "TopMost");
    EXPECT_EQ(keys, expected);
    EXPECT_NE(file.find("Title1=a=b\r\n"), std::string::npos);
    EXPECT_NE(file.find("Seconds3=1a\r\n"), std::string::npos);
    EXPECT_NE(file.find("TitleColor=-2147483640\r\n"), std::string::npos);
    EXPECT_NE(file.find("IsSecondCounter=0\r\n"), std::string::npos);
    EXPECT_EQ(store.writes.size(), 1u) << "one replacing write";
}

TEST_F(TfrmSetsTest, ClosingNormalisesFlagsItShows) {
    Load(FullFileWith("IsCircle=0", "IsCircle=5"));
    frm.topMost = 2;
    sets.FormCreate();
    const std::string file = Close();
    EXPECT_NE(file.find("IsCircle=1\r\n"), std::string::npos);
    EXPECT_NE(file.find("TopMost=1\r\n"), std::string::npos);
}

TEST_F(TfrmSetsTest, ClosingWithoutSectionWritesNothingAndSucceeds) {
    store.files[kPath] = "[Other]\r\nA=1\r\n";
    EXPECT_THROW(sets.FormCreate(), ConvertError);
    IniFile ini(store, kPath);
    EXPECT_TRUE(sets.SaveSettings(ini));
    EXPECT_TRUE(store.writes.empty());
}

TEST_F(TfrmSetsTest, AFailedWriteReportsFalseAndLeavesTheOldFile) {
    Load(FullFile());
    sets.FormCreate();
    view.SetText(SetsText::edtTitle, 1, "new");
    sets.edtTitleChange(1);
    store.failWrites = true;
    IniFile ini(store, kPath);
    EXPECT_FALSE(sets.SaveSettings(ini));
    EXPECT_EQ(store.files[kPath], FullFile());
}

TEST_F(TfrmSetsTest, ClosingNeverOverwritesWhatLoadingDidNotReach) {
    // Loading ends at Seconds2; slot 3 on, the colour and topmost keep construction values.
    const std::string stored = FullFileWith("Seconds2=12", "Seconds2=zz");
    Load(stored);
    EXPECT_THROW(sets.FormCreate(), ConvertError);
    EXPECT_EQ(Close(), stored) << "nothing the user changed, nothing lost";

    // A setting the user does change is written, and only that one.
    view.SetText(SetsText::edtTitle, 5, "new");
    sets.edtTitleChange(5);
    const std::string after = Close();
    EXPECT_NE(after.find("Title5=new\r\n"), std::string::npos);
    EXPECT_NE(after.find("Title6=T6\r\n"), std::string::npos);
    EXPECT_NE(after.find("Seconds8=18\r\n"), std::string::npos);
    EXPECT_NE(after.find("TitleColor=255\r\n"), std::string::npos);
}

TEST_F(TfrmSetsTest, ClosingKeepsStoredValuesTheListsCannotShow) {
    std::string stored = FullFile();
    stored.replace(stored.find("TimerCounter=3"), 14, "TimerCounter=9");
    stored.replace(stored.find("TitleColor=255"), 14, "TitleColor=123");
    stored.replace(stored.find("SortType=" + kVertical), 13, "SortType=grid");
    Load(stored);
    sets.FormCreate();
    EXPECT_EQ(Close(), stored);
    // Once the user picks a count, it is theirs to store.
    view.SetText(SetsText::cbbTimer, 0, "2");
    sets.cbbTimerChange();
    EXPECT_NE(Close().find("TimerCounter=2\r\n"), std::string::npos);
}

TEST_F(TfrmSetsTest, ClosingKeepsAStoredTitleThatGbkCannotHold) {
    test::IconvGbkCodec codec;
    store.codec = &codec;
    // The full file saved as UTF-8, slot 1's title with a character outside GBK.
    auto utf8File = [](const std::string& title1) {
        std::string file = FullFileWith("Title1=T1", "Title1=" + title1);
        file.replace(file.find(kVertical), kVertical.size(), "竖排");
        return file;
    };
    Load(utf8File("T1😀"));
    sets.FormCreate();
    EXPECT_EQ(fake.slot[1].labelCaption, "T1?") << "shown as best GBK can";
    EXPECT_EQ(Close(), utf8File("T1😀"));
    // Once the user changes the title, it is theirs to store.
    view.SetText(SetsText::edtTitle, 1, "T1!");
    sets.edtTitleChange(1);
    EXPECT_EQ(Close(), utf8File("T1!"));
}

TEST_F(TfrmSetsTest, AChangeAFailedCloseHeldIsStoredByTheNextDialogsClose) {
    // Another program held the file at start: nothing was loaded, so every dialog keeps every
    // key it was not told to change.
    store.readFaults = {StoreResult::InUse};
    Load(FullFile());
    test::FakeSaveHost host;
    SettingsSaver saver(store, kPath, host);
    EXPECT_THROW(sets.FormCreate(), ConvertError);
    view.SetText(SetsText::edtTitle, 1, "new");
    sets.edtTitleChange(1);
    store.writeFaults = {StoreResult::ReadOnly};
    sets.FormClose(saver);
    saver.OnRetryTimer();
    EXPECT_EQ(host.boxes.size(), 1u);

    test::FakeSetsView nextView;
    TfrmSets next{frm, nextView};
    EXPECT_THROW(next.FormCreate(), ConvertError);
    next.FormClose(saver);
    EXPECT_EQ(store.files[kPath], FullFileWith("Title1=T1", "Title1=new"));
}

}  // namespace
}  // namespace tallyvox

namespace tallyvox {
namespace {

// The dialog window's drop-down list can show only one of its items; the window-less dialog
// follows the same rule, while a box with typing shows any text.
TEST(SetsModelTest, ShowsWhatTheWindowWouldShow) {
    SetsModel model;
    model.SetText(SetsText::cbbTimer, 0, "9");
    EXPECT_EQ(model.Text(SetsText::cbbTimer), "");
    model.SetText(SetsText::cbbTimer, 0, "3");
    EXPECT_EQ(model.Text(SetsText::cbbTimer), "3");
    model.SetText(SetsText::cbbLastSec, 0, "99");
    EXPECT_EQ(model.Text(SetsText::cbbLastSec), "99");
}

}  // namespace
}  // namespace tallyvox
