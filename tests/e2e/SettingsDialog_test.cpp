// The settings dialog end to end: opened from the overlay's menu and driven with real clicks and
// typing, every change shows on the overlay at once, and closing writes the settings file.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "DialogFixture.h"
#include "Driver.h"
#include "OverlayFixture.h"
#include "app/OverlayIds.h"
#include "dialog/DialogIds.h"
#include "dialog/SetsControls.h"

namespace tallyvox::e2e {
namespace {

using ids::Group, ids::kTab, ids::kTimer, ids::kCircle, ids::kSec, ids::kLastSec, ids::kTitleColor,
    ids::kSortType, ids::kTop;

const std::string kMulti = "\xB6\xE0\xC5\xC5";              // 多排
const std::string kVertical = "\xCA\xFA\xC5\xC5";           // 竖排
const std::string kRevive = "\xB8\xB4\xBB\xEE";             // 复活
const std::string kNewTitle = "\xD0\xC2\xB5\xC4";           // 新的
const std::string kDefaultTitle2 = "\xB1\xEA\xCC\xE2\x32";  // 标题2

// The value of `key` in a settings file's bytes; "<missing>" when the file has no such line.
std::string ValueIn(const std::string& file, const std::string& key) {
    const std::string prefix = key + "=";
    std::size_t start = 0;
    while (start < file.size()) {
        std::size_t end = file.find("\r\n", start);
        if (end == std::string::npos) end = file.size();
        const std::string line = file.substr(start, end - start);
        if (line.rfind(prefix, 0) == 0) return line.substr(prefix.size());
        start = end + 2;
    }
    return "<missing>";
}

// The control that has the keyboard focus: a combo box's inner edit counts as the combo box.
int FocusedControlId(HWND window) {
    HWND focus = FocusOf(window);
    if (focus == nullptr) return 0;
    if (ClassName(GetParent(focus)) == L"ComboBox") focus = GetParent(focus);
    return GetDlgCtrlID(focus);
}

bool Checked(HWND button) {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// SetSysColors run inside `process`: Wine keeps each process's system colours apart, so a
// change made here alone would never reach the program. A few instructions call it there.
bool SetSysColorsIn(HANDLE process, int element, COLORREF colour) {
    const auto setSysColors = reinterpret_cast<std::uint64_t>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetSysColors"));
    auto* remote = static_cast<unsigned char*>(
        VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
    if (remote == nullptr || setSysColors == 0) return false;
    const auto data = reinterpret_cast<std::uint64_t>(remote + 64);  // element, then colour
    std::vector<unsigned char> code = {0x48, 0x83, 0xEC, 0x28, 0xB9, 1, 0, 0, 0};  // ecx = 1
    auto imm64 = [&](std::initializer_list<unsigned char> op, std::uint64_t value) {
        code.insert(code.end(), op);
        for (int i = 0; i < 8; ++i) code.push_back(static_cast<unsigned char>(value >> (8 * i)));
    };
    imm64({0x48, 0xBA}, data);                                            // rdx = &element
    imm64({0x49, 0xB8}, data + 4);                                        // r8 = &colour
    imm64({0x48, 0xB8}, setSysColors);                                    // rax = SetSysColors
    code.insert(code.end(), {0xFF, 0xD0, 0x48, 0x83, 0xC4, 0x28, 0xC3});  // call; ret
    code.resize(64);
    for (const std::uint32_t word :
         {static_cast<std::uint32_t>(element), static_cast<std::uint32_t>(colour)}) {
        for (int i = 0; i < 4; ++i) code.push_back(static_cast<unsigned char>(word >> (8 * i)));
    }
    if (!WriteProcessMemory(process, remote, code.data(), code.size(), nullptr)) return false;
    HANDLE thread = CreateRemoteThread(
        process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(remote), nullptr, 0, nullptr);
    if (thread == nullptr) return false;
    const bool ended = WaitForSingleObject(thread, 5000) == WAIT_OBJECT_0;
    DWORD result = 0;
    GetExitCodeThread(thread, &result);
    CloseHandle(thread);
    return ended && result != 0;
}

class SettingsDialogTest : public DialogFixture {
  protected:
    void ShowHelpPage() {
        const RECT tab = ScreenRect(Ctl(kTab));
        ASSERT_TRUE(ClickUntil(POINT{tab.left + 150, tab.top + 10},  // the second tab, "帮助"
                               [&] { return IsVisible(Ctl(kTop)); }));
    }

    // Clicks a check box; true once its tick has changed.
    bool Toggle(int id) {
        const bool was = Checked(Ctl(id));
        return ClickUntil(Centre(Ctl(id)), [&] { return Checked(Ctl(id)) != was; });
    }

    // Chooses an item of a combo box with typing: a click on its arrow opens the list.
    bool ChooseTypingComboItem(HWND combo, const std::wstring& item) {
        const RECT rect = ScreenRect(combo);
        // Open before SelectComboItem looks, or its own click would close the list again.
        if (!ClickUntil(POINT{rect.right - 6, (rect.top + rect.bottom) / 2},
                        [&] { return SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) == TRUE; }))
            return false;
        return SelectComboItem(combo, item);
    }
};

TEST_F(SettingsDialogTest, MenuOpensTheDialogOverTheDisabledOverlay) {
    ASSERT_NO_FATAL_FAILURE(Start(FullSettingsFile()));
    // The instance made at start-up is never shown: it has no window at all.
    EXPECT_TRUE(app.TopLevelWindows(L"TfrmSets").empty());

    ASSERT_NO_FATAL_FAILURE(OpenDialog(false));
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), main);
    EXPECT_FALSE(IsWindowEnabled(main)) << "the overlay takes no input while the dialog is open";
    const LONG_PTR style = Style(dialog);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    const RECT client = ClientRectOnScreen(dialog);
    EXPECT_EQ(client.right - client.left, 304);
    const RECT window = ScreenRect(dialog);
    EXPECT_EQ(window.bottom - window.top, 330) << "outer height for four slots";
    const POINT dialogCentre = Centre(window), overlayCentre = Centre(main);
    EXPECT_LE(std::abs(dialogCentre.x - overlayCentre.x), 1);
    EXPECT_LE(std::abs(dialogCentre.y - overlayCentre.y), 1);
    ASSERT_NO_FATAL_FAILURE(MoveDialogAside());

    EXPECT_EQ(ClassName(Ctl(kTab)), L"SysTabControl32");
    EXPECT_TRUE(IsVisible(Ctl(kTimer))) << "the first page is active";
    EXPECT_FALSE(IsVisible(Ctl(kTop)));

    // Every control stands where the control table puts it; labels take their text's size.
    for (const SetsControl& c : SetsControls()) {
        if (c.id == 0 || c.kind == ControlKind::Label || c.kind == ControlKind::Link) continue;
        const RECT r = RectInParent(Ctl(c.id));
        EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right - r.left, r.bottom - r.top}),
                  (std::vector<LONG>{c.rect.left, c.rect.top, c.rect.width, c.rect.height}))
            << "control " << c.id;
    }
    EXPECT_EQ(GetText(Ctl(Group(3))), L"计时器3");

    // Contents as stored.
    EXPECT_EQ(ComboSelectedText(Ctl(kTimer)), L"4");
    EXPECT_EQ(GetTextGbk(Ctl(ids::Title(1))), kRevive);
    EXPECT_EQ(GetText(Ctl(ids::Key(2))), L"F2");
    EXPECT_EQ(GetText(Ctl(ids::Time(3))), L"32");
    EXPECT_EQ(GetText(Ctl(kLastSec)), L"5");
    EXPECT_EQ(ComboSelectedText(Ctl(kTitleColor)), L"clRed");
    EXPECT_TRUE(Checked(Ctl(kTop)));
    EXPECT_FALSE(Checked(Ctl(kCircle)));

    // Built-in item lists.
    const std::vector<std::wstring> keys = ComboItems(Ctl(ids::Key(7)));
    ASSERT_EQ(keys.size(), 23u);
    EXPECT_EQ(keys[0], L"");
    EXPECT_EQ(keys[12], L"F12");
    EXPECT_EQ(keys[22], L"Num9");
    EXPECT_EQ(ComboItems(Ctl(kLastSec)).size(), 20u);
    const std::vector<std::wstring> colorNames = ComboItems(Ctl(kTitleColor));
    ASSERT_EQ(colorNames.size(), 50u);
    EXPECT_EQ(colorNames[20], L"clActiveBorder");
    EXPECT_EQ(static_cast<DWORD>(ComboItemData(Ctl(kTitleColor), 20)), 0x8000000Au);
    EXPECT_EQ(static_cast<DWORD>(ComboItemData(Ctl(kTitleColor), 12)), 0xFF0000u);
    EXPECT_EQ(ComboItems(Ctl(kSortType)), (std::vector<std::wstring>{L"多排", L"横排", L"竖排"}));

    ASSERT_NO_FATAL_FAILURE(CloseDialog());
    EXPECT_TRUE(IsWindowEnabled(main));
}

TEST_F(SettingsDialogTest, TabWalksThroughTheControlsInTheirOrder) {
    ASSERT_NO_FATAL_FAILURE(Start(FullSettingsFile()));
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    std::vector<int> expected = {kTimer, kCircle, kSec, kLastSec, kTitleColor};
    for (int slot = 1; slot <= 8; ++slot) {
        for (int id : {ids::Title(slot), ids::Key(slot), ids::Time(slot)}) expected.push_back(id);
    }
    expected.push_back(kTab);
    expected.push_back(kTimer);  // and round again
    // The dialog opens with the tab control focused.
    ASSERT_TRUE(WaitUntil([&] { return FocusedControlId(dialog) == kTab; }))
        << FocusedControlId(dialog);
    for (int id : expected) {
        PressKey(VK_TAB);
        EXPECT_TRUE(WaitUntil([&] { return FocusedControlId(dialog) == id; }, 2000))
            << "expected " << id << ", focus on " << FocusedControlId(dialog);
    }
}

TEST_F(SettingsDialogTest, CountAndLayoutRearrangeTheOverlayLive) {
    ASSERT_NO_FATAL_FAILURE(Start(FullSettingsFile()));
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    ASSERT_FALSE(IsVisible(Panel(6)));
    ASSERT_TRUE(SelectComboItem(Ctl(kTimer), L"6"));
    ASSERT_TRUE(WaitUntil([&] { return IsVisible(Panel(6)); }));
    EXPECT_FALSE(IsVisible(Panel(7)));
    RECT overlay = ScreenRect(main);
    EXPECT_EQ(overlay.bottom - overlay.top, 138);
    EXPECT_EQ(RectInParent(Panel(6)).left, 142);
    EXPECT_EQ(RectInParent(Panel(6)).top, 60);
    EXPECT_EQ(ScreenRect(dialog).bottom - ScreenRect(dialog).top, 444)
        << "outer height for six slots";

    ASSERT_NO_FATAL_FAILURE(ShowHelpPage());
    ASSERT_TRUE(ChooseTypingComboItem(Ctl(kSortType), L"横排"));
    ASSERT_TRUE(WaitUntil([&] {
        const RECT r = ScreenRect(main);
        return r.right - r.left == 576 && r.bottom - r.top == 46;
    })) << "one row of six slots";
    EXPECT_EQ(RectInParent(Panel(6)).left, 486);
    EXPECT_EQ(RectInParent(Panel(6)).top, 4);
    EXPECT_EQ(GetText(Ctl(kSortType)), L"横排");

    // Back on the first page, a smaller count shrinks the dialog again.
    const RECT tab = ScreenRect(Ctl(kTab));
    ASSERT_TRUE(
        ClickUntil(POINT{tab.left + 50, tab.top + 10}, [&] { return IsVisible(Ctl(kTimer)); }));
    ASSERT_TRUE(SelectComboItem(Ctl(kTimer), L"4"));
    EXPECT_TRUE(WaitUntil([&] {
        const RECT r = ScreenRect(dialog);
        return r.bottom - r.top == 330;
    }));
    EXPECT_TRUE(WaitUntil([&] { return !IsVisible(Panel(5)); }));
}

TEST_F(SettingsDialogTest, TypedDurationShowsAtOnceAndAnEmptyOneBringsTheErrorBox) {
    ASSERT_NO_FATAL_FAILURE(Start(FullSettingsFile()));
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    ASSERT_EQ(GetText(Panel(1)), L"12");
    ReplaceText(Ctl(ids::Time(1)), L"");
    HWND box = WaitForMessageBox(L"Tallyvox", 5000, app.Pid());
    ASSERT_NE(box, nullptr) << "the conversion error box";
    EXPECT_EQ(MessageBoxText(box).wide, L"'' is not a valid integer value.");
    EXPECT_EQ(GetText(Panel(1)), L"12") << "the panel keeps its count";
    ASSERT_TRUE(PressMessageBoxOk(box));
    EXPECT_FALSE(VisibleDialogs().empty()) << "the dialog stays open";

    // The keyboard is back in the duration box.
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(dialog) == Ctl(ids::Time(1)); }));
    TypeText(L"25");
    EXPECT_TRUE(WaitUntil([&] { return GetText(Panel(1)) == L"25"; })) << ToUtf8(GetText(Panel(1)));
    EXPECT_EQ(CountMessageBoxes(L"Tallyvox", app.Pid()), 0);
}

TEST_F(SettingsDialogTest, ChosenColourRepaintsTheTitles) {
    ASSERT_NO_FATAL_FAILURE(Start(FullSettingsFile()));
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    ASSERT_TRUE(WaitUntil([&] { return CountPixels(Label(1), kRed) > 10; })) << "titles start red";
    ASSERT_TRUE(SelectComboItem(Ctl(kTitleColor), L"clBlue"));
    EXPECT_TRUE(WaitUntil([&] {
        return CountPixels(Label(1), kBlue) > 10 && CountPixels(Label(4), kBlue) > 10 &&
               CountPixels(Label(1), kRed) == 0;
    })) << "titles turn blue";
}

TEST_F(SettingsDialogTest, UntickingAlwaysOnTopDropsTheTopmostStyle) {
    ASSERT_NO_FATAL_FAILURE(Start(FullSettingsFile()));
    ASSERT_TRUE(IsTopMost(main));
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    ASSERT_NO_FATAL_FAILURE(ShowHelpPage());
    ASSERT_TRUE(Toggle(kTop));
    EXPECT_TRUE(WaitUntil([&] { return !IsTopMost(main); }));
    EXPECT_FALSE(Checked(Ctl(kTop)));
}

TEST_F(SettingsDialogTest, ChoosingTheEmptyKeyFreesTheHotkey) {
    ASSERT_NO_FATAL_FAILURE(Start(FullSettingsFile()));
    // F1 belongs to slot 1 since start-up.
    ASSERT_FALSE(RegisterHotKey(nullptr, 1, 0, VK_F1));
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    ASSERT_TRUE(ChooseTypingComboItem(Ctl(ids::Key(1)), L""));
    EXPECT_TRUE(WaitUntil([&] {
        if (!RegisterHotKey(nullptr, 1, 0, VK_F1)) return false;
        UnregisterHotKey(nullptr, 1);
        return true;
    })) << "F1 is free again";
    EXPECT_EQ(GetText(Ctl(ids::Key(1))), L"");
}

TEST_F(SettingsDialogTest, ClosingSavesWhatTheControlsShowAndTheNextOpeningShowsIt) {
    ASSERT_NO_FATAL_FAILURE(Start(FullSettingsFile()));
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    ReplaceText(Ctl(ids::Title(2)), FromGbk(kNewTitle));
    ASSERT_TRUE(ChooseTypingComboItem(Ctl(ids::Key(3)), L"Num5"));
    ReplaceText(Ctl(ids::Time(4)), L"99");
    ReplaceText(Ctl(kLastSec), L"7");
    ASSERT_TRUE(Toggle(kCircle));
    ASSERT_TRUE(SelectComboItem(Ctl(kTitleColor), L"clBlue"));
    ASSERT_NO_FATAL_FAILURE(ShowHelpPage());
    ASSERT_TRUE(ChooseTypingComboItem(Ctl(kSortType), L"竖排"));
    ASSERT_TRUE(Toggle(kTop));
    ASSERT_TRUE(WaitUntil([&] { return GetText(Ctl(kLastSec)) == L"7"; }));

    // What the controls show, as the file must hold it; a colour is chosen.
    ASSERT_GE(ComboSelection(Ctl(kTitleColor)), 0);
    const std::map<std::string, std::string> shown = ShownSettings(dialog);

    const std::string before = dir.ReadSettings();
    ASSERT_NO_FATAL_FAILURE(CloseDialog());
    std::string file;
    ASSERT_TRUE(WaitUntil([&] {
        file = dir.ReadSettings();
        return file != before;
    })) << "closing writes the settings file";
    for (const std::string& key : SettingsKeyOrder()) {
        EXPECT_EQ(HexBytes(ValueIn(file, key)), HexBytes(shown.at(key))) << key;
    }
    // And those are the changes made above.
    EXPECT_EQ(HexBytes(ValueIn(file, "Title2")), HexBytes(kNewTitle));
    EXPECT_EQ(ValueIn(file, "HotKey3"), "Num5");
    EXPECT_EQ(ValueIn(file, "Seconds4"), "99");
    EXPECT_EQ(ValueIn(file, "LastSecond"), "7");
    EXPECT_EQ(ValueIn(file, "IsCircle"), "1");
    EXPECT_EQ(ValueIn(file, "TitleColor"), "16711680");
    EXPECT_EQ(HexBytes(ValueIn(file, "SortType")), HexBytes(kVertical));
    EXPECT_EQ(ValueIn(file, "TopMost"), "0");
    EXPECT_EQ(HexBytes(ValueIn(file, "Title1")), HexBytes(kRevive));

    // A new dialog shows the overlay's fields as they are now.
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    EXPECT_EQ(HexBytes(GetTextGbk(Ctl(ids::Title(2)))), HexBytes(kNewTitle));
    EXPECT_EQ(GetText(Ctl(ids::Key(3))), L"Num5");
    EXPECT_EQ(GetText(Ctl(ids::Time(4))), L"99");
    EXPECT_EQ(GetText(Ctl(kLastSec)), L"7");
    EXPECT_TRUE(Checked(Ctl(kCircle)));
    EXPECT_FALSE(Checked(Ctl(kTop)));
    EXPECT_EQ(ComboSelectedText(Ctl(kTitleColor)), L"clBlue");
    EXPECT_EQ(GetText(Ctl(kSortType)), L"竖排");
    EXPECT_TRUE(IsVisible(Ctl(kTimer))) << "opens on the first page again";
}

TEST_F(SettingsDialogTest, StoredHotkeyTogglesItsSlotFromStartUp) {
    ASSERT_NO_FATAL_FAILURE(Start(FullSettingsFile()));
    ASSERT_EQ(GetText(Panel(1)), L"12");
    PressKey(VK_F1);
    EXPECT_TRUE(WaitUntil([&] { return PanelCount(1) < 12; }, 3000))
        << "slot 1 counts down; shows " << ToUtf8(GetText(Panel(1)));
    PressKey(VK_F1);
}

TEST_F(SettingsDialogTest, SecondSlotWithTheSameKeyGetsNoHotkey) {
    ASSERT_NO_FATAL_FAILURE(Start(FullSettingsFile({{"HotKey1", "F6"}, {"HotKey2", "F6"}})));
    ASSERT_FALSE(RegisterHotKey(nullptr, 1, 0, VK_F6)) << "slot 1 holds F6";
    PressKey(VK_F6);
    ASSERT_TRUE(WaitUntil([&] { return PanelCount(1) < 12; }, 3000));
    EXPECT_EQ(GetText(Panel(2)), L"22") << "slot 2 did not start";
    PressKey(VK_F6);
}

TEST_F(SettingsDialogTest, CombinationTakesOnlyItsCombinationAndTogglesOncePerPress) {
    ASSERT_NO_FATAL_FAILURE(
        Start(FullSettingsFile({{"HotKey1", "Ctrl+F1"}, {"HotKey2", "Pause"}})));
    ASSERT_FALSE(RegisterHotKey(nullptr, 1, MOD_CONTROL, VK_F1)) << "slot 1 holds Ctrl+F1";
    ASSERT_TRUE(RegisterHotKey(nullptr, 1, 0, VK_F1)) << "plain F1 stays free";
    UnregisterHotKey(nullptr, 1);
    PressKey(VK_PAUSE);
    EXPECT_TRUE(WaitUntil([&] { return PanelCount(2) < 22; }, 3000)) << "Pause starts slot 2";

    // Held down, the keyboard repeats the key-down: one start, not four toggles.
    KeyDown(VK_CONTROL);
    for (int repeat = 0; repeat < 4; ++repeat) KeyDown(VK_F1);
    KeyUp(VK_F1);
    KeyUp(VK_CONTROL);
    ASSERT_TRUE(WaitUntil([&] { return PanelCount(1) < 12; }, 3000)) << "slot 1 runs";
    PressKeys({VK_CONTROL, VK_F1});
    EXPECT_TRUE(WaitUntil([&] { return CountPixels(Panel(1), kGreen) > 0; }, 3000))
        << "a fresh press stops it";
}

TEST_F(SettingsDialogTest, KeyBoxWithoutAHotkeyShowsItsNameInRed) {
    ASSERT_NO_FATAL_FAILURE(
        Start(FullSettingsFile({{"HotKey1", "F6"}, {"HotKey2", "F6"}, {"HotKey3", "Q"}})));
    ASSERT_TRUE(RegisterHotKey(nullptr, 1, 0, 'Q')) << "Q stays free";
    UnregisterHotKey(nullptr, 1);
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    auto redPixels = [&](int slot) {
        return CountPixels(FindWindowExW(Ctl(ids::Key(slot)), nullptr, L"Edit", nullptr), kRed);
    };
    EXPECT_TRUE(WaitUntil([&] { return redPixels(2) > 5 && redPixels(3) > 5; }))
        << "the key another slot holds, and Q without Ctrl, Alt or Win";
    EXPECT_EQ(redPixels(1), 0) << "slot 1 holds F6";
    EXPECT_EQ(redPixels(4), 0);

    ASSERT_TRUE(ChooseTypingComboItem(Ctl(ids::Key(2)), L"F11"));
    EXPECT_TRUE(WaitUntil([&] { return redPixels(2) == 0; })) << "a free key clears the red";
    PressKey(VK_F11);
    EXPECT_TRUE(WaitUntil([&] { return PanelCount(2) < 22; }, 3000)) << "F11 starts slot 2";
    PressKey(VK_F11);
}

TEST_F(SettingsDialogTest, ALongTitleRunsUnderItsCountPanel) {
    constexpr COLORREF kFuchsia = 0xFF00FF;
    ASSERT_NO_FATAL_FAILURE(Start(FullSettingsFile(
        {{"Title1", ToGbk(L"复活技能冷却时间很长")}, {"TitleColor", "16711935"}})));
    ASSERT_GT(RectInParent(Label(1)).right, RectInParent(Panel(1)).right) << "a long title";
    const RECT panel = ScreenRect(Panel(1));
    const POINT leftEdge{panel.left + 2, (panel.top + panel.bottom) / 2};
    DoubleClick(leftEdge);
    ASSERT_TRUE(WaitUntil([&] { return PanelCount(1) < 12; }, 3000)) << "the edge starts it";
    DoubleClick(leftEdge);  // stopped, so that no tick repaints the panel below
    RightClick(leftEdge);
    ASSERT_TRUE(WaitUntil([&] { return MenuOpen(); }, 3000)) << "the edge opens the menu";
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !MenuOpen(); }, 3000));

    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    const std::wstring changed = L"复活技能冷却时间还长";
    ReplaceText(Ctl(ids::Title(1)), changed);
    ASSERT_TRUE(WaitUntil(
        [&] { return GetText(Label(1)) == changed && CountPixels(Label(1), kFuchsia) > 10; }));
    EXPECT_EQ(CountPixels(Panel(1), kFuchsia), 0) << "the repainted title stays under the panel";
}

TEST_F(SettingsDialogTest, TitlesAndSwatchFollowAChangedSystemColour) {
    const int kElement = COLOR_INFOBK;
    const COLORREF kChanged = 0x563412;
    // The Wine session outlives the test: the colour goes back at its end.
    struct Restore {
        int element;
        COLORREF colour;
        ~Restore() { SetSysColors(1, &element, &colour); }
    } restore{kElement, GetSysColor(kElement)};
    const auto stored = static_cast<std::int32_t>(0x80000000u | kElement);
    ASSERT_NO_FATAL_FAILURE(Start(FullSettingsFile({{"TitleColor", std::to_string(stored)}})));
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    ASSERT_EQ(ComboSelectedText(Ctl(kTitleColor)), L"clInfoBk");
    ASSERT_TRUE(WaitUntil([&] { return CountPixels(Label(1), restore.colour) > 10; }));

    ASSERT_TRUE(SetSysColorsIn(app.Handle(), kElement, kChanged));
    EXPECT_TRUE(WaitUntil([&] { return CountPixels(Label(1), kChanged) > 10; })) << "titles";
    EXPECT_TRUE(WaitUntil([&] { return CountPixels(Ctl(kTitleColor), kChanged) > 10; }))
        << "the chosen entry's swatch";
}

TEST_F(SettingsDialogTest, TheHiddenInstanceNeverWritesTheFile) {
    const std::string settings =
        FullSettingsFile({{"Title2", kDefaultTitle2}, {"Seconds3", "040"}});
    ASSERT_NO_FATAL_FAILURE(Start(settings));
    ASSERT_NO_FATAL_FAILURE(ExitByMenu());
    EXPECT_EQ(dir.ReadSettings(), settings);
}

// Saved by Notepad as "UTF-8 with BOM": titles show right, and closing the dialog writes the
// changed title in UTF-8 and leaves every other byte as it was.
TEST_F(SettingsDialogTest, AUtf8FileShowsItsTitlesAndKeepsItsEncoding) {
    const std::string utf8 =
        "\xEF\xBB\xBF" +
        ToUtf8(FromGbk(FullSettingsFile({{"Title2", "\xB4\xF3\xC1\xFA"}})));  // 大龙
    ASSERT_NO_FATAL_FAILURE(Start(utf8));
    EXPECT_EQ(GetText(Label(1)), L"复活");
    EXPECT_EQ(GetText(Label(2)), L"大龙");
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    ReplaceText(Ctl(ids::Title(2)), L"新的");
    ASSERT_TRUE(WaitUntil([&] { return GetText(Label(2)) == L"新的"; }));
    ASSERT_NO_FATAL_FAILURE(CloseDialog());

    std::string expected = utf8;
    expected.replace(expected.find("Title2=大龙"), std::string("Title2=大龙").size(),
                     "Title2=新的");
    std::string file;
    EXPECT_TRUE(WaitUntil([&] {
        file = dir.ReadSettings();
        return file == expected;
    })) << HexBytes(file);
}

// A player's first sessions: no settings file at all, then the shipped one, configured in the
// dialog, and everything found back after a restart.
TEST_F(SettingsDialogTest, AWholeSessionFromNoSettingsFileToARestart) {
    // Without a settings file the fields are empty: filling the hidden dialog empties the
    // titles and reports the empty duration once; no layout runs and no hotkey is taken.
    ASSERT_NO_FATAL_FAILURE(Start("", false));
    ASSERT_NO_FATAL_FAILURE(PressAwayErrorBox(L"'' is not a valid integer value.", 10000));
    ASSERT_TRUE(WaitUntil([&] { return IsVisible(main); }));
    EXPECT_EQ(GetText(Label(1)), L"");
    EXPECT_EQ(ScreenRect(main).right - ScreenRect(main).left, 176);
    EXPECT_TRUE(IsVisible(Panel(8)));
    ASSERT_TRUE(RegisterHotKey(nullptr, 1, 0, VK_F1)) << "F1 is free";
    UnregisterHotKey(nullptr, 1);
    ASSERT_NO_FATAL_FAILURE(ExitByMenu());
    EXPECT_FALSE(dir.Exists(L"qorvane.db")) << "the program never creates its file";

    // The shipped file: one slot, on F1, no error.
    dir.WriteSettings(ReadFileBytes(SourcePath(L"resources/qorvane.db")));
    ASSERT_NO_FATAL_FAILURE(Start(dir.ReadSettings()));
    EXPECT_EQ(CountMessageBoxes(L"Tallyvox", app.Pid()), 0);
    EXPECT_FALSE(IsVisible(Panel(2)));
    EXPECT_FALSE(RegisterHotKey(nullptr, 1, 0, VK_F1)) << "slot 1 holds F1";

    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    ASSERT_TRUE(SelectComboItem(Ctl(kTimer), L"3"));
    ReplaceText(Ctl(ids::Title(2)), FromGbk(kRevive));
    ReplaceText(Ctl(ids::Time(2)), L"90");
    ASSERT_TRUE(ChooseTypingComboItem(Ctl(ids::Key(3)), L"F9"));
    ReplaceText(Ctl(kLastSec), L"12");
    ASSERT_TRUE(Toggle(kSec));
    ASSERT_TRUE(SelectComboItem(Ctl(kTitleColor), L"clRed"));
    ASSERT_NO_FATAL_FAILURE(ShowHelpPage());
    ASSERT_TRUE(ChooseTypingComboItem(Ctl(kSortType), L"竖排"));
    ASSERT_TRUE(Toggle(kTop));
    ASSERT_NO_FATAL_FAILURE(CloseDialog());
    ASSERT_NO_FATAL_FAILURE(ExitByMenu());

    // Restarted, the overlay is as configured, and so is a new dialog.
    ASSERT_NO_FATAL_FAILURE(Start(dir.ReadSettings()));
    EXPECT_EQ(CountMessageBoxes(L"Tallyvox", app.Pid()), 0);
    EXPECT_TRUE(IsVisible(Panel(3)));
    EXPECT_FALSE(IsVisible(Panel(4)));
    EXPECT_EQ(RectInParent(Panel(3)).top, 60) << "one column";
    EXPECT_EQ(ScreenRect(main).bottom - ScreenRect(main).top, 138);
    EXPECT_EQ(HexBytes(GetTextGbk(Label(2))), HexBytes(kRevive));
    EXPECT_EQ(GetText(Panel(2)), L"90");
    EXPECT_GT(CountPixels(Label(1), kRed), 0);
    EXPECT_FALSE(IsTopMost(main));
    PressKey(VK_F9);
    EXPECT_TRUE(WaitUntil([&] { return PanelCount(3) < 40; }, 3000)) << "F9 starts slot 3";
    PressKey(VK_F9);

    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    EXPECT_EQ(GetText(Ctl(kTimer)), L"3");
    EXPECT_EQ(GetText(Ctl(ids::Key(3))), L"F9");
    EXPECT_EQ(GetText(Ctl(kLastSec)), L"12");
    EXPECT_TRUE(Checked(Ctl(kSec)));
    EXPECT_FALSE(Checked(Ctl(kCircle)));
    EXPECT_EQ(ComboSelectedText(Ctl(kTitleColor)), L"clRed");
    EXPECT_EQ(GetText(Ctl(kSortType)), L"竖排");
    EXPECT_FALSE(Checked(Ctl(kTop)));
}

}  // namespace
}  // namespace tallyvox::e2e
