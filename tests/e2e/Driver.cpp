// Out-of-process driver for the end-to-end tests: see Driver.h.
#include "Driver.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <thread>

namespace tallyvox::e2e {
namespace {

// Cross-process sends must not hang a test forever when the program under test is stuck.
constexpr UINT kSendTimeoutMs = 5000;

std::wstring Convert(UINT code_page, std::string_view bytes) {
    if (bytes.empty()) return {};
    int n =
        MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
    return out;
}

std::string Convert(UINT code_page, std::wstring_view text) {
    if (text.empty()) return {};
    int n = WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

std::wstring EnvVar(const wchar_t* name) {
    DWORD n = GetEnvironmentVariableW(name, nullptr, 0);
    if (n == 0) return {};
    std::wstring value(n, L'\0');
    n = GetEnvironmentVariableW(name, value.data(), n);
    value.resize(n);
    return value;
}

struct EnumState {
    std::function<bool(HWND)> accept;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lparam) {
    auto* state = reinterpret_cast<EnumState*>(lparam);
    if (state->accept(hwnd)) state->found.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> Descendants(HWND root, std::function<bool(HWND)> accept) {
    EnumState state{std::move(accept), {}};
    EnumChildWindows(root, CollectWindow, reinterpret_cast<LPARAM>(&state));
    return state.found;
}

LRESULT Send(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(hwnd, msg, wparam, lparam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &result)) {
        return -1;
    }
    return static_cast<LRESULT>(result);
}

void Send(std::vector<INPUT>& inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT MouseInput(DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    return in;
}

// An absolute move that lands exactly on p: SendInput maps 0..65535 onto the primary screen.
INPUT MoveInput(POINT p) {
    INPUT in = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    int w = GetSystemMetrics(SM_CXSCREEN);
    int h = GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = static_cast<LONG>((static_cast<long long>(p.x) * 65536 + w - 1) / w);
    in.mi.dy = static_cast<LONG>((static_cast<long long>(p.y) * 65536 + h - 1) / h);
    return in;
}

void ClickWith(POINT p, DWORD down, DWORD up, int clicks) {
    SetCursorPos(p.x, p.y);
    std::vector<INPUT> inputs{MoveInput(p)};
    for (int i = 0; i < clicks; ++i) {
        inputs.push_back(MouseInput(down));
        inputs.push_back(MouseInput(up));
    }
    Send(inputs);
}

bool IsExtendedKey(WORD vk) {
    switch (vk) {
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_HOME:
        case VK_END:
        case VK_INSERT:
        case VK_DELETE:
        case VK_DIVIDE:
        case VK_NUMLOCK:
        case VK_RCONTROL:
        case VK_RMENU:
        case VK_LWIN:
        case VK_RWIN:
        case VK_APPS:
            return true;
        default:
            return false;
    }
}

INPUT KeyInput(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    return in;
}

}  // namespace

// --- waiting -------------------------------------------------------------------------------------

bool WaitUntil(const std::function<bool()>& predicate, int timeout_ms, int poll_ms) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (std::chrono::steady_clock::now() < deadline) {
        if (predicate()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(poll_ms));
    }
    return predicate();
}

// --- text and paths ------------------------------------------------------------------------------

std::wstring FromGbk(std::string_view gbk) {
    return Convert(936, gbk);
}
std::string ToGbk(std::wstring_view text) {
    return Convert(936, text);
}
std::wstring FromUtf8(std::string_view utf8) {
    return Convert(CP_UTF8, utf8);
}
std::string ToUtf8(std::wstring_view text) {
    return Convert(CP_UTF8, text);
}

std::string HexBytes(std::string_view bytes) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        if (!out.empty()) out += ' ';
        out += kDigits[c >> 4];
        out += kDigits[c & 15];
    }
    return out;
}

std::string Crlf(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

std::wstring UnixToWindowsPath(std::string_view path) {
    std::wstring wide = FromUtf8(path);
    if (wide.empty() || wide.front() != L'/') return wide;
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    return L"Z:" + wide;
}

std::wstring EnvPath(const wchar_t* name) {
    std::wstring value = EnvVar(name);
    if (!value.empty() && value.front() == L'/') return UnixToWindowsPath(ToUtf8(value));
    return value;
}

std::wstring TallyvoxExePath() {
    std::wstring path = EnvPath(L"TALLYVOX_EXE");
    if (path.empty())
        throw std::runtime_error("TALLYVOX_EXE is not set (run via run_under_wine.sh)");
    if (!FileExists(path)) throw std::runtime_error("no program under test at " + ToUtf8(path));
    return path;
}

std::wstring SourcePath(std::wstring_view relative) {
    std::wstring path = UnixToWindowsPath(TALLYVOX_SOURCE_DIR);
    std::wstring rel(relative);
    std::replace(rel.begin(), rel.end(), L'/', L'\\');
    return path + L"\\" + rel;
}

std::string ReadFileBytes(const std::wstring& path) {
    // Shared for writing too: the sound capture file is held open by its writer.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot read " + ToUtf8(path));
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        bytes.append(buffer, got);
    }
    CloseHandle(file);
    return bytes;
}

void WriteFileBytes(const std::wstring& path, std::string_view bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + ToUtf8(path));
    DWORD written = 0;
    BOOL ok = bytes.empty() ||
              WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != bytes.size()) throw std::runtime_error("cannot write " + ToUtf8(path));
}

bool FileExists(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// --- temporary folder ----------------------------------------------------------------------------

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH + 1];
    DWORD n = GetTempPathW(MAX_PATH + 1, temp);
    if (n == 0) throw std::runtime_error("GetTempPathW failed");
    std::wstring base(temp, n);
    if (base.back() != L'\\') base += L'\\';
    for (int attempt = 0; attempt < 100; ++attempt) {
        path_ = base + L"tallyvox-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(counter++);
        if (CreateDirectoryW(path_.c_str(), nullptr)) return;
    }
    throw std::runtime_error("cannot create a temp folder under " + ToUtf8(base));
}

TempDir::~TempDir() {
    // A program just terminated may hold its files for a moment longer.
    WaitUntil(
        [&] {
            std::error_code error;
            std::filesystem::remove_all(std::filesystem::path(path_), error);
            return !error;
        },
        3000, 50);
}

std::wstring TempDir::File(std::wstring_view name) const {
    return path_ + L"\\" + std::wstring(name);
}

void TempDir::Write(std::wstring_view name, std::string_view bytes) const {
    WriteFileBytes(File(name), bytes);
}

std::string TempDir::Read(std::wstring_view name) const {
    return ReadFileBytes(File(name));
}

bool TempDir::Exists(std::wstring_view name) const {
    return FileExists(File(name));
}

std::wstring TempDir::CopyTallyvox() const {
    std::wstring copy = File(L"tallyvox.exe");
    if (!CopyFileW(TallyvoxExePath().c_str(), copy.c_str(), FALSE)) {
        throw std::runtime_error("cannot copy tallyvox.exe to " + ToUtf8(path_));
    }
    return copy;
}

// --- the program under test ----------------------------------------------------------------------

AppProcess::~AppProcess() {
    if (IsRunning()) Terminate();
    if (process_) CloseHandle(process_);
}

bool AppProcess::Start(const std::wstring& exe, const std::wstring& args,
                       const std::wstring& working_dir) {
    std::wstring folder = working_dir;
    if (folder.empty()) {
        size_t slash = exe.find_last_of(L"\\/");
        if (slash != std::wstring::npos) folder = exe.substr(0, slash);
    }
    std::wstring command = L"\"" + exe + L"\"";
    if (!args.empty()) command += L" " + args;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
        return false;
    }
    CloseHandle(info.hThread);
    if (process_) CloseHandle(process_);
    process_ = info.hProcess;
    pid_ = info.dwProcessId;
    main_window_ = nullptr;
    return true;
}

bool AppProcess::StartIn(const TempDir& dir, const std::wstring& args) {
    return Start(dir.CopyTallyvox(), args, dir.Path());
}

HWND AppProcess::WaitForMainWindow(int timeout_ms, const wchar_t* class_name,
                                   const wchar_t* title) {
    WaitUntil(
        [&] {
            if (!IsRunning()) return true;  // no point waiting for a window of a dead process
            auto found = FindTopLevelWindows(class_name, title, pid_);
            main_window_ = found.empty() ? nullptr : found.front();
            return main_window_ != nullptr;
        },
        timeout_ms);
    return main_window_;
}

bool AppProcess::IsRunning() const {
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> AppProcess::WaitExit(int timeout_ms) {
    if (!process_) return std::nullopt;
    if (WaitForSingleObject(process_, static_cast<DWORD>(timeout_ms)) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

void AppProcess::Terminate() {
    if (!IsRunning()) return;
    TerminateProcess(process_, 0xDEAD);
    WaitForSingleObject(process_, 5000);
}

std::vector<HWND> AppProcess::TopLevelWindows(const wchar_t* class_name) const {
    return FindTopLevelWindows(class_name, nullptr, pid_);
}

// --- windows -------------------------------------------------------------------------------------

HWND FindChildById(HWND root, int id) {
    auto found = Descendants(root, [id](HWND hwnd) { return GetDlgCtrlID(hwnd) == id; });
    return found.empty() ? nullptr : found.front();
}

std::vector<HWND> FindTopLevelWindows(const wchar_t* class_name, const wchar_t* title, DWORD pid) {
    return TopLevelWindowsWhere([=](HWND hwnd) {
        if (pid && ProcessOf(hwnd) != pid) return false;
        if (class_name && ClassName(hwnd) != class_name) return false;
        return !title || GetText(hwnd) == title;
    });
}

std::vector<HWND> TopLevelWindowsWhere(const std::function<bool(HWND)>& accept) {
    EnumState state{accept, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&state));
    return state.found;
}

std::vector<HWND> DescendantWindows(HWND root) {
    return Descendants(root, [](HWND) { return true; });
}

DWORD ProcessOf(HWND hwnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

DWORD ThreadOf(HWND hwnd) {
    return GetWindowThreadProcessId(hwnd, nullptr);
}

WindowText ReadText(HWND hwnd) {
    WindowText text;
    LRESULT length = Send(hwnd, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) return text;
    std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
    LRESULT got = Send(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(got > 0 ? static_cast<size_t>(got) : 0);
    text.gbk = ToGbk(buffer);
    text.wide = std::move(buffer);
    return text;
}

std::wstring GetText(HWND hwnd) {
    return ReadText(hwnd).wide;
}
std::string GetTextGbk(HWND hwnd) {
    return ReadText(hwnd).gbk;
}

std::wstring ClassName(HWND hwnd) {
    wchar_t name[256];
    int n = GetClassNameW(hwnd, name, 256);
    return std::wstring(name, n > 0 ? static_cast<size_t>(n) : 0);
}

RECT ScreenRect(HWND hwnd) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    return rect;
}

RECT RectInParent(HWND hwnd) {
    HWND parent = GetAncestor(hwnd, GA_PARENT);
    if (!parent || parent == GetDesktopWindow()) return ScreenRect(hwnd);
    return RectInClientOf(hwnd, parent);
}

RECT RectInClientOf(HWND hwnd, HWND ancestor) {
    RECT rect = ScreenRect(hwnd);
    MapWindowPoints(HWND_DESKTOP, ancestor, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT ClientRectOnScreen(HWND hwnd) {
    RECT rect{};
    GetClientRect(hwnd, &rect);
    MapWindowPoints(hwnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

POINT Centre(const RECT& rect) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}
POINT Centre(HWND hwnd) {
    return Centre(ScreenRect(hwnd));
}
LONG_PTR Style(HWND hwnd) {
    return GetWindowLongPtrW(hwnd, GWL_STYLE);
}
LONG_PTR ExStyle(HWND hwnd) {
    return GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
}
bool IsVisible(HWND hwnd) {
    return IsWindowVisible(hwnd) != FALSE;
}
bool IsTopMost(HWND hwnd) {
    return (ExStyle(hwnd) & WS_EX_TOPMOST) != 0;
}

LRESULT SendWithBuffer(HWND hwnd, UINT msg, WPARAM wParam, void* data, std::size_t size) {
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                                 ProcessOf(hwnd));
    if (process == nullptr) throw std::runtime_error("cannot open the window's process");
    // Each process's next free block is taken here, so each attempt tries a new address.
    constexpr DWORD kAlloc = MEM_COMMIT | MEM_RESERVE;
    std::vector<void*> taken;
    void* remote = nullptr;
    for (int attempt = 0; attempt < 64 && remote == nullptr; ++attempt) {
        void* here = VirtualAlloc(nullptr, size, kAlloc, PAGE_READWRITE);
        if (here == nullptr) break;
        if (VirtualAllocEx(process, here, size, kAlloc, PAGE_READWRITE) == here) {
            remote = here;
        } else {
            taken.push_back(here);
        }
    }
    for (void* block : taken) VirtualFree(block, 0, MEM_RELEASE);
    if (remote == nullptr) {
        CloseHandle(process);
        throw std::runtime_error("no address free in both processes");
    }
    std::memcpy(remote, data, size);
    WriteProcessMemory(process, remote, data, size, nullptr);
    const LRESULT result = SendMessageW(hwnd, msg, wParam, reinterpret_cast<LPARAM>(remote));
    // Copied across, the answer is in our bytes; passed as it is, in the receiver's.
    std::vector<char> there(size);
    ReadProcessMemory(process, remote, there.data(), size, nullptr);
    const bool answeredThere = std::memcmp(there.data(), data, size) != 0;
    std::memcpy(data, answeredThere ? there.data() : remote, size);
    VirtualFree(remote, 0, MEM_RELEASE);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return result;
}

// --- real input ----------------------------------------------------------------------------------

void MoveMouse(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    std::vector<INPUT> inputs{MoveInput(screen)};
    Send(inputs);
}

void Click(POINT screen) {
    ClickWith(screen, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 1);
}
void DoubleClick(POINT screen) {
    ClickWith(screen, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 2);
}
void RightClick(POINT screen) {
    ClickWith(screen, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, 1);
}
void Click(HWND hwnd) {
    Click(Centre(hwnd));
}
bool ClickUntil(POINT screen, const std::function<bool()>& done, int timeout_ms,
                void (*click)(POINT)) {
    click(screen);
    if (WaitUntil(done, timeout_ms / 2)) return true;
    if (!done()) click(screen);
    return WaitUntil(done, timeout_ms - timeout_ms / 2);
}
void DoubleClick(HWND hwnd) {
    DoubleClick(Centre(hwnd));
}
void RightClick(HWND hwnd) {
    RightClick(Centre(hwnd));
}

namespace {

void DragWith(DWORD downFlag, DWORD upFlag, POINT from, POINT to, int steps) {
    MoveMouse(from);
    const DWORD thread = ThreadOf(WindowFromPoint(from));
    std::vector<INPUT> inputs{MouseInput(downFlag)};
    Send(inputs);
    // Moves sent before the target has taken the mouse (SetCapture, or the system's window-move
    // loop started from its button-down handler) would be lost, shortening the drag.
    WaitUntil(
        [thread] {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            return GetGUIThreadInfo(thread, &info) &&
                   (info.hwndCapture || (info.flags & GUI_INMOVESIZE));
        },
        1000);
    for (int i = 1; i <= steps; ++i) {
        // Separate moves, each given time to arrive, as a hand would make them.
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
        MoveMouse({from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(15));
    inputs = {MoveInput(to), MouseInput(upFlag)};
    Send(inputs);
}

}  // namespace

StandInWindow::StandInWindow(RECT area) {
    std::atomic<HWND> made{nullptr};
    std::atomic<bool> failed{false};
    thread_ = std::thread([&made, &failed, area] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TallyvoxTestStandIn";
        wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        RegisterClassW(&wc);  // fails harmlessly when a former stand-in registered it
        HWND hwnd =
            CreateWindowExW(0, wc.lpszClassName, L"stand-in game", WS_OVERLAPPEDWINDOW, area.left,
                            area.top, area.right - area.left, area.bottom - area.top, nullptr,
                            nullptr, wc.hInstance, nullptr);
        if (hwnd == nullptr) {
            failed = true;
            return;
        }
        ShowWindow(hwnd, SW_SHOW);
        SetForegroundWindow(hwnd);
        made = hwnd;
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
        DestroyWindow(hwnd);
    });
    WaitUntil([&] { return made.load() != nullptr || failed; }, 30000);
    hwnd_ = made.load();
    if (hwnd_ == nullptr) {
        thread_.join();  // it has ended: the window could not be made
        throw std::runtime_error("the stand-in window could not be made");
    }
    WaitUntil([&] { return InFront(); });
}

StandInWindow::~StandInWindow() {
    if (hwnd_ != nullptr)
        PostThreadMessageW(GetWindowThreadProcessId(hwnd_, nullptr), WM_QUIT, 0, 0);
    thread_.join();
}

void Drag(POINT from, POINT to, int steps) {
    DragWith(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, from, to, steps);
}

void RightDrag(POINT from, POINT to, int steps) {
    DragWith(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, from, to, steps);
}

void KeyDown(WORD vk) {
    std::vector<INPUT> inputs{KeyInput(vk, false)};
    Send(inputs);
}

void KeyUp(WORD vk) {
    std::vector<INPUT> inputs{KeyInput(vk, true)};
    Send(inputs);
}

void PressKey(WORD vk) {
    PressKeys({vk});
}

void PressKeys(std::initializer_list<WORD> vks) {
    std::vector<INPUT> inputs;
    for (WORD vk : vks) inputs.push_back(KeyInput(vk, false));
    for (auto it = std::rbegin(vks); it != std::rend(vks); ++it)
        inputs.push_back(KeyInput(*it, true));
    Send(inputs);
}

void TypeText(std::wstring_view text) {
    std::vector<INPUT> inputs;
    for (wchar_t c : text) {
        for (bool up : {false, true}) {
            INPUT in{};
            in.type = INPUT_KEYBOARD;
            in.ki.wScan = c;
            in.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
            inputs.push_back(in);
        }
    }
    Send(inputs);
}

std::vector<std::wstring> ComboItems(HWND combo) {
    std::vector<std::wstring> items;
    LRESULT count = Send(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = Send(combo, CB_GETLBTEXTLEN, i, 0);
        std::wstring item(length > 0 ? static_cast<size_t>(length) + 1 : 1, L'\0');
        LRESULT got = Send(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
        item.resize(got > 0 ? static_cast<size_t>(got) : 0);
        items.push_back(std::move(item));
    }
    return items;
}

int ComboSelection(HWND combo) {
    return static_cast<int>(Send(combo, CB_GETCURSEL, 0, 0));
}

std::wstring ComboSelectedText(HWND combo) {
    int index = ComboSelection(combo);
    if (index < 0) return {};
    auto items = ComboItems(combo);
    return index < static_cast<int>(items.size()) ? items[index] : std::wstring();
}

LRESULT ComboItemData(HWND combo, int index) {
    return Send(combo, CB_GETITEMDATA, index, 0);
}

namespace {

enum class Pick { Selected, ClosedUnchanged, Failed };

// One drop of the list and one click on the item.
Pick PickComboItem(HWND combo, std::wstring_view text, int timeout_ms) {
    // Each way to fail says which step did, for a run that cannot be repeated.
    const auto fail = [&](const char* step) {
        std::fprintf(stderr, "SelectComboItem(%ls): %s\n", std::wstring(text).c_str(), step);
        return Pick::Failed;
    };
    auto items = ComboItems(combo);
    auto it = std::find(items.begin(), items.end(), text);
    if (it == items.end()) return fail("no such item");
    int index = static_cast<int>(it - items.begin());
    const int before = ComboSelection(combo);

    DWORD pid = ProcessOf(combo);
    HWND list = nullptr;
    // The dropped list is a top-level popup of class ComboLBox belonging to the combo's process.
    const auto dropped = [&] {
        if (Send(combo, CB_GETDROPPEDSTATE, 0, 0) != TRUE) return false;
        auto lists = TopLevelWindowsWhere([pid](HWND hwnd) {
            return ProcessOf(hwnd) == pid && IsWindowVisible(hwnd) &&
                   ClassName(hwnd) == L"ComboLBox";
        });
        list = lists.empty() ? nullptr : lists.front();
        return list != nullptr;
    };
    // A click that comes while the dialog is still busy (a page just switched) has been lost on
    // a loaded machine: then the list is dropped by message; the item is still chosen by a click.
    if (Send(combo, CB_GETDROPPEDSTATE, 0, 0) != TRUE) Click(combo);
    bool opened = WaitUntil(dropped, timeout_ms / 2);
    if (!opened) {
        std::fprintf(stderr, "SelectComboItem(%ls): the click did not drop the list\n",
                     std::wstring(text).c_str());
        Send(combo, CB_SHOWDROPDOWN, TRUE, 0);
        opened = WaitUntil(dropped, timeout_ms / 2);
    }
    if (!opened) return fail("the list did not drop");

    RECT client = ClientRectOnScreen(list);
    int item_height = static_cast<int>(Send(combo, CB_GETITEMHEIGHT, 0, 0));
    if (item_height <= 0) return fail("no item height");
    int rows = std::max(1, static_cast<int>(client.bottom - client.top) / item_height);
    int top = static_cast<int>(Send(list, LB_GETTOPINDEX, 0, 0));
    if (index < top || index >= top + rows) {
        // Scrolling only moves the view; the selection is still made by the click below.
        // Asked of the list itself: Wine's CB_SETTOPINDEX does not scroll a dropped list.
        Send(list, LB_SETTOPINDEX, index, 0);
        top = static_cast<int>(Send(list, LB_GETTOPINDEX, 0, 0));
    }
    Click(POINT{(client.left + client.right) / 2,
                client.top + (index - top) * item_height + item_height / 2});
    if (WaitUntil(
            [&] {
                return Send(combo, CB_GETDROPPEDSTATE, 0, 0) != TRUE &&
                       ComboSelection(combo) == index;
            },
            timeout_ms))
        return Pick::Selected;
    const int dropped_now = static_cast<int>(Send(combo, CB_GETDROPPEDSTATE, 0, 0));
    std::fprintf(stderr, "SelectComboItem: dropped %d, selection %d, wanted %d\n", dropped_now,
                 ComboSelection(combo), index);
    fail("the click on the item did not select it");
    return dropped_now != TRUE && ComboSelection(combo) == before ? Pick::ClosedUnchanged
                                                                  : Pick::Failed;
}

}  // namespace

bool SelectComboItem(HWND combo, std::wstring_view text, int timeout_ms) {
    const Pick first = PickComboItem(combo, text, timeout_ms);
    // Wine now and then takes the click on an item as one beside the list: the list closes
    // and nothing is chosen. Then nothing has changed, and the choice is made once more.
    if (first != Pick::ClosedUnchanged) return first == Pick::Selected;
    return PickComboItem(combo, text, timeout_ms) == Pick::Selected;
}

// --- screen --------------------------------------------------------------------------------------

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

std::vector<int> CountPixels(const RECT& rect, const std::vector<COLORREF>& colours) {
    std::vector<int> counts(colours.size(), 0);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return counts;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        // One grab instead of a GetPixel per pixel, which would take seconds under Wine.
        BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
        SelectObject(memory, old);
        // DIB pixels are 0x00RRGGBB; COLORREF is 0x00BBGGRR.
        std::vector<uint32_t> wanted;
        for (COLORREF colour : colours) {
            wanted.push_back((GetRValue(colour) << 16) | (GetGValue(colour) << 8) |
                             GetBValue(colour));
        }
        auto* pixels = static_cast<const uint32_t*>(bits);
        for (int i = 0; i < width * height; ++i) {
            const uint32_t pixel = pixels[i] & 0x00FFFFFF;
            for (std::size_t c = 0; c < wanted.size(); ++c) counts[c] += pixel == wanted[c];
        }
    }
    if (bitmap) DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return counts;
}

int CountPixels(const RECT& rect, COLORREF colour) {
    return CountPixels(rect, std::vector<COLORREF>{colour}).front();
}

int CountPixels(HWND hwnd, COLORREF colour) {
    return CountPixels(ScreenRect(hwnd), colour);
}

// --- message boxes -------------------------------------------------------------------------------

std::vector<HWND> FindMessageBoxes(const std::wstring& title, DWORD pid) {
    auto boxes = FindTopLevelWindows(L"#32770", title.c_str(), pid);
    std::erase_if(boxes, [](HWND hwnd) { return !IsWindowVisible(hwnd); });
    return boxes;
}

int CountMessageBoxes(const std::wstring& title, DWORD pid) {
    return static_cast<int>(FindMessageBoxes(title, pid).size());
}

HWND WaitForMessageBox(const std::wstring& title, int timeout_ms, DWORD pid) {
    HWND box = nullptr;
    WaitUntil(
        [&] {
            auto boxes = FindMessageBoxes(title, pid);
            box = boxes.empty() ? nullptr : boxes.front();
            return box != nullptr;
        },
        timeout_ms);
    return box;
}

WindowText MessageBoxText(HWND box) {
    // The message's static has ID 0xFFFF, which some systems report sign-extended.
    auto found =
        Descendants(box, [](HWND hwnd) { return (GetDlgCtrlID(hwnd) & 0xFFFF) == 0xFFFF; });
    return found.empty() ? WindowText{} : ReadText(found.front());
}

bool PressMessageBoxOk(HWND box, int timeout_ms) {
    // An MB_OK box's one button is IDOK on some systems and IDCANCEL on others.
    int id = 0;
    for (int candidate : {IDOK, IDCANCEL}) {
        HWND button = GetDlgItem(box, candidate);
        if (button && IsWindowVisible(button)) {
            id = candidate;
            break;
        }
    }
    if (!id) return false;
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
    return WaitUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); }, timeout_ms);
}

// --- sound capture -------------------------------------------------------------------------------

std::wstring SoundCapturePath() {
    return EnvPath(L"TALLYVOX_SOUND_CAPTURE");
}

std::string ReadSoundCapture() {
    std::wstring path = SoundCapturePath();
    if (path.empty() || !FileExists(path)) return {};
    return ReadFileBytes(path);
}

void ClearSoundCapture() {
    std::wstring path = SoundCapturePath();
    if (path.empty()) return;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

std::string WavPcm(std::string_view wav) {
    auto u32 = [&](size_t at) {
        return static_cast<uint32_t>(static_cast<unsigned char>(wav[at])) |
               static_cast<uint32_t>(static_cast<unsigned char>(wav[at + 1])) << 8 |
               static_cast<uint32_t>(static_cast<unsigned char>(wav[at + 2])) << 16 |
               static_cast<uint32_t>(static_cast<unsigned char>(wav[at + 3])) << 24;
    };
    if (wav.size() < 12 || wav.substr(0, 4) != "RIFF" || wav.substr(8, 4) != "WAVE") {
        throw std::runtime_error("not a RIFF/WAVE file");
    }
    for (size_t at = 12; at + 8 <= wav.size();) {
        uint32_t size = u32(at + 4);
        if (wav.substr(at, 4) == "data") {
            return std::string(wav.substr(at + 8, std::min<size_t>(size, wav.size() - at - 8)));
        }
        at += 8 + size + (size & 1);  // chunks are padded to even sizes
    }
    throw std::runtime_error("WAVE file without a data chunk");
}

std::vector<std::string> VoiceClipsPcm() {
    std::vector<std::string> clips;
    for (int i = 0; i <= 22; ++i) {
        clips.push_back(WavPcm(
            ReadFileBytes(SourcePath(L"resources/clips/wav" + std::to_wstring(i) + L".wav"))));
    }
    return clips;
}

std::vector<int> FindClipSequence(std::string_view capture, const std::vector<std::string>& clips) {
    std::vector<int> sequence;
    size_t from = 0;
    for (;;) {
        int best = -1;
        size_t best_at = std::string_view::npos;
        for (size_t i = 0; i < clips.size(); ++i) {
            if (clips[i].empty()) continue;
            size_t at = capture.find(clips[i], from);
            if (at == std::string_view::npos) continue;
            if (at < best_at || (at == best_at && clips[i].size() > clips[best].size())) {
                best = static_cast<int>(i);
                best_at = at;
            }
        }
        if (best < 0) return sequence;
        sequence.push_back(best);
        from = best_at + clips[best].size();
    }
}

}  // namespace tallyvox::e2e
