// The overlay and the settings dialog at 150 % display scale (144 DPI), set for this suite only
// in the Wine prefix's desktop settings and restored afterwards.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "DialogFixture.h"
#include "Driver.h"
#include "OverlayFixture.h"
#include "app/OverlayIds.h"
#include "dialog/DialogIds.h"

namespace tallyvox::e2e {
namespace {

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kLogPixels[] = L"LogPixels";

std::optional<DWORD> ReadLogPixels() {
    DWORD value = 0, size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, RRF_RT_REG_DWORD, nullptr, &value,
                     &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

void WriteLogPixels(std::optional<DWORD> value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return;
    }
    if (value) {
        RegSetValueExW(key, kLogPixels, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&*value),
                       sizeof(*value));
    } else {
        RegDeleteValueW(key, kLogPixels);
    }
    RegCloseKey(key);
}

std::string EightSlots() {
    std::string text = "[Common]\n";
    for (const std::string& line : FullSettingsLines({{"TimerCounter", "8"}})) text += line + "\n";
    return text;
}

// Checks shared by the suites that show the program at 144 DPI.
class At144DpiFixture : public DialogFixture {
  protected:
    // Slot 1 and the slot one column and three rows away, whose places show the scaled
    // pitches, as eight slots in two columns stand at 144 DPI.
    void ExpectSlotsAt144Dpi() const {
        struct Expected {
            int slot, labelLeft, labelTop, panelLeft, panelTop;
        };
        for (const Expected& e : {Expected{1, 0, 12, 84, 6}, Expected{8, 129, 138, 213, 132}}) {
            SCOPED_TRACE(e.slot);
            const RECT panel = RectInParent(Panel(e.slot));
            EXPECT_EQ(panel.left, e.panelLeft);
            EXPECT_EQ(panel.top, e.panelTop);
            EXPECT_EQ(panel.right - panel.left, 42);
            EXPECT_EQ(panel.bottom - panel.top, 30);
            const RECT label = RectInParent(Label(e.slot));
            EXPECT_EQ(label.left, e.labelLeft);
            EXPECT_EQ(label.top, e.labelTop);
            EXPECT_GE(label.bottom - label.top, 18) << "the title's font is scaled too";
        }
    }

    // The dialog's client width and a title box's size at 144 DPI.
    void ExpectDialogAt144Dpi() const {
        const RECT client = ClientRectOnScreen(dialog);
        EXPECT_EQ(client.right - client.left, 456);
        const RECT title = RectInParent(Ctl(ids::Title(1)));
        EXPECT_EQ(title.right - title.left, 74);
        EXPECT_EQ(title.bottom - title.top, 32);
    }
};

class ScaledDisplayTest : public At144DpiFixture {
  protected:
    // A program started from now on draws at 144 DPI.
    static void SetUpTestSuite() {
        saved_ = ReadLogPixels();
        WriteLogPixels(144);
    }
    static void TearDownTestSuite() { WriteLogPixels(saved_); }

  private:
    static inline std::optional<DWORD> saved_;
};

TEST_F(ScaledDisplayTest, OverlayIsOneAndAHalfTimesAsLargeAndStillCountsAndDrags) {
    ASSERT_NO_FATAL_FAILURE(Start(EightSlots()));
    const RECT window = ScreenRect(main);
    EXPECT_EQ(window.right - window.left, 288);
    EXPECT_EQ(window.bottom - window.top, 276);
    ExpectSlotsAt144Dpi();
    EXPECT_EQ(CountPixels(main, kKeyGreen), 0) << "no green fringe round the larger digits";

    DoubleClick(Panel(3));
    ASSERT_TRUE(WaitUntil([&] { return PanelCount(3) < 32; }, 3000));
    EXPECT_GT(CountPixels(Panel(3), kBlue), 0);
    EXPECT_EQ(CountPixels(main, kKeyGreen), 0);

    const RECT before = ScreenRect(main);
    const POINT from = Centre(Panel(1));
    Drag(from, POINT{from.x + 60, from.y + 40});
    ASSERT_TRUE(WaitUntil([&] { return ScreenRect(main).left != before.left; }, 3000));
    EXPECT_EQ(ScreenRect(main).left - before.left, 60);
    EXPECT_EQ(ScreenRect(main).top - before.top, 40);
}

TEST_F(ScaledDisplayTest, DialogIsScaledAndCutOffBelowTheFourthGroupBox) {
    ASSERT_NO_FATAL_FAILURE(Start(EightSlots()));
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    ASSERT_TRUE(SelectComboItem(Ctl(ids::kTimer), L"4"));
    const RECT group4 = ScreenRect(Ctl(ids::Group(4)));
    const RECT group5 = ScreenRect(Ctl(ids::Group(5)));
    // Cut off above the fifth group box's frame line, which runs half a text line below its top.
    ASSERT_TRUE(WaitUntil([&] { return ClientRectOnScreen(dialog).bottom < group5.top + 8; }))
        << "the page is cut off below the fourth group box";
    EXPECT_GE(ClientRectOnScreen(dialog).bottom, group4.bottom)
        << "the fourth group box shows whole";
    ExpectDialogAt144Dpi();

    // The conversion error box comes at every scale.
    ASSERT_NO_FATAL_FAILURE(ReplaceText(Ctl(ids::Time(1)), L""));
    ASSERT_NO_FATAL_FAILURE(PressAwayErrorBox(L"'' is not a valid integer value."));
}

// A window moved to a monitor of another scale, as Windows tells it and Wine never does: first
// asked for its size there, then handed a rectangle of that size elsewhere on the screen.
class ScaleChangeTest : public At144DpiFixture {
  protected:
    // Sends the two messages for 144 DPI; the window must then stand exactly where it was told.
    void MoveTo144Dpi(HWND window) {
        SIZE size{0, 0};
        ASSERT_EQ(SendWithBuffer(window, WM_GETDPISCALEDSIZE, 144, size), TRUE)
            << "the window says which size it takes";
        RECT suggested{40, 30, 40 + size.cx, 30 + size.cy};
        SendWithBuffer(window, WM_DPICHANGED, MAKEWPARAM(144, 144), suggested);
        const RECT now = ScreenRect(window);
        EXPECT_TRUE(EqualRect(&now, &suggested))
            << "at (" << now.left << ", " << now.top << ") " << now.right - now.left << "x"
            << now.bottom - now.top << ", told (40, 30) " << size.cx << "x" << size.cy;
    }
};

TEST_F(ScaleChangeTest, OverlayTakesItsSizeAtTheNewScaleWhereTheSystemSays) {
    ASSERT_NO_FATAL_FAILURE(Start(EightSlots()));
    ASSERT_NO_FATAL_FAILURE(MoveTo144Dpi(main));
    const RECT window = ScreenRect(main);
    EXPECT_EQ(window.right - window.left, 288);
    EXPECT_EQ(window.bottom - window.top, 276);
    ExpectSlotsAt144Dpi();
}

// The display stays at 96 DPI, which the system tells for every window: the dialog follows the
// overlay's own scale, as where Windows has no per-window DPI.
TEST_F(ScaleChangeTest, DialogOpensAtTheOverlaysScale) {
    ASSERT_NO_FATAL_FAILURE(Start(EightSlots()));
    ASSERT_NO_FATAL_FAILURE(MoveTo144Dpi(main));
    ASSERT_NO_FATAL_FAILURE(OpenDialog(false));  // only measured: it may cover the overlay
    ExpectDialogAt144Dpi();
}

TEST_F(ScaleChangeTest, DialogTakesItsSizeAtTheNewScaleWhereTheSystemSays) {
    ASSERT_NO_FATAL_FAILURE(Start(EightSlots()));
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    ASSERT_NO_FATAL_FAILURE(MoveTo144Dpi(dialog));
    ExpectDialogAt144Dpi();
}

}  // namespace
}  // namespace tallyvox::e2e
