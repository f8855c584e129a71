// Tests of the e2e driver itself, against the stand-in program (tallyvox_e2e.exe --harness-app)
// and the sound capture set up by run_under_wine.sh; none of them needs tallyvox.exe.
#include "Driver.h"

#include <gtest/gtest.h>
#include <mmsystem.h>

#include <string>

#include "HarnessApp.h"

namespace tallyvox::e2e {
namespace {

namespace h = harness;

TEST(DriverText, GbkRoundTripKeepsTheStoredBytes) {
    const std::string gbk = "\xB6\xE0\xC5\xC5";  // "多排"
    EXPECT_EQ(FromGbk(gbk), L"\u591a\u6392");
    EXPECT_EQ(ToGbk(L"\u591a\u6392"), gbk);
    EXPECT_EQ(HexBytes(gbk), "B6 E0 C5 C5");
}

TEST(DriverText, PathsAndLineEnds) {
    EXPECT_EQ(UnixToWindowsPath("/tmp/a b/c.db"), L"Z:\\tmp\\a b\\c.db");
    EXPECT_EQ(UnixToWindowsPath("C:\\x"), L"C:\\x");
    EXPECT_EQ(Crlf("a\nb\r\nc\n"), "a\r\nb\r\nc\r\n");
}

TEST(DriverFiles, TempDirHoldsExactBytesAndIsRemoved) {
    std::wstring path;
    {
        TempDir dir;
        path = dir.Path();
        dir.WriteSettings(Crlf("[Set]\nSortType=\xB6\xE0\xC5\xC5\n"));
        EXPECT_EQ(dir.ReadSettings(), "[Set]\r\nSortType=\xB6\xE0\xC5\xC5\r\n");
        EXPECT_TRUE(dir.Exists(L"qorvane.db"));
    }
    EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(DriverFiles, CommittedClipsParseAsWav) {
    std::string pcm = WavPcm(ReadFileBytes(SourcePath(L"resources/clips/wav0.wav")));
    EXPECT_GT(pcm.size(), 1000u);
}

TEST(DriverFiles, ClipSequenceIsFoundInOrder) {
    std::vector<std::string> clips{"AAAA", "BBBB", "CCCCCC"};
    std::string capture = std::string("\0\0", 2) + "BBBB" + "xx" + "AAAA" + "CCCCCC" + "BBBB";
    EXPECT_EQ(FindClipSequence(capture, clips), (std::vector<int>{1, 0, 2, 1}));
}

TEST(DriverWait, WaitUntilReportsTimeoutAndSuccess) {
    auto start = GetTickCount64();
    EXPECT_FALSE(WaitUntil([] { return false; }, 200));
    EXPECT_GE(GetTickCount64() - start, 190u);
    int calls = 0;
    EXPECT_TRUE(WaitUntil([&] { return ++calls == 3; }, 2000));
}

std::wstring OwnPath() {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(path, n);
}

// Each test gets a fresh stand-in process, so counters start at zero.
class HarnessApp : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(app_.Start(OwnPath(), L"--harness-app"));
        window_ = app_.WaitForMainWindow(15000, h::kClass, h::kTitle);
        ASSERT_NE(window_, nullptr) << "stand-in window did not appear";
    }

    HWND Child(int id) {
        HWND child = FindChildById(window_, id);
        EXPECT_NE(child, nullptr) << "no control " << id;
        return child;
    }

    bool TextBecomes(HWND hwnd, const std::wstring& text, int timeout_ms = 3000) {
        return WaitUntil([&] { return GetText(hwnd) == text; }, timeout_ms);
    }

    AppProcess app_;
    HWND window_ = nullptr;
};

TEST_F(HarnessApp, WindowsAreFoundAndRead) {
    EXPECT_TRUE(IsTopMost(window_));
    EXPECT_TRUE(IsVisible(window_));
    EXPECT_EQ(app_.TopLevelWindows(h::kClass).size(), 1u);

    HWND label = Child(h::kLabel);
    WindowText text = ReadText(label);
    EXPECT_EQ(text.wide, L"\u591a\u6392");
    EXPECT_EQ(HexBytes(text.gbk), "B6 E0 C5 C5");
    EXPECT_EQ(ClassName(label), L"Static");

    HWND panel = Child(h::kPanel);
    RECT rect = RectInParent(panel);
    EXPECT_EQ(rect.left, h::kPanelLeft);
    EXPECT_EQ(rect.top, h::kPanelTop);
    EXPECT_EQ(rect.right - rect.left, h::kPanelWidth);
    EXPECT_EQ(rect.bottom - rect.top, h::kPanelHeight);
    EXPECT_TRUE(Style(panel) & WS_CHILD);
    EXPECT_EQ(ScreenRect(window_).left, h::kLeft);

    std::vector<std::wstring> items = ComboItems(Child(h::kCombo));
    ASSERT_EQ(items.size(), 12u);
    EXPECT_EQ(items[11], L"F12");
    EXPECT_EQ(ComboItemData(Child(h::kCombo), 3), 30);
}

TEST_F(HarnessApp, MouseClicksArriveAsAUserMakesThem) {
    HWND panel = Child(h::kPanel);
    Click(panel);
    EXPECT_TRUE(TextBecomes(panel, L"down=1 dbl=0 right=0")) << ToUtf8(GetText(panel));
    DoubleClick(Centre(panel));
    // A double click is a button-down followed by a double-click message.
    EXPECT_TRUE(TextBecomes(panel, L"down=2 dbl=1 right=0")) << ToUtf8(GetText(panel));
    RightClick(panel);
    EXPECT_TRUE(TextBecomes(panel, L"down=2 dbl=1 right=1")) << ToUtf8(GetText(panel));
}

TEST_F(HarnessApp, PanelColourIsOnScreen) {
    HWND panel = Child(h::kPanel);
    const int area = h::kPanelWidth * h::kPanelHeight;
    EXPECT_TRUE(WaitUntil([&] { return CountPixels(panel, RGB(255, 0, 0)) == area; }, 3000))
        << CountPixels(panel, RGB(255, 0, 0)) << " of " << area;
    POINT centre = Centre(panel);
    EXPECT_EQ(ScreenPixel(centre.x, centre.y), RGB(255, 0, 0));
    EXPECT_EQ(CountPixels(window_, RGB(0, 255, 0)), 0);
}

TEST_F(HarnessApp, TypingReachesTheClickedEdit) {
    HWND edit = Child(h::kEdit);
    Click(edit);
    TypeText(L"12\u591a");
    EXPECT_TRUE(TextBecomes(edit, L"12\u591a")) << ToUtf8(GetText(edit));
    PressKey(VK_BACK);
    EXPECT_TRUE(TextBecomes(edit, L"12")) << ToUtf8(GetText(edit));
}

TEST_F(HarnessApp, ComboItemIsPickedWithOneSelectionChange) {
    HWND combo = Child(h::kCombo);
    ASSERT_TRUE(SelectComboItem(combo, L"F3"));
    EXPECT_TRUE(TextBecomes(Child(h::kSelInfo), L"sel=1:2")) << ToUtf8(GetText(Child(h::kSelInfo)));
    // F12 lies below the visible part of the list, so this needs scrolling.
    ASSERT_TRUE(SelectComboItem(combo, L"F12"));
    EXPECT_TRUE(TextBecomes(Child(h::kSelInfo), L"sel=2:11"))
        << ToUtf8(GetText(Child(h::kSelInfo)));
    EXPECT_EQ(ComboSelectedText(combo), L"F12");
    EXPECT_FALSE(SelectComboItem(combo, L"F13"));
}

TEST_F(HarnessApp, KeyPressFiresAGlobalHotKey) {
    PressKey(h::kHotKey);
    EXPECT_TRUE(TextBecomes(Child(h::kHotInfo), L"hot=1")) << ToUtf8(GetText(Child(h::kHotInfo)));
    PressKeys({VK_SHIFT, static_cast<WORD>(h::kHotKey)});  // registered without modifiers
    PressKey(h::kHotKey);
    EXPECT_TRUE(TextBecomes(Child(h::kHotInfo), L"hot=2")) << ToUtf8(GetText(Child(h::kHotInfo)));
}

TEST_F(HarnessApp, MessageBoxIsFoundReadAndClosed) {
    EXPECT_EQ(CountMessageBoxes(h::kBoxTitle), 0);
    Click(Child(h::kBoxButton));
    HWND box = WaitForMessageBox(h::kBoxTitle, 5000, app_.Pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(CountMessageBoxes(h::kBoxTitle), 1);
    WindowText text = MessageBoxText(box);
    EXPECT_EQ(text.wide, L"\u8f6c\u6362\u9519\u8bef");
    EXPECT_EQ(text.gbk, ToGbk(L"\u8f6c\u6362\u9519\u8bef"));
    EXPECT_TRUE(PressMessageBoxOk(box));
    EXPECT_TRUE(TextBecomes(Child(h::kBoxInfo), L"box=1"));
    EXPECT_EQ(CountMessageBoxes(h::kBoxTitle), 0);
}

TEST_F(HarnessApp, ExitCodeIsReportedAndTerminateEnds) {
    EXPECT_FALSE(app_.WaitExit(100).has_value());
    PostMessageW(window_, WM_CLOSE, 0, 0);
    std::optional<DWORD> code = app_.WaitExit(5000);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, static_cast<DWORD>(h::kExitCode));
    EXPECT_FALSE(app_.IsRunning());

    AppProcess second;
    ASSERT_TRUE(second.Start(OwnPath(), L"--harness-app"));
    ASSERT_NE(second.WaitForMainWindow(15000, h::kClass, h::kTitle), nullptr);
    second.Terminate();
    EXPECT_FALSE(second.IsRunning());
}

// A 22050 Hz mono 16-bit WAV whose samples are unlikely to occur by chance.
std::string MakeWav(size_t samples, uint16_t seed) {
    std::string pcm;
    for (size_t i = 0; i < samples; ++i) {
        auto value = static_cast<uint16_t>((i * 7919u) ^ seed);
        pcm += static_cast<char>(value & 0xFF);
        pcm += static_cast<char>(value >> 8);
    }
    auto u32 = [](uint32_t v) {
        return std::string{static_cast<char>(v), static_cast<char>(v >> 8),
                           static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
    };
    auto u16 = [](uint16_t v) {
        return std::string{static_cast<char>(v), static_cast<char>(v >> 8)};
    };
    std::string fmt = u16(1) + u16(1) + u32(22050) + u32(44100) + u16(2) + u16(16);
    std::string body = "WAVEfmt " + u32(static_cast<uint32_t>(fmt.size())) + fmt + "data" +
                       u32(static_cast<uint32_t>(pcm.size())) + pcm;
    return "RIFF" + u32(static_cast<uint32_t>(body.size())) + body;
}

TEST(SoundCapture, PlayedSamplesLandInTheCaptureFile) {
    if (SoundCapturePath().empty()) GTEST_SKIP() << "not run through run_under_wine.sh";
    ClearSoundCapture();
    std::string first = MakeWav(4000, 0x5A5A);
    std::string second = MakeWav(2500, 0x1234);
    ASSERT_TRUE(sndPlaySoundA(first.data(), SND_MEMORY | SND_SYNC | SND_NODEFAULT));
    ASSERT_TRUE(sndPlaySoundA(second.data(), SND_MEMORY | SND_SYNC | SND_NODEFAULT));
    std::vector<std::string> clips{WavPcm(second), WavPcm(first)};
    EXPECT_TRUE(WaitUntil(
        [&] {
            return FindClipSequence(ReadSoundCapture(), clips) == std::vector<int>{1, 0};
        },
        5000))
        << "captured " << ReadSoundCapture().size() << " bytes";
}

}  // namespace
}  // namespace tallyvox::e2e
