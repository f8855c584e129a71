// The end of the session while the program runs: the system asks each of the program's top-level
// windows, tells each that the session ends, and may then end the process without closing
// anything. A settings dialog open then is stored as its close would store it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogFixture.h"
#include "Driver.h"
#include "OverlayFixture.h"
#include "app/OverlayIds.h"
#include "dialog/DialogIds.h"
#include "settings/IniDocument.h"

namespace tallyvox::e2e {
namespace {

const std::string kTypedTitle = "\xD0\xC2\xB5\xC4";  // 新的

class SessionEndTest : public DialogFixture {
  protected:
    // What the system does at log-off, to every top-level window of the program, then the hard
    // end of the process.
    void EndSessionAndKill() {
        const std::vector<HWND> windows = app.TopLevelWindows();
        for (HWND hwnd : windows) {
            DWORD_PTR answer = FALSE;
            ASSERT_TRUE(SendMessageTimeoutW(hwnd, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                                            SMTO_NORMAL, 5000, &answer));
            EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE))
                << ToUtf8(ClassName(hwnd)) << " holds up the end of the session";
        }
        for (HWND hwnd : windows) {
            ASSERT_TRUE(SendMessageTimeoutW(hwnd, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF,
                                            SMTO_NORMAL, 5000, nullptr));
        }
        app.Terminate();
        ASSERT_FALSE(app.IsRunning());
    }
};

TEST_F(SessionEndTest, StoresTheOpenDialogAsItsCloseWould) {
    ASSERT_NO_FATAL_FAILURE(Start(FullSettingsFile()));
    IniDocument expected(dir.ReadSettings());
    expected.Set("Common", "Title2", kTypedTitle);
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    ASSERT_NO_FATAL_FAILURE(ReplaceText(Ctl(ids::Title(2)), FromGbk(kTypedTitle)));
    ASSERT_TRUE(WaitUntil([&] { return GetTextGbk(Label(2)) == kTypedTitle; }))
        << "the overlay shows the typed title";

    ASSERT_NO_FATAL_FAILURE(EndSessionAndKill());
    EXPECT_EQ(dir.ReadSettings(), expected.Serialize());
}

TEST_F(SessionEndTest, WithoutAnOpenDialogNothingIsWritten) {
    // Any store would write this flag back as 1.
    ASSERT_NO_FATAL_FAILURE(Start(FullSettingsFile({{"TopMost", "2"}})));
    const std::string before = dir.ReadSettings();
    ASSERT_NO_FATAL_FAILURE(EndSessionAndKill());
    EXPECT_EQ(dir.ReadSettings(), before);
}

// Another program's WM_CLOSE to the overlay does not take the open dialog's changes with it.
TEST_F(SessionEndTest, ACloseFromOutsideWaitsForTheOpenDialog) {
    ASSERT_NO_FATAL_FAILURE(Start(FullSettingsFile()));
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    ASSERT_NO_FATAL_FAILURE(ReplaceText(Ctl(ids::Title(2)), FromGbk(kTypedTitle)));
    ASSERT_TRUE(SendMessageTimeoutW(main, WM_CLOSE, 0, 0, SMTO_NORMAL, 5000, nullptr));
    ASSERT_TRUE(app.IsRunning()) << "the program went on";
    ASSERT_NO_FATAL_FAILURE(CloseDialog());
    ASSERT_TRUE(WaitUntil([&] {
        return IniDocument(dir.ReadSettings()).Get("Common", "Title2") == kTypedTitle;
    })) << "the dialog stored its changes when it closed";
}

}  // namespace
}  // namespace tallyvox::e2e
