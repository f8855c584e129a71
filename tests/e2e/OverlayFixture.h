// A test fixture that runs tallyvox.exe from a temp folder with a given settings file and
// reaches its overlay's slots and menu.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "Driver.h"
#include "app/ControlIds.h"

namespace tallyvox::e2e {

// The settings file's keys in the order the program writes them.
inline std::vector<std::string> SettingsKeyOrder() {
    std::vector<std::string> keys = {"SortType", "TimerCounter", "IsSecondCounter", "LastSecond",
                                     "IsCircle"};
    for (int slot = 1; slot <= 8; ++slot) {
        for (const char* name : {"Title", "HotKey", "Seconds"}) {
            keys.push_back(name + std::to_string(slot));
        }
    }
    keys.push_back("TitleColor");
    keys.push_back("TopMost");
    return keys;
}

// Every key with a valid value, as "key=value" lines in write order without line ends: four
// slots in two columns, slot N lasting 10 N + 2 seconds on key FN, slot 1 titled 复活 and the
// others tN, red titles, always on top. `changes` replaces single values.
inline std::vector<std::string> FullSettingsLines(
    const std::map<std::string, std::string>& changes = {}) {
    std::map<std::string, std::string> values = {
        {"SortType", "\xB6\xE0\xC5\xC5"},  // 多排
        {"TimerCounter", "4"},
        {"IsSecondCounter", "0"},
        {"LastSecond", "5"},
        {"IsCircle", "0"},
        {"TitleColor", "255"},
        {"TopMost", "1"},
    };
    for (int slot = 1; slot <= 8; ++slot) {
        const std::string n = std::to_string(slot);
        values["Title" + n] = slot == 1 ? "\xB8\xB4\xBB\xEE" : "t" + n;  // 复活
        values["HotKey" + n] = "F" + n;
        values["Seconds" + n] = std::to_string(10 * slot + 2);
    }
    for (const auto& [key, value] : changes) values[key] = value;
    std::vector<std::string> lines;
    for (const std::string& key : SettingsKeyOrder()) lines.push_back(key + "=" + values[key]);
    return lines;
}

// The whole settings file of FullSettingsLines: its section and every key, CRLF.
inline std::string FullSettingsFile(const std::map<std::string, std::string>& changes = {}) {
    std::string text = "[Common]\n";
    for (const std::string& line : FullSettingsLines(changes)) text += line + "\n";
    return Crlf(text);
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

    bool MenuOpen() const { return !FindTopLevelWindows(L"#32768", nullptr, app.Pid()).empty(); }

    // A right click on a count panel opens the popup menu.
    void OpenMenu(int slot = 1) {
        RightClick(Panel(slot));
        ASSERT_TRUE(WaitUntil([&] { return MenuOpen(); }, 3000)) << "the popup menu opens";
    }

    // The menu's "退出(&X)"; returns the exit code, or nullopt if still running after timeout.
    std::optional<DWORD> ExitByMenu(int timeout_ms = 2000) {
        OpenMenu();
        PressKey('X');
        return app.WaitExit(timeout_ms);
    }
};

}  // namespace tallyvox::e2e
