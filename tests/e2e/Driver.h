// Drives a running Windows program from outside, as a user would: processes, windows, real
// mouse and keyboard input, screen pixels, message boxes and the captured sound output.
// Runs under Wine (see run_under_wine.sh) or on Windows.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace tallyvox::e2e {

// --- waiting -------------------------------------------------------------------------------------

// Polls predicate every poll_ms until it holds (true) or timeout_ms passes (false). Checks once
// more at the deadline, so a condition that became true late is not reported as a timeout.
bool WaitUntil(const std::function<bool()>& predicate, int timeout_ms = 5000, int poll_ms = 20);

// --- text and paths ------------------------------------------------------------------------------

std::wstring FromGbk(std::string_view gbk);  // code page 936 bytes -> UTF-16
std::string ToGbk(std::wstring_view text);   // UTF-16 -> code page 936 bytes
std::wstring FromUtf8(std::string_view utf8);
std::string ToUtf8(std::wstring_view text);  // for readable gtest messages
// Bytes as "B6 E0 C5 C5", for failure messages about GBK text.
std::string HexBytes(std::string_view bytes);
// "\n" -> "\r\n" (existing "\r\n" kept): fixture files are written with Windows line ends.
std::string Crlf(std::string_view text);

// "/tmp/a b" -> "Z:\tmp\a b" (Wine maps / to Z:). Windows paths are returned unchanged.
std::wstring UnixToWindowsPath(std::string_view path);
// Environment variable as a Windows path (converted when it holds a Unix path); empty if unset.
std::wstring EnvPath(const wchar_t* name);
// tallyvox.exe under test (TALLYVOX_EXE). Throws std::runtime_error if unset or missing.
std::wstring TallyvoxExePath();
// A file of the source tree, e.g. SourcePath(L"resources/clips/wav0.wav").
std::wstring SourcePath(std::wstring_view relative);

std::string ReadFileBytes(const std::wstring& path);  // throws std::runtime_error if unreadable
void WriteFileBytes(const std::wstring& path, std::string_view bytes);  // exactly these bytes
bool FileExists(const std::wstring& path);

// --- temporary folder ----------------------------------------------------------------------------

// A fresh folder under the temp folder, removed with everything in it on destruction. Declare it
// before any AppProcess running from it, so the process is ended first.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring File(std::wstring_view name) const;  // Path() + "\" + name

    void Write(std::wstring_view name, std::string_view bytes) const;  // raw bytes
    std::string Read(std::wstring_view name) const;
    bool Exists(std::wstring_view name) const;

    // Copies the program under test in as tallyvox.exe; returns the copy's path.
    std::wstring CopyTallyvox() const;
    // The settings file beside the program: raw bytes, GBK text with CRLF lines as given.
    void WriteSettings(std::string_view gbk_bytes) const { Write(L"qorvane.db", gbk_bytes); }
    std::string ReadSettings() const { return Read(L"qorvane.db"); }

  private:
    std::wstring path_;
};

// --- the program under test ----------------------------------------------------------------------

class AppProcess {
  public:
    AppProcess() = default;
    ~AppProcess();  // terminates the process if it still runs
    AppProcess(const AppProcess&) = delete;
    AppProcess& operator=(const AppProcess&) = delete;

    // CreateProcessW(exe args) in working_dir (empty: the exe's folder). False if it fails.
    bool Start(const std::wstring& exe, const std::wstring& args = L"",
               const std::wstring& working_dir = L"");
    // Copies tallyvox.exe into dir and starts the copy there (so it finds dir's qorvane.db).
    bool StartIn(const TempDir& dir, const std::wstring& args = L"");

    // Waits for this process's top-level window of that class and title; nullptr on timeout.
    HWND WaitForMainWindow(int timeout_ms = 15000, const wchar_t* class_name = L"TfrmMain",
                           const wchar_t* title = L"Tallyvox");
    HWND MainWindow() const { return main_window_; }

    DWORD Pid() const { return pid_; }
    HANDLE Handle() const { return process_; }
    bool IsRunning() const;
    // The exit code once the process has ended, or nullopt if it still runs after timeout_ms.
    std::optional<DWORD> WaitExit(int timeout_ms);
    void Terminate();

    // This process's top-level windows, optionally only those of one class (visible or not).
    std::vector<HWND> TopLevelWindows(const wchar_t* class_name = nullptr) const;

  private:
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
    HWND main_window_ = nullptr;
};

// --- windows -------------------------------------------------------------------------------------

// The descendant (any depth, e.g. on a tab page) with this control ID; nullptr if none.
HWND FindChildById(HWND root, int id);
// All top-level windows of a class (and title, if given), optionally of one process only. Sends
// the windows no message unless a title is given.
std::vector<HWND> FindTopLevelWindows(const wchar_t* class_name, const wchar_t* title = nullptr,
                                      DWORD pid = 0);
// All top-level windows that `accept` takes, of any process.
std::vector<HWND> TopLevelWindowsWhere(const std::function<bool(HWND)>& accept);
// Every descendant of root, at any depth.
std::vector<HWND> DescendantWindows(HWND root);
DWORD ProcessOf(HWND hwnd);  // the id of the window's process
DWORD ThreadOf(HWND hwnd);   // the id of the thread that made the window

struct WindowText {
    std::wstring wide;
    std::string gbk;  // the same text in code page 936
};
// WM_GETTEXT (works across processes; custom controls answer it with their caption).
WindowText ReadText(HWND hwnd);
std::wstring GetText(HWND hwnd);
std::string GetTextGbk(HWND hwnd);
std::wstring ClassName(HWND hwnd);

RECT ScreenRect(HWND hwnd);  // GetWindowRect
// The window's rect in its parent's client coordinates (for a top-level window: screen).
RECT RectInParent(HWND hwnd);
// The window's rect in the client coordinates of any ancestor, e.g. the main window.
RECT RectInClientOf(HWND hwnd, HWND ancestor);
RECT ClientRectOnScreen(HWND hwnd);
POINT Centre(HWND hwnd);  // screen coordinates
POINT Centre(const RECT& rect);
LONG_PTR Style(HWND hwnd);
LONG_PTR ExStyle(HWND hwnd);
bool IsVisible(HWND hwnd);  // IsWindowVisible: the window and all its ancestors are visible
bool IsTopMost(HWND hwnd);  // WS_EX_TOPMOST

// Sends a message whose lParam points at `size` bytes (a RECT, a SIZE): the bytes are placed at
// one address in both processes, so the receiver finds them whether or not the system copies
// them across. `data` then holds what the receiver left there. Throws std::runtime_error when
// no common address can be had.
LRESULT SendWithBuffer(HWND hwnd, UINT msg, WPARAM wParam, void* data, std::size_t size);
template <typename T>
LRESULT SendWithBuffer(HWND hwnd, UINT msg, WPARAM wParam, T& data) {
    return SendWithBuffer(hwnd, msg, wParam, &data, sizeof(T));
}

// A window of the test's own standing in for the game: shown at `area` (screen) and made the
// foreground window, with a message loop on a thread of its own so that the program's
// activation messages to it never wait on the test.
class StandInWindow {
  public:
    explicit StandInWindow(RECT area = {0, 0, 240, 160});
    ~StandInWindow();
    StandInWindow(const StandInWindow&) = delete;
    StandInWindow& operator=(const StandInWindow&) = delete;

    HWND Handle() const { return hwnd_; }
    bool InFront() const { return GetForegroundWindow() == hwnd_; }

  private:
    std::thread thread_;
    HWND hwnd_ = nullptr;
};

// --- real input (SendInput) ----------------------------------------------------------------------

void MoveMouse(POINT screen);
void Click(POINT screen);  // left button
void DoubleClick(POINT screen);
void RightClick(POINT screen);
void Click(HWND hwnd);  // at the window's centre
void DoubleClick(HWND hwnd);
void RightClick(HWND hwnd);
// Clicks, and clicks once more if the click has not had its effect within half the time: Wine
// now and then loses a click that comes while the window below is busy (a list just closed, a
// dialog just shown); one that is merely slow comes well within half the time. True when the
// effect came. `click` may be another button's.
bool ClickUntil(POINT screen, const std::function<bool()>& done, int timeout_ms = 5000,
                void (*click)(POINT) = Click);
// Left button down at from, moves to to in steps, up at to. Waits (up to 1 s) for the target
// to capture the mouse before moving, so a window-moving drag loses no distance.
void Drag(POINT from, POINT to, int steps = 8);
// The same with the right button.
void RightDrag(POINT from, POINT to, int steps = 8);

void KeyDown(WORD vk);
void KeyUp(WORD vk);
void PressKey(WORD vk);  // down + up
// Holds the keys down in order and releases them in reverse, e.g. PressKeys({VK_CONTROL, 'A'}).
void PressKeys(std::initializer_list<WORD> vks);
// Types text as Unicode characters into whatever has the keyboard focus.
void TypeText(std::wstring_view text);

// Picks the item whose text is exactly text from a drop-down combo box with real clicks: opens
// the list, scrolls it if needed and clicks the item, so the owner gets one CBN_SELCHANGE as
// with a user. Returns false if no such item or the list did not open/close.
bool SelectComboItem(HWND combo, std::wstring_view text, int timeout_ms = 5000);
// The combo's items and selection, read with CB_* messages.
std::vector<std::wstring> ComboItems(HWND combo);
int ComboSelection(HWND combo);  // CB_GETCURSEL, CB_ERR (-1) if none
std::wstring ComboSelectedText(HWND combo);
LRESULT ComboItemData(HWND combo, int index);

// --- screen --------------------------------------------------------------------------------------

COLORREF ScreenPixel(int x, int y);  // GetPixel(GetDC(NULL), x, y)
// Pixels of exactly colour (0x00BBGGRR) inside rect (screen coordinates), from one screen grab.
int CountPixels(const RECT& screen_rect, COLORREF colour);
int CountPixels(HWND hwnd, COLORREF colour);
// The same for several colours at once, from one screen grab: one count per colour.
std::vector<int> CountPixels(const RECT& screen_rect,
                             const std::vector<COLORREF>& colours);  // in the window's screen rect

// --- message boxes -------------------------------------------------------------------------------

// Visible standard message boxes (#32770) with this title, optionally of one process only.
std::vector<HWND> FindMessageBoxes(const std::wstring& title, DWORD pid = 0);
int CountMessageBoxes(const std::wstring& title, DWORD pid = 0);
// Waits for such a box to appear; nullptr on timeout.
HWND WaitForMessageBox(const std::wstring& title, int timeout_ms = 5000, DWORD pid = 0);
WindowText MessageBoxText(HWND box);  // the message (static child ID 0xFFFF)
// Presses the box's OK button and waits for the box to close; false if it stays.
bool PressMessageBoxOk(HWND box, int timeout_ms = 5000);

// --- sound capture -------------------------------------------------------------------------------

// run_under_wine.sh makes every played sample append raw PCM to TALLYVOX_SOUND_CAPTURE.
std::wstring SoundCapturePath();  // empty if not run that way
std::string ReadSoundCapture();   // the captured PCM so far (empty if none)
void ClearSoundCapture();
// The sample bytes of a RIFF/WAVE file's "data" chunk; throws std::runtime_error if malformed.
std::string WavPcm(std::string_view wav_bytes);
// The sample bytes of the voice clips in resources/clips, indexed by clip number (wav0..wav22).
std::vector<std::string> VoiceClipsPcm();
// Which clips (indices into clips, as PCM) the capture holds, in playing order: from the start,
// repeatedly takes the clip found earliest (the longest on a tie) and continues after it.
std::vector<int> FindClipSequence(std::string_view capture, const std::vector<std::string>& clips);

}  // namespace tallyvox::e2e
