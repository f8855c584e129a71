// A test fixture for the settings dialog: the overlay's fixture, plus opening the dialog from
// the menu, reaching its controls and typing into them as a user does.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Driver.h"
#include "OverlayFixture.h"

namespace tallyvox::e2e {

// The window that has the keyboard focus in `window`'s thread.
inline HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(ThreadOf(window), &info)) return nullptr;
    return info.hwndFocus;
}

class DialogFixture : public OverlayFixture {
  protected:
    HWND dialog = nullptr;

    std::vector<HWND> VisibleDialogs() const {
        std::vector<HWND> shown;
        for (HWND hwnd : FindTopLevelWindows(L"TfrmSets", L"设置", app.Pid())) {
            if (IsVisible(hwnd)) shown.push_back(hwnd);
        }
        return shown;
    }

    // Right click on a count panel, then the menu's "设置(&S)". The dialog opens over the
    // overlay; it is then moved aside, as a user drags it (see MoveDialogAside).
    void OpenDialog(bool moveAside = true) {
        ASSERT_NO_FATAL_FAILURE(ChooseSettingsFromMenu());
        ASSERT_NO_FATAL_FAILURE(WaitForDialog(moveAside));
    }

    void ChooseSettingsFromMenu() {
        ASSERT_NO_FATAL_FAILURE(OpenMenu());
        PressKey('S');
    }

    // The dialog chosen from the menu, once it shows and has the keyboard.
    void WaitForDialog(bool moveAside = true) {
        ASSERT_TRUE(WaitUntil([&] { return VisibleDialogs().size() == 1; }, 5000))
            << "the settings dialog opens";
        dialog = VisibleDialogs().front();
        // The dialog takes the keyboard once it is shown.
        ASSERT_TRUE(WaitUntil([&] { return FocusOf(dialog) != nullptr; }, 3000));
        if (moveAside) MoveDialogAside();
    }

    // Alt+F4 (or Esc), as a user closes it; waits until it is gone.
    void CloseDialog(bool withEsc = false) {
        if (withEsc) {
            PressKey(VK_ESCAPE);
        } else {
            PressKeys({VK_MENU, VK_F4});
        }
        ASSERT_TRUE(WaitUntil([&] { return VisibleDialogs().empty(); }, 5000))
            << "the dialog closes";
        dialog = nullptr;
    }

    // Moves the dialog off the overlay. Under Wine without a window manager the topmost overlay
    // may be stacked above its own dialog once the popup menu has closed, taking the clicks
    // meant for the controls beneath it; and the overlay's pixels must be readable.
    void MoveDialogAside() {
        SetWindowPos(dialog, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        const RECT overlay = ScreenRect(main);
        ASSERT_TRUE(WaitUntil([&] {
            RECT d = ScreenRect(dialog), overlap;
            return !IntersectRect(&overlap, &d, &overlay);
        })) << "the dialog still covers the overlay";
    }

    HWND Ctl(int id) const { return FindChildById(dialog, id); }

    void ShowHelpPage() {
        const RECT tab = ScreenRect(Ctl(ids::kTab));
        ASSERT_TRUE(ClickUntil(POINT{tab.left + 150, tab.top + 10},  // the second tab, "帮助"
                               [&] { return IsVisible(Ctl(ids::kTop)); }));
    }

    // Selects the whole text of an edit box (or a combo box's edit) and types over it.
    void ReplaceText(HWND box, const std::wstring& text) {
        const auto focused = [&] {
            HWND focus = FocusOf(dialog);
            return focus == box || (focus != nullptr && GetParent(focus) == box);
        };
        ASSERT_TRUE(ClickUntil(Centre(box), focused));
        PressKey(VK_HOME);
        PressKeys({VK_SHIFT, VK_END});
        if (text.empty()) {
            PressKey(VK_DELETE);
        } else {
            TypeText(text);
        }
    }
};

}  // namespace tallyvox::e2e
