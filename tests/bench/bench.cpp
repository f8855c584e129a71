// Benchmark driver: measures the real tallyvox.exe against the baseline program in the same run
// (start-up, memory, CPU, tick cadence, hotkey latency, size) and writes the table of
// docs/performance.md. `--smoke` runs every measurement once, briefly, and only checks it works.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdio>
#include <mutex>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "BaselineIds.h"
#include "BenchReport.h"
#include "Driver.h"

namespace tallyvox::bench {
namespace {

using namespace tallyvox::e2e;

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 128, 0);

struct Options {
    bool smoke = false;
    std::wstring out;  // the document to update; empty: print only
    std::string machine;
    int startRuns = 10;
    int idleMs = 30000;
    int busyMs = 120000;
    int busyCpuMs = 60000;
    int hotkeyRounds = 10;
};

double NowMs() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / frequency;
}

void SleepMs(double ms) {
    if (ms > 0) Sleep(static_cast<DWORD>(ms));
}

std::wstring OwnFolder() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L"\\/"));
}

std::string Fixture() {
    // Every tick of every slot speaks (remaining <= LastSecond) and the cyclic option restarts a
    // finished count, so all eight slots count and talk for as long as the run lasts.
    std::string text = "[Common]\nSortType=" + ToGbk(L"多排") +
                       "\nTimerCounter=8\nIsSecondCounter=1\nLastSecond=99\nIsCircle=1\n";
    for (int slot = 1; slot <= 8; ++slot) {
        const std::string n = std::to_string(slot);
        text += "Title" + n + "=" + ToGbk(L"标题") + n + "\nHotKey" + n + "=F" + n + "\nSeconds" +
                n + "=99\n";
    }
    text += "TitleColor=0\nTopMost=1\n";
    return Crlf(text);
}

// Counts two colours in a screen rectangle from one grab; a GetPixel per pixel would be slow.
struct ColourCounts {
    int first = 0, second = 0;
};
ColourCounts CountColours(const RECT& rect, COLORREF first, COLORREF second) {
    const std::vector<int> counts = CountPixels(rect, std::vector<COLORREF>{first, second});
    return {counts[0], counts[1]};
}

// Looked up without sending the target any message, which would wait for its start-up to end.
HWND FindWindowOf(DWORD pid, const wchar_t* className) {
    struct Search {
        DWORD pid;
        const wchar_t* className;
        HWND found;
    } search{pid, className, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner != s->pid) return TRUE;
            wchar_t name[64];
            GetClassNameW(hwnd, name, 64);
            if (wcscmp(name, s->className) != 0) return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// One of the two programs: where it runs from and how its window is recognised.
struct Program {
    std::string name;
    std::wstring exe;
    const wchar_t* className;
    WORD slotKey;  // the hotkey that toggles the first panel
    TempDir dir;
    std::wstring copy;
    AppProcess app;
    HWND main = nullptr;

    HWND Panel(int slot) const { return FindChildById(main, kPanelIdBase + slot); }

    void Prepare(const std::string& settings) {
        copy = dir.File(exe.substr(exe.find_last_of(L"\\/") + 1));
        if (!CopyFileW(exe.c_str(), copy.c_str(), FALSE))
            throw std::runtime_error("cannot copy " + ToUtf8(exe));
        if (!settings.empty()) dir.WriteSettings(settings);
    }

    // Starts the program and returns the milliseconds from process creation until its window
    // is visible with the first panel's blue count on the screen.
    double StartAndTime(int timeout_ms = 30000) {
        main = nullptr;
        const double begin = NowMs();
        if (!app.Start(copy, L"", dir.Path())) throw std::runtime_error("cannot start " + name);
        HWND panel = nullptr;
        for (;;) {
            if (main == nullptr) main = FindWindowOf(app.Pid(), className);
            if (main != nullptr && panel == nullptr) panel = Panel(1);
            if (panel != nullptr && IsWindowVisible(main) &&
                CountColours(ScreenRect(panel), kBlue, kBlue).first > 0) {
                return NowMs() - begin;
            }
            if (NowMs() - begin > timeout_ms || !app.IsRunning())
                throw std::runtime_error(name + " did not show its painted window");
            Sleep(1);
        }
    }

    void Stop() {
        app.Terminate();
        main = nullptr;
    }
};

// Under Wine the program is also a Linux process, whose command line is its Windows path: its
// /proc folder (as a Windows path) gives the figures Wine does not report for another process.
std::optional<std::wstring> ProcFolderOf(const std::wstring& exePath) {
    const std::string wanted = ToUtf8(exePath);
    auto same = [](const std::string& a, const std::string& b) {
        return a.size() == b.size() &&
               std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   return std::tolower(static_cast<unsigned char>(x)) ==
                          std::tolower(static_cast<unsigned char>(y));
               });
    };
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<std::wstring> result;
    do {
        const std::wstring name = found.cFileName;
        if (name.empty() || name.find_first_not_of(L"0123456789") != std::wstring::npos) continue;
        const std::wstring folder = L"Z:\\proc\\" + name;
        try {
            std::string command = ReadFileBytes(folder + L"\\cmdline");
            command = command.substr(0, command.find('\0'));
            if (same(command, wanted)) {
                result = folder;
                break;
            }
        } catch (const std::exception&) {
            // a process that ended meanwhile, or one not ours to read
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return result;
}

// Resident anonymous memory: the nearest Linux measure of Windows' private bytes.
double ResidentAnonymousBytes(const std::wstring& procFolder) {
    const std::string status = ReadFileBytes(procFolder + L"\\status");
    const auto at = status.find("RssAnon:");
    if (at == std::string::npos) throw std::runtime_error("no RssAnon in /proc status");
    return std::stod(status.substr(at + 8)) * 1024.0;
}

// User + system time from /proc/<pid>/stat, in clock ticks of 10 ms.
double ProcCpuMs(const std::wstring& procFolder) {
    const std::string stat = ReadFileBytes(procFolder + L"\\stat");
    // The command name in parentheses may hold spaces; fields count from after it.
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    double utime = 0, stime = 0;
    for (int index = 3; fields >> field; ++index) {
        if (index == 14) utime = std::stod(field);
        if (index == 15) {
            stime = std::stod(field);
            break;
        }
    }
    return (utime + stime) * 10.0;
}

MemoryFigures MemoryOf(const AppProcess& app, const std::wstring& exePath, bool& fromProc) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(app.Handle(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof counters))
        throw std::runtime_error("GetProcessMemoryInfo failed");
    MemoryFigures m{static_cast<double>(counters.WorkingSetSize),
                    static_cast<double>(counters.PrivateUsage)};
    if (m.privateBytes == 0) {
        const auto folder = ProcFolderOf(exePath);
        if (!folder) throw std::runtime_error("no private bytes figure for " + ToUtf8(exePath));
        m.privateBytes = ResidentAnonymousBytes(*folder);
        fromProc = true;
    }
    return m;
}

double Ms(const FILETIME& t) {
    return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) /
           10000.0;
}

// CPU time the process has used (kernel + user). Under Wine, GetProcessTimes and GetThreadTimes
// on another process answer with the caller's own times, so there it comes from /proc.
double CpuMsOf(const AppProcess& app, const std::wstring& exePath) {
    if (const auto folder = ProcFolderOf(exePath)) return ProcCpuMs(*folder);
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(app.Handle(), &created, &ended, &kernel, &user))
        throw std::runtime_error("GetProcessTimes failed");
    return Ms(kernel) + Ms(user);
}

// Records when watched windows' texts change, polled every millisecond on a thread of its own.
// GetWindowTextW of another process's window reads the text the system keeps for it and sends
// the program nothing, so watching costs it nothing. (Wine raises no EVENT_OBJECT_NAMECHANGE for
// a WM_SETTEXT, so an out-of-context WinEvent hook sees no change there.)
class TextChangeLog {
  public:
    explicit TextChangeLog(std::vector<HWND> windows) : windows_(std::move(windows)) {
        thread_ = std::thread([this] { Run(); });
    }
    ~TextChangeLog() {
        stop_ = true;
        thread_.join();
    }
    TextChangeLog(const TextChangeLog&) = delete;
    TextChangeLog& operator=(const TextChangeLog&) = delete;

    // Times (NowMs) at which this window's text changed, from `since` on.
    std::vector<double> Times(HWND hwnd, double since = 0) {
        std::lock_guard lock(mutex_);
        std::vector<double> times;
        for (const auto& [window, time] : events_) {
            if (window == hwnd && time >= since) times.push_back(time);
        }
        return times;
    }

  private:
    void Run() {
        std::vector<std::wstring> last(windows_.size());
        for (std::size_t i = 0; i < windows_.size(); ++i) last[i] = Text(windows_[i]);
        while (!stop_) {
            Sleep(1);
            const double now = NowMs();
            for (std::size_t i = 0; i < windows_.size(); ++i) {
                std::wstring text = Text(windows_[i]);
                if (text == last[i]) continue;
                last[i] = std::move(text);
                std::lock_guard lock(mutex_);
                events_.emplace_back(windows_[i], now);
            }
        }
    }
    static std::wstring Text(HWND hwnd) {
        wchar_t buffer[32];
        const int n = GetWindowTextW(hwnd, buffer, 32);
        return std::wstring(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
    }

    std::vector<HWND> windows_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<std::pair<HWND, double>> events_;
};

std::vector<double> Intervals(const std::vector<double>& times) {
    std::vector<double> out;
    for (std::size_t i = 1; i < times.size(); ++i) out.push_back(times[i] - times[i - 1]);
    return out;
}

// Presses the program's key and returns the milliseconds until its first panel shows `to` and
// no more `from`; nullopt after timeout_ms.
std::optional<double> HotkeyToColour(Program& p, COLORREF to, COLORREF from,
                                     int timeout_ms = 3000) {
    const RECT rect = ScreenRect(p.Panel(1));
    const double begin = NowMs();
    PressKey(p.slotKey);
    for (;;) {
        const ColourCounts c = CountColours(rect, to, from);
        if (c.first > 0 && c.second == 0) return NowMs() - begin;
        if (NowMs() - begin > timeout_ms) return std::nullopt;
        Sleep(1);
    }
}

bool PanelIs(Program& p, int slot, COLORREF colour) {
    const ColourCounts c = CountColours(ScreenRect(p.Panel(slot)), colour, colour);
    return c.first > 0;
}

std::wstring SoundCaptureFile() {
    return SoundCapturePath();
}
double FileBytes(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (path.empty() || !GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return static_cast<double>((static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) |
                               data.nFileSizeLow);
}

void Log(const std::string& text) {
    std::printf("bench: %s\n", text.c_str());
    std::fflush(stdout);
}

std::string Fixed(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

Results Measure(const Options& o) {
    Results r;
    Program tally{"tallyvox.exe", TallyvoxExePath(), L"TfrmMain", VK_F1, {}, {}, {}, nullptr};
    Program base{"baseline",
                 OwnFolder() + L"\\tallyvox_baseline.exe",
                 kBaselineClass,
                 static_cast<WORD>(kBaselineHotKey),
                 {},
                 {},
                 {},
                 nullptr};
    tally.Prepare(Fixture());
    base.Prepare("");

    r.exeBytes = FileBytes(tally.exe);
    r.baselineBytes = FileBytes(base.exe);

    // Start-up, interleaved so that a slow moment of the machine hits both alike; the first
    // start of each warms the file cache and is not counted.
    const int warmups = o.smoke ? 0 : 1;
    for (int run = -warmups; run < o.startRuns; ++run) {
        for (Program* p : {&tally, &base}) {
            const double ms = p->StartAndTime();
            p->Stop();
            if (run >= 0) (p == &tally ? r.startTally : r.startBase).push_back(ms);
        }
    }
    Log("start-up ms: tallyvox " + Fixed(Median(r.startTally), 1) + ", baseline " +
        Fixed(Median(r.startBase), 1));

    // One session of both side by side for memory, CPU and ticks.
    tally.StartAndTime();
    base.StartAndTime();
    TextChangeLog names({tally.Panel(1), base.Panel(1)});
    SleepMs(o.smoke ? 200 : 1000);
    r.memStartTally = MemoryOf(tally.app, tally.copy, r.privateFromProc);
    r.memStartBase = MemoryOf(base.app, base.copy, r.privateFromProc);

    double cpuT = CpuMsOf(tally.app, tally.copy), cpuB = CpuMsOf(base.app, base.copy);
    SleepMs(o.idleMs);
    r.idleCpuTally = CpuMsOf(tally.app, tally.copy) - cpuT;
    r.idleCpuBase = CpuMsOf(base.app, base.copy) - cpuB;
    r.idleSeconds = o.idleMs / 1000.0;
    Log("idle CPU ms: tallyvox " + Fixed(r.idleCpuTally, 1) + ", baseline " +
        Fixed(r.idleCpuBase, 1));

    const double busyBegin = NowMs();
    const double soundBefore = FileBytes(SoundCaptureFile());
    for (int slot = 1; slot <= 8; ++slot) PressKey(static_cast<WORD>(VK_F1 + slot - 1));
    // Counting means a panel has moved below its duration.
    for (int slot = 1; slot <= 8; ++slot) {
        HWND panel = tally.Panel(slot);
        if (!WaitUntil([&] { return _wtoi(GetText(panel).c_str()) < 99; }, 5000, 50))
            throw std::runtime_error("slot " + std::to_string(slot) + " did not start counting");
    }
    cpuT = CpuMsOf(tally.app, tally.copy);
    cpuB = CpuMsOf(base.app, base.copy);
    const double cpuBegin = NowMs();
    SleepMs(o.busyCpuMs);
    r.busyCpuTally = CpuMsOf(tally.app, tally.copy) - cpuT;
    r.busyCpuBase = CpuMsOf(base.app, base.copy) - cpuB;
    r.busyCpuSeconds = (NowMs() - cpuBegin) / 1000.0;
    SleepMs(o.busyMs - (NowMs() - busyBegin));
    r.memBusyTally = MemoryOf(tally.app, tally.copy, r.privateFromProc);
    r.memBusyBase = MemoryOf(base.app, base.copy, r.privateFromProc);
    r.busySeconds = (NowMs() - busyBegin) / 1000.0;
    // 22050 Hz, 16-bit mono: what the worker handed to the sound device meanwhile.
    r.spokenSeconds = (FileBytes(SoundCaptureFile()) - soundBefore) / 44100.0;
    Log("busy CPU ms: tallyvox " + Fixed(r.busyCpuTally, 1) + ", baseline " +
        Fixed(r.busyCpuBase, 1));

    // The first change is the start itself; the ticks follow it.
    std::vector<double> ticks = names.Times(tally.Panel(1), busyBegin);
    if (!ticks.empty()) ticks.erase(ticks.begin());
    r.tickTally = Intervals(ticks);
    r.tickBase = Intervals(names.Times(base.Panel(1), busyBegin));
    if (r.tickTally.empty() || r.tickBase.empty())
        throw std::runtime_error("no text changes of the panels were seen");

    // Hotkey to repaint: stop all slots (green), then toggle the first one and the baseline's
    // panel in turn, each way.
    for (int slot = 1; slot <= 8; ++slot) PressKey(static_cast<WORD>(VK_F1 + slot - 1));
    for (int slot = 1; slot <= 8; ++slot) {
        if (!WaitUntil([&] { return PanelIs(tally, slot, kGreen); }, 5000))
            throw std::runtime_error("slot " + std::to_string(slot) + " did not stop");
    }
    auto sample = [&](Program& p, COLORREF to, COLORREF from) {
        const auto ms = HotkeyToColour(p, to, from);
        if (!ms) throw std::runtime_error(p.name + " did not repaint after its hotkey");
        (&p == &tally ? r.hotkeyTally : r.hotkeyBase).push_back(*ms);
        SleepMs(150);
    };
    for (int round = 0; round < o.hotkeyRounds; ++round) {
        sample(tally, kBlue, kGreen);
        sample(base, kGreen, kBlue);
        sample(tally, kGreen, kBlue);
        sample(base, kBlue, kGreen);
    }
    Log("hotkey ms: tallyvox " + Fixed(Median(r.hotkeyTally), 1) + ", baseline " +
        Fixed(Median(r.hotkeyBase), 1));
    tally.Stop();
    base.Stop();
    return r;
}

Options Parse(int argc, wchar_t** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"--smoke") {
            o.smoke = true;
            o.startRuns = 1;
            o.idleMs = 2000;
            o.busyMs = 6000;
            o.busyCpuMs = 3000;
            o.hotkeyRounds = 1;
        } else if (arg == L"--out" && i + 1 < argc) {
            o.out = argv[++i];
            if (!o.out.empty() && o.out.front() == L'/') o.out = UnixToWindowsPath(ToUtf8(o.out));
        } else if (arg == L"--machine" && i + 1 < argc) {
            o.machine = ToUtf8(argv[++i]);
        } else {
            throw std::runtime_error("usage: bench.exe [--smoke] [--out doc.md] [--machine text]");
        }
    }
    return o;
}

}  // namespace
}  // namespace tallyvox::bench

int wmain(int argc, wchar_t** argv) {
    using namespace tallyvox::bench;
    try {
        const Options o = Parse(argc, argv);
        Results r = Measure(o);
        r.machine = o.machine;
        r.smoke = o.smoke;
        const std::string table = RenderTable(r);
        std::printf("%s\n", table.c_str());
        if (!o.out.empty()) UpdateDocument(o.out, table);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench: %s\n", e.what());
        return 1;
    }
}
