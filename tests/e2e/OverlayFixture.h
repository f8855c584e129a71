// A test fixture that runs tallyvox.exe from a temp folder with a given settings file and
// reaches its overlay's slots and menu.
#pragma once

#include <gtest/gtest.h>

#include <climits>
#include <cwchar>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Driver.h"
#include "FullSettings.h"
#include "app/OverlayIds.h"
#include "dialog/ColorList.h"
#include "dialog/DialogIds.h"

namespace tallyvox::e2e {

// The overlay's colours as the screen shows them (0x00BBGGRR): counting, at the last seconds,
// stopped, and the key colour that must never show.
constexpr COLORREF kBlue = 0xFF0000;
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kGreen = 0x008000;
constexpr COLORREF kKeyGreen = 0x00FF00;

// What the settings dialog's controls show, as the file holds them after a save: texts as
// shown, check boxes as 1 or 0, the colour list's item data (the no-colour value when none).
inline std::map<std::string, std::string> ShownSettings(HWND dialog) {
    auto ctl = [&](int id) { return FindChildById(dialog, id); };
    auto checked = [&](int id) {
        return SendMessageW(ctl(id), BM_GETCHECK, 0, 0) == BST_CHECKED ? "1" : "0";
    };
    std::map<std::string, std::string> shown;
    shown["SortType"] = GetTextGbk(ctl(ids::kSortType));
    shown["TimerCounter"] = GetTextGbk(ctl(ids::kTimer));
    shown["IsSecondCounter"] = checked(ids::kSec);
    shown["LastSecond"] = GetTextGbk(ctl(ids::kLastSec));
    shown["IsCircle"] = checked(ids::kCircle);
    for (int slot = 1; slot <= 8; ++slot) {
        const std::string n = std::to_string(slot);
        shown["Title" + n] = GetTextGbk(ctl(ids::Title(slot)));
        shown["HotKey" + n] = GetTextGbk(ctl(ids::Key(slot)));
        shown["Seconds" + n] = GetTextGbk(ctl(ids::Time(slot)));
    }
    const int color = ComboSelection(ctl(ids::kTitleColor));
    const auto value = color < 0 ? kNoColorSelected
                                 : static_cast<std::int32_t>(static_cast<DWORD>(
                                       ComboItemData(ctl(ids::kTitleColor), color)));
    shown["TitleColor"] = std::to_string(value);
    shown["TopMost"] = checked(ids::kTop);
    return shown;
}

class OverlayFixture : public testing::Test {
  protected:
    TempDir dir;
    AppProcess app;
    HWND main = nullptr;

    // Starts the program beside `settings` (LF line ends become CRLF); empty means no settings
    // file at all. The overlay shows only after start-up, so a start-up error box comes first.
    void Start(const std::string& settings, bool waitUntilShown = true) {
        if (!settings.empty()) dir.WriteSettings(Crlf(settings));
        ASSERT_TRUE(app.StartIn(dir));
        main = app.WaitForMainWindow();
        ASSERT_NE(main, nullptr);
        if (waitUntilShown) {
            ASSERT_TRUE(WaitUntil([&] { return IsVisible(main); }));
        }
    }

    HWND Panel(int slot) const { return FindChildById(main, ids::Panel(slot)); }
    HWND Label(int slot) const { return FindChildById(main, ids::Label(slot)); }
    std::wstring PanelText(int slot) const { return GetText(Panel(slot)); }
    // The count a panel shows, or INT_MIN when it shows no number. A poll for a count compares
    // with a bound, not one value: a poller that stalls for a tick would miss that value.
    int PanelCount(int slot) const {
        const std::wstring text = PanelText(slot);
        wchar_t* end = nullptr;
        const long value = std::wcstol(text.c_str(), &end, 10);
        return text.empty() || *end != L'\0' ? INT_MIN : static_cast<int>(value);
    }

    // Waits for the program's error box, checks its message and presses it away.
    void PressAwayErrorBox(const std::wstring& message, int timeout_ms = 5000) {
        HWND box = WaitForMessageBox(L"Tallyvox", timeout_ms, app.Pid());
        ASSERT_NE(box, nullptr) << "no box saying " << ToUtf8(message);
        EXPECT_EQ(MessageBoxText(box).wide, message);
        ASSERT_TRUE(PressMessageBoxOk(box));
    }

    bool MenuOpen() const { return !FindTopLevelWindows(L"#32768", nullptr, app.Pid()).empty(); }

    // A right click on a count panel opens the popup menu.
    void OpenMenu(int slot = 1) {
        ASSERT_TRUE(ClickUntil(
            Centre(Panel(slot)), [&] { return MenuOpen(); }, 5000, RightClick))
            << "the popup menu opens";
    }

    // How long after the exit command the program may take to end: it gives its sound worker
    // up to 1 s to finish the clip in hand, then exits; 1.5 s more is the margin for a loaded
    // machine.
    static constexpr int kExitLimitMs = 1000 + 1500;

    // The menu's "退出(&X)": the program ends with exit code 0 within kExitLimitMs.
    void ExitByMenu(int slot = 1) {
        ASSERT_NO_FATAL_FAILURE(OpenMenu(slot));
        PressKey('X');
        const std::optional<DWORD> code = app.WaitExit(kExitLimitMs);
        ASSERT_TRUE(code.has_value())
            << "still running " << kExitLimitMs << " ms after the exit command";
        EXPECT_EQ(*code, 0u) << "the exit code";
    }
};

}  // namespace tallyvox::e2e
