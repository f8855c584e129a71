// The overlay window end to end: its shape and style, the eight slots, counting on a double
// click, the error box for an unusable last-seconds text, dragging, the popup menu and the hints;
// that none of these takes the keyboard from the game; one overlay per folder; back within
// reach when the displays change.
#include <gtest/gtest.h>

#include <cwctype>
#include <optional>
#include <string>

#include "../unit/ExpectedLayout.h"
#include "Driver.h"
#include "OverlayFixture.h"
#include "ProcStats.h"
#include "app/HintWindow_win32.h"

namespace tallyvox::e2e {
namespace {

// Settings that change nothing on the overlay: the slot count 0 lays nothing out, so every
// slot stays at its built-in place, and the durations are the built-in defaults.
const std::string kBuiltInLayout = "[Common]\nTimerCounter=0\nLastSecond=5\n";

using OverlayTest = OverlayFixture;

TEST_F(OverlayTest, WindowIsABorderlessTopmostColourKeyedPopupCentredOnTheScreen) {
    Start(kBuiltInLayout);
    EXPECT_EQ(ClassName(main), L"TfrmMain");
    EXPECT_EQ(GetText(main), L"Tallyvox");
    const RECT r = ScreenRect(main);
    const test::ExpectedSize size = test::kExpectedBuiltInSize;
    EXPECT_EQ((test::ExpectedSize{r.right - r.left, r.bottom - r.top}), size);
    const RECT client = ClientRectOnScreen(main);
    EXPECT_EQ(client.left, r.left) << "no frame";
    EXPECT_EQ(client.top, r.top) << "no caption bar";
    EXPECT_NEAR(r.left, (GetSystemMetrics(SM_CXSCREEN) - size.width) / 2, 1);
    EXPECT_NEAR(r.top, (GetSystemMetrics(SM_CYSCREEN) - size.height) / 2, 1);
    EXPECT_TRUE(IsTopMost(main));
    EXPECT_TRUE(ExStyle(main) & WS_EX_LAYERED);
    EXPECT_FALSE(Style(main) & WS_CAPTION);
    // A background pixel shows what lies beneath (the black root window), not the key green.
    const COLORREF beneath = ScreenPixel(r.left + 40, r.top + 1);
    EXPECT_NE(beneath, kKeyGreen);
    EXPECT_EQ(CountPixels(main, kKeyGreen), 0) << "no green fringe anywhere";
}

TEST_F(OverlayTest, EightSlotsStandAtTheirBuiltInPlaces) {
    Start(kBuiltInLayout);
    const wchar_t* seconds[] = {L"60", L"50", L"40", L"30", L"60", L"50", L"40", L"30"};
    for (int slot = 1; slot <= 8; ++slot) {
        SCOPED_TRACE(slot);
        ASSERT_NE(Panel(slot), nullptr);
        ASSERT_NE(Label(slot), nullptr);
        EXPECT_TRUE(IsVisible(Panel(slot)));
        const RECT panel = RectInParent(Panel(slot));
        const RECT label = RectInParent(Label(slot));
        EXPECT_EQ((test::ExpectedPlace{label.left, label.top, panel.left, panel.top}),
                  test::ExpectedBuiltInPlace(slot));
        EXPECT_EQ(panel.right - panel.left, 28);
        EXPECT_EQ(panel.bottom - panel.top, 20);
        EXPECT_EQ(PanelText(slot), seconds[slot - 1]);
        EXPECT_EQ(GetText(Label(slot)), L"标题" + std::to_wstring(slot));
    }
}

TEST_F(OverlayTest, WithoutSettingsTheBuiltInCaptionsStay) {
    Start("", false);
    // Filling the hidden settings dialog reports the empty stored duration once, during
    // start-up, before the overlay shows.
    ASSERT_NO_FATAL_FAILURE(PressAwayErrorBox(L"'' is not a valid integer value.", 10000));
    ASSERT_TRUE(WaitUntil([&] { return IsVisible(main); }));
    for (int slot = 1; slot <= 8; ++slot) EXPECT_EQ(PanelText(slot), L"100") << slot;
    const RECT r = ScreenRect(main);
    EXPECT_EQ((test::ExpectedSize{r.right - r.left, r.bottom - r.top}), test::kExpectedBuiltInSize);
    EXPECT_TRUE(IsTopMost(main));
    EXPECT_EQ(CountMessageBoxes(L"Tallyvox", app.Pid()), 0);
}

TEST_F(OverlayTest, DoubleClickCountsDownInBlueAndAgainStopsInGreen) {
    Start(kBuiltInLayout);
    const StandInWindow game;
    HWND panel = Panel(3);
    DoubleClick(panel);
    ASSERT_TRUE(WaitUntil([&] { return PanelCount(3) < 40; }, 3000));
    EXPECT_TRUE(game.InFront()) << "the game keeps the keyboard";
    const int first = PanelCount(3);
    EXPECT_GT(CountPixels(panel, kBlue), 0);
    ASSERT_TRUE(WaitUntil([&] { return PanelCount(3) < first; }, 3000));
    EXPECT_GT(CountPixels(panel, kBlue), 0);
    EXPECT_EQ(CountPixels(panel, kRed), 0);

    DoubleClick(Panel(1));  // a running count to tell the ticks by
    DoubleClick(panel);
    ASSERT_TRUE(WaitUntil([&] { return CountPixels(panel, kGreen) > 0; }, 3000));
    const std::wstring stoppedAt = PanelText(3);
    const int reference = PanelCount(1);
    EXPECT_EQ(CountPixels(panel, kBlue), 0);
    // Stopped where it stood: the count does not move on while slot 1 moves on by two, that is
    // for more than one whole tick.
    ASSERT_TRUE(WaitUntil([&] { return PanelCount(1) <= reference - 2; }, 4000));
    EXPECT_EQ(PanelText(3), stoppedAt);
    EXPECT_EQ(PanelText(4), L"30") << "other slots untouched";
}

TEST_F(OverlayTest, CountTurnsRedAtTheLastSecondsNumber) {
    Start("[Common]\nTimerCounter=1\nLastSecond=2\nSeconds1=4\n");
    DoubleClick(Panel(1));
    ASSERT_TRUE(WaitUntil([&] { return CountPixels(Panel(1), kBlue) > 0; }, 3000));
    EXPECT_EQ(CountPixels(Panel(1), kRed), 0) << "blue above N";
    ASSERT_TRUE(WaitUntil([&] { return PanelCount(1) <= 2; }, 3000));
    EXPECT_TRUE(WaitUntil([&] { return CountPixels(Panel(1), kRed) > 0; }, 1000)) << "red at N";
}

TEST_F(OverlayTest, UnusableLastSecondsShowsOneErrorBoxAtATime) {
    Start("[Common]\nTimerCounter=0\nLastSecond=\n");
    DoubleClick(Panel(2));
    HWND box = WaitForMessageBox(L"Tallyvox", 4000, app.Pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box).wide, L"'' is not a valid integer value.");
    const int shown = PanelCount(2);
    EXPECT_TRUE(shown < 50 && shown > 40) << "the count is shown before the failure: " << shown;
    // Ticks go on behind the open box and keep failing, but never stack another box.
    ASSERT_TRUE(WaitUntil([&] { return PanelCount(2) <= 46; }, 5000));
    EXPECT_EQ(CountMessageBoxes(L"Tallyvox", app.Pid()), 1);
    ASSERT_TRUE(PressMessageBoxOk(box));
    // Once closed, the next failing tick reports again.
    EXPECT_NE(WaitForMessageBox(L"Tallyvox", 3000, app.Pid()), nullptr);
    EXPECT_EQ(CountMessageBoxes(L"Tallyvox", app.Pid()), 1);
}

TEST_F(OverlayTest, PressingOnACountPanelDragsTheWindow) {
    Start(kBuiltInLayout);
    const StandInWindow game;
    const RECT before = ScreenRect(main);
    const POINT from = Centre(Panel(1));
    Drag(from, POINT{from.x + 60, from.y + 40});
    ASSERT_TRUE(WaitUntil([&] { return ScreenRect(main).top - before.top == 40; }, 3000));
    const RECT after = ScreenRect(main);
    EXPECT_EQ(after.left - before.left, 60);
    EXPECT_TRUE(game.InFront()) << "the game keeps the keyboard";
}

TEST_F(OverlayTest, RightClickMenuExitEndsTheProgramCleanly) {
    Start(kBuiltInLayout);
    ExitByMenu(5);
}

TEST_F(OverlayTest, RightButtonDragsTooAndItsReleaseStillOpensTheMenu) {
    Start(kBuiltInLayout);
    const RECT before = ScreenRect(main);
    const POINT from = Centre(Panel(2));
    RightDrag(from, POINT{from.x + 40, from.y + 24});
    ASSERT_TRUE(WaitUntil([&] { return MenuOpen(); }, 3000));
    const RECT after = ScreenRect(main);
    EXPECT_EQ(after.left - before.left, 40);
    EXPECT_EQ(after.top - before.top, 24);
    PressKey(VK_ESCAPE);
}

TEST_F(OverlayTest, TheMenuHasTheKeyboardWhileOpenAndGivesItBackWhenClosed) {
    Start(kBuiltInLayout);
    const StandInWindow game;
    ASSERT_NO_FATAL_FAILURE(OpenMenu());
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !MenuOpen(); }, 3000)) << "Esc reaches the open menu";
    EXPECT_TRUE(WaitUntil([&] { return game.InFront(); }, 2000)) << "the game has it back";
}

// Moves a top-level window without activating it, as the system would leave it.
void MoveTo(HWND window, int left, int top) {
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool OnTheScreen(const RECT& r) {
    return r.left >= 0 && r.top >= 0 && r.right <= GetSystemMetrics(SM_CXSCREEN) &&
           r.bottom <= GetSystemMetrics(SM_CYSCREEN);
}

TEST_F(OverlayTest, ASecondStartFromTheSameFolderShowsTheFirstOverlayAndEnds) {
    Start("[Common]\nTimerCounter=1\nHotKey1=F6\nSeconds1=30\n");
    MoveTo(main, -3000, -3000);
    // The folder as typed in another letter case is the same folder.
    std::wstring shouted = dir.File(L"TALLYVOX.EXE");
    for (wchar_t& c : shouted) c = static_cast<wchar_t>(towupper(c));
    AppProcess second;
    ASSERT_TRUE(second.Start(shouted));
    const std::optional<DWORD> code = second.WaitExit(2000);
    ASSERT_TRUE(code.has_value()) << "the second start still runs after 2 s";
    EXPECT_EQ(*code, 0u);
    EXPECT_TRUE(WaitUntil([&] { return OnTheScreen(ScreenRect(main)); }, 2000))
        << "the first overlay is back in view";
    PressKey(VK_F6);
    EXPECT_TRUE(WaitUntil([&] { return PanelCount(1) < 30; }, 3000)) << "with its hotkeys";

    // A copy in another folder is a setup of its own.
    TempDir otherDir;
    otherDir.WriteSettings(Crlf(kBuiltInLayout));
    AppProcess other;
    ASSERT_TRUE(other.StartIn(otherDir));
    EXPECT_NE(other.WaitForMainWindow(), nullptr) << "runs beside the first";
    EXPECT_TRUE(app.IsRunning());
}

TEST_F(OverlayTest, ADisplayChangeBringsBackAnOverlayWithNoCountOnTheScreen) {
    Start(kBuiltInLayout);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const LPARAM size = MAKELPARAM(screenWidth, GetSystemMetrics(SM_CYSCREEN));
    MoveTo(main, screenWidth + 500, 100);
    SendMessageW(main, WM_DISPLAYCHANGE, 32, size);
    EXPECT_TRUE(OnTheScreen(ScreenRect(main))) << "wholly off the screen, it comes back";

    // Left over the right edge with its first count still on the screen, it stays.
    const int left = screenWidth - RectInParent(Panel(1)).right - 2;
    MoveTo(main, left, 100);
    SendMessageW(main, WM_DISPLAYCHANGE, 32, size);
    EXPECT_EQ(ScreenRect(main).left, left);
}

// Moves the pointer onto the first count and waits for its hint to show.
class OverlayHintTest : public OverlayFixture {
  protected:
    bool HintShown() const {
        for (HWND tip : FindTopLevelWindows(HintWindow::kClassName, nullptr, app.Pid())) {
            if (IsVisible(tip) && GetText(tip).find(L"双击") != std::wstring::npos) return true;
        }
        return false;
    }
    void HoverFirstCount() {
        Start(kBuiltInLayout);
        const POINT centre = Centre(Panel(1));
        MoveMouse(centre);
        MoveMouse(POINT{centre.x + 1, centre.y + 1});
        ASSERT_TRUE(WaitUntil([&] { return HintShown(); }, 5000))
            << "the hint tells how to move, start and stop, and open the menu";
    }
};

TEST_F(OverlayHintTest, HoveringACountShowsItsHintWithoutTheCommonControls) {
    HoverFirstCount();
    const auto proc = ProcFolderOf(dir.File(L"tallyvox.exe"));
    ASSERT_TRUE(proc.has_value()) << "no /proc folder: not under Wine";
    // A common-controls tooltip would load comctl32, some 3 MiB, for one line of text.
    EXPECT_EQ(ReadFileBytes(*proc + L"\\maps").find("comctl32"), std::string::npos);
}

TEST_F(OverlayHintTest, TheHintGoesWhenThePointerLeavesTheOverlay) {
    HoverFirstCount();
    MoveMouse(POINT{5, 5});
    EXPECT_TRUE(WaitUntil([&] { return !HintShown(); }, 2000)) << "well before it would time out";
}

TEST_F(OverlayHintTest, APointerRestingOnACountWakesNothingOnceItsHintHasGone) {
    HoverFirstCount();
    ASSERT_TRUE(WaitUntil([&] { return !HintShown(); }, 10000));
    const auto proc = ProcFolderOf(dir.File(L"tallyvox.exe"));
    ASSERT_TRUE(proc.has_value()) << "no /proc folder: not under Wine";
    const long long before = ProcWakeUps(*proc);
    Sleep(2000);  // the span measured, not a wait for a condition
    // Following the pointer with a timer would wake the program 20 times and more here.
    EXPECT_LE(ProcWakeUps(*proc) - before, 2);
}

TEST_F(OverlayTest, RightClickOnATitleOpensNoMenu) {
    Start(kBuiltInLayout);
    RightClick(Label(1));
    // A drag is handled after the click before it; a menu opened by the click would take the
    // drag's press, and the window would stay.
    const RECT before = ScreenRect(main);
    const POINT from = Centre(Panel(1));
    Drag(from, POINT{from.x + 20, from.y});
    EXPECT_TRUE(WaitUntil([&] { return ScreenRect(main).left != before.left; }, 3000));
    EXPECT_FALSE(MenuOpen());
}

}  // namespace
}  // namespace tallyvox::e2e
