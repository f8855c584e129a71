// Benchmark driver: measures the real tallyvox.exe against two baseline programs in the same run
// (start-up, memory, CPU and wake-ups, tick cadence, hotkey latency, size, what a clip costs) and
// writes the table of docs/performance.md. `--smoke` runs every measurement once, briefly, checks
// it works and that the program's count keeps its cadence.
#include <windows.h>

#include <mmsystem.h>
#include <psapi.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "../unit/FullSettings.h"
#include "BaselineIds.h"
#include "BenchReport.h"
#include "Driver.h"
#include "ProcStats.h"

namespace tallyvox::bench {
namespace {

using namespace tallyvox::e2e;

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr POINT kParked = {1270, 1014};  // far from all three windows
constexpr int kHintGoneMs = 7000;        // a hint shows after 0.5 s and goes after 5 s more

struct Options {
    bool smoke = false;
    std::wstring out;  // the document to update; empty: print only
    std::string machine;
    int startRuns = 20;
    int idleMs = 30000;
    int restMs = 30000;
    int busyMs = 120000;
    int busyCpuMs = 60000;
    int hotkeyRounds = 20;
    int soundClips = 23;
    int soundRounds = 3;
    bool startupOnly = false;  // the start-up figures alone, nothing written
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
    // finished count, so all eight slots count and talk for as long as the run lasts. Titles in
    // black, as the same-work baseline draws them.
    std::map<std::string, std::string> titles = {{"TitleColor", "0"}};
    for (int slot = 1; slot <= 8; ++slot) {
        titles["Title" + std::to_string(slot)] = ToGbk(L"标题" + std::to_wstring(slot));
    }
    return test::EightSpeakingSlotsFile(99, 99, titles);
}

// Counts two colours in a screen rectangle from one grab; a GetPixel per pixel would be slow.
struct ColourCounts {
    int first = 0, second = 0;
};
ColourCounts CountColours(const RECT& rect, COLORREF first, COLORREF second) {
    const std::vector<int> counts = CountPixels(rect, std::vector<COLORREF>{first, second});
    return {counts[0], counts[1]};
}

bool ShowsBlue(const RECT& rect) {
    return CountColours(rect, kBlue, kBlue).first > 0;
}

// Looked up without sending the target any message, which would wait for its start-up to end.
HWND FindWindowOf(DWORD pid, const wchar_t* className) {
    const std::vector<HWND> found = FindTopLevelWindows(className, nullptr, pid);
    return found.empty() ? nullptr : found.front();
}

double Ms(const FILETIME& t) {
    return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) /
           10000.0;
}

double CpuMsOf(HANDLE process) {
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(process, &created, &ended, &kernel, &user))
        throw std::runtime_error("GetProcessTimes failed");
    return Ms(kernel) + Ms(user);
}

double FileBytes(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (path.empty() || !GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return static_cast<double>((static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) |
                               data.nFileSizeLow);
}

// One of the three programs: where it runs from, how its window is recognised, its hotkeys.
struct Program {
    Program(std::string name, std::wstring exe, const wchar_t* className, std::vector<WORD> keys,
            ProgramFigures& figures)
        : name(std::move(name)),
          exe(std::move(exe)),
          className(className),
          keys(std::move(keys)),
          figures(&figures) {}

    std::string name;
    std::wstring exe;
    const wchar_t* className;
    std::vector<WORD> keys;  // one per count; the first toggles the first panel
    ProgramFigures* figures;
    TempDir dir;
    std::wstring copy;
    AppProcess app;
    HWND main = nullptr;
    std::optional<std::wstring> proc;  // its /proc folder, under Wine
    double onCpuAtStart = NAN;         // ms its threads had run when it showed its window
    std::optional<RECT> panelRect;     // where its first panel shows, once seen

    HWND Panel(int slot) const { return FindChildById(main, ids::Panel(slot)); }

    void Prepare(const std::string& settings) {
        copy = dir.File(exe.substr(exe.find_last_of(L"\\/") + 1));
        if (!CopyFileW(exe.c_str(), copy.c_str(), FALSE))
            throw std::runtime_error("cannot copy " + ToUtf8(exe));
        if (!settings.empty()) dir.WriteSettings(settings);
        figures->exeBytes = FileBytes(exe);
    }

    // Starts the program and returns the milliseconds from process creation until its window
    // is visible with the first panel's blue count on the screen. Once the panel's place is
    // known (from an earlier start), only the screen is watched meanwhile: finding windows
    // would ask the window server for them every millisecond, and the program starting needs
    // the same server.
    double StartAndTime(int timeout_ms = 30000) {
        main = nullptr;
        if (panelRect && !WaitUntil([&] { return !ShowsBlue(*panelRect); }, 5000))
            throw std::runtime_error(name + "'s last window is still on the screen");
        const double begin = NowMs();
        if (!app.Start(copy, L"", dir.Path())) throw std::runtime_error("cannot start " + name);
        HWND panel = nullptr;
        for (;;) {
            if (panelRect) {
                if (ShowsBlue(*panelRect)) break;
            } else {
                if (main == nullptr) main = FindWindowOf(app.Pid(), className);
                if (main != nullptr && panel == nullptr) panel = Panel(1);
                if (panel != nullptr && IsWindowVisible(main) && ShowsBlue(ScreenRect(panel)))
                    break;
            }
            if (NowMs() - begin > timeout_ms || !app.IsRunning())
                throw std::runtime_error(name + " did not show its painted window");
            Sleep(1);
        }
        const double ms = NowMs() - begin;
        proc = ProcFolderOf(copy);
        onCpuAtStart = proc ? ProcOnCpuMs(*proc) : NAN;
        if (main == nullptr) main = FindWindowOf(app.Pid(), className);
        const RECT shown = main != nullptr ? ScreenRect(Panel(1)) : RECT{};
        if (panelRect && !EqualRect(&shown, &*panelRect))
            throw std::runtime_error(name + "'s first panel moved between starts");
        panelRect = shown;
        return ms;
    }

    void Stop() {
        app.Terminate();
        main = nullptr;
    }

    // Under Wine, GetProcessTimes on another process answers with the caller's own times.
    Activity Now() const {
        if (!proc) return {CpuMsOf(app.Handle()), NAN};
        return {ProcCpuMs(*proc), static_cast<double>(ProcWakeUps(*proc))};
    }

    MemoryFigures Memory(bool& fromProc) const {
        PROCESS_MEMORY_COUNTERS_EX counters{};
        counters.cb = sizeof counters;
        if (!GetProcessMemoryInfo(app.Handle(),
                                  reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                  sizeof counters))
            throw std::runtime_error("GetProcessMemoryInfo failed");
        MemoryFigures m{static_cast<double>(counters.WorkingSetSize),
                        static_cast<double>(counters.PrivateUsage)};
        if (m.privateBytes == 0) {
            if (!proc) throw std::runtime_error("no private bytes figure for " + name);
            m.privateBytes = ResidentAnonymousBytes(*proc);
            fromProc = true;
        }
        return m;
    }

    void PressAllKeys() const {
        for (WORD key : keys) PressKey(key);
    }
};

Activity operator-(const Activity& a, const Activity& b) {
    return {a.cpuMs - b.cpuMs, a.wakeUps - b.wakeUps};
}

// What each program used while `phase` ran.
template <typename Phase>
void MeasureActivity(const std::vector<Program*>& programs, Activity ProgramFigures::*figure,
                     Phase phase) {
    std::vector<Activity> before;
    for (Program* p : programs) before.push_back(p->Now());
    phase();
    for (std::size_t i = 0; i < programs.size(); ++i)
        programs[i]->figures->*figure = programs[i]->Now() - before[i];
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

bool PanelIs(const Program& p, int slot, COLORREF colour) {
    return CountColours(ScreenRect(p.Panel(slot)), colour, colour).first > 0;
}

// Presses the program's first key and returns the milliseconds until its first panel shows `to`
// and no more `from`; nullopt after timeout_ms.
std::optional<double> HotkeyToColour(Program& p, COLORREF to, COLORREF from,
                                     int timeout_ms = 3000) {
    const RECT rect = ScreenRect(p.Panel(1));
    const double begin = NowMs();
    PressKey(p.keys.front());
    for (;;) {
        const ColourCounts c = CountColours(rect, to, from);
        if (c.first > 0 && c.second == 0) return NowMs() - begin;
        if (NowMs() - begin > timeout_ms) return std::nullopt;
        Sleep(1);
    }
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

void LogFigure(const std::string& what, const std::vector<Program*>& programs,
               const std::function<double(const ProgramFigures&)>& figure) {
    std::string line = what + ":";
    for (const Program* p : programs) line += " " + p->name + " " + Fixed(figure(*p->figures), 1);
    Log(line);
}

// A clip image with its data chunk replaced by pcm (the clips have the plain 44-byte header).
std::string WavWith(const std::string& clip, const std::string& pcm) {
    std::string wav = clip.substr(0, 44);
    const auto dataBytes = static_cast<std::uint32_t>(pcm.size());
    const std::uint32_t riffBytes = 36 + dataBytes;
    std::memcpy(&wav[4], &riffBytes, 4);
    std::memcpy(&wav[40], &dataBytes, 4);
    return wav + pcm;
}

// What one sndPlaySoundA per clip costs this process against the same sound in one call, and
// the two things Wine's sndPlaySoundA does for every call: open and close the wave device, and
// start and end a playing thread. Each figure is the median of `rounds` rounds.
SoundCost MeasureSoundCost(int clipCount, int rounds) {
    std::vector<std::string> clips;
    std::string pcm;
    for (int i = 0; i < clipCount; ++i) {
        clips.push_back(
            ReadFileBytes(SourcePath(L"resources/clips/wav" + std::to_wstring(i) + L".wav")));
        pcm += WavPcm(clips.back());
    }
    const std::string whole = WavWith(clips.front(), pcm);
    const HANDLE self = GetCurrentProcess();
    sndPlaySoundA(clips.front().c_str(), SND_MEMORY);  // loads the sound stack first

    std::vector<double> perClipWall, perClipCpu, oneImageWall, oneImageCpu, openClose, thread;
    auto measure = [&](const std::function<void()>& work, std::vector<double>* wallMs,
                       std::vector<double>& cpuMs) {
        const double wall = NowMs(), cpu = CpuMsOf(self);
        work();
        if (wallMs != nullptr) wallMs->push_back(NowMs() - wall);
        cpuMs.push_back(CpuMsOf(self) - cpu);
    };
    const WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, 22050, 44100, 2, 16, 0};
    for (int round = 0; round < rounds; ++round) {
        measure(
            [&] {
                for (const std::string& clip : clips) sndPlaySoundA(clip.c_str(), SND_MEMORY);
            },
            &perClipWall, perClipCpu);
        measure([&] { sndPlaySoundA(whole.c_str(), SND_MEMORY); }, &oneImageWall, oneImageCpu);
        measure(
            [&] {
                for (int i = 0; i < clipCount; ++i) {
                    HWAVEOUT device;
                    if (waveOutOpen(&device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) ==
                        MMSYSERR_NOERROR)
                        waveOutClose(device);
                }
            },
            nullptr, openClose);
        measure(
            [&] {
                for (int i = 0; i < clipCount; ++i) {
                    HANDLE started = CreateThread(
                        nullptr, 0, [](LPVOID) -> DWORD { return 0; }, nullptr, 0, nullptr);
                    WaitForSingleObject(started, INFINITE);
                    CloseHandle(started);
                }
            },
            nullptr, thread);
    }
    SoundCost s;
    s.clips = clipCount;
    s.rounds = rounds;
    s.soundSeconds = static_cast<double>(pcm.size()) / 44100.0;
    s.perClipWallMs = Median(perClipWall);
    s.perClipCpuMs = Median(perClipCpu);
    s.oneImageWallMs = Median(oneImageWall);
    s.oneImageCpuMs = Median(oneImageCpu);
    s.openCloseCpuMs = Median(openClose) / clipCount;
    s.threadCpuMs = Median(thread) / clipCount;
    return s;
}

Results Measure(const Options& o) {
    Results r;
    auto keys = [](WORD first, int count) {
        std::vector<WORD> k;
        for (int i = 0; i < count; ++i) k.push_back(static_cast<WORD>(first + i));
        return k;
    };
    Program tally{"tallyvox", TallyvoxExePath(), L"TfrmMain", keys(VK_F1, 8), r.tally};
    Program same{"same-work", OwnFolder() + L"\\tallyvox_baseline_same_work.exe", kBaselineClass,
                 keys(static_cast<WORD>(kSameWorkFirstHotKey), 8), r.same};
    Program minimal{"minimal", OwnFolder() + L"\\tallyvox_baseline.exe", kBaselineClass,
                    keys(static_cast<WORD>(kMinimalHotKey), 1), r.minimal};
    const std::vector<Program*> all = {&tally, &same, &minimal};
    // The overlay once more with a full voice pack of 22 clips (the built-in ones as files).
    ProgramFigures packFigures;
    Program packed{"tallyvox+pack", TallyvoxExePath(), L"TfrmMain", keys(VK_F1, 8), packFigures};
    packed.Prepare(Fixture());
    CreateDirectoryW(packed.dir.File(L"voice").c_str(), nullptr);
    for (int clip = 1; clip <= 22; ++clip) {
        const std::wstring name = L"wav" + std::to_wstring(clip) + L".wav";
        if (!CopyFileW(SourcePath(L"resources/clips/" + name).c_str(),
                       packed.dir.File(L"voice\\" + name).c_str(), FALSE))
            throw std::runtime_error("cannot make the voice pack");
    }
    tally.Prepare(Fixture());
    same.Prepare("");
    minimal.Prepare("");
    MoveMouse(kParked);

    // Start-up, interleaved so that a slow moment of the machine hits all alike; the first
    // start of each warms the file cache and is not counted.
    const int warmups = o.smoke ? 0 : 1;
    std::vector<Program*> starters = all;
    starters.push_back(&packed);
    for (int run = -warmups; run < o.startRuns; ++run) {
        for (Program* p : starters) {
            const double ms = p->StartAndTime();
            p->Stop();
            if (run >= 0) {
                p->figures->start.push_back(ms);
                p->figures->startOnCpu.push_back(p->onCpuAtStart);
            }
        }
    }
    LogFigure("start-up ms", starters, [](const ProgramFigures& f) { return Median(f.start); });
    if (o.startupOnly) return r;

    // One session of all three side by side for everything else.
    for (Program* p : all) p->StartAndTime();
    {
        TextChangeLog names({tally.Panel(1), same.Panel(1), minimal.Panel(1)});
        SleepMs(o.smoke ? 200 : 1000);
        for (Program* p : all) p->figures->memStart = p->Memory(r.privateFromProc);

        MeasureActivity(all, &ProgramFigures::idle, [&] { SleepMs(o.idleMs); });
        r.idleSeconds = o.idleMs / 1000.0;
        LogFigure("idle wake-ups", all, [](const ProgramFigures& f) { return f.idle.wakeUps; });

        // The pointer rests on each program's first count in turn; the others idle meanwhile.
        const int hintGoneMs = std::min(kHintGoneMs, o.restMs / 2);
        for (Program* p : all) {
            const POINT centre = Centre(p->Panel(1));
            MoveMouse(centre);
            MoveMouse(POINT{centre.x + 1, centre.y + 1});
            const Activity arrived = p->Now();
            SleepMs(hintGoneMs);
            const Activity hintGone = p->Now();
            SleepMs(o.restMs - hintGoneMs);
            p->figures->resting = p->Now() - arrived;
            p->figures->restingAfterHint = p->Now() - hintGone;
            MoveMouse(kParked);
        }
        for (Program* p : all) p->figures->memRested = p->Memory(r.privateFromProc);
        r.restSeconds = o.restMs / 1000.0;
        r.restAfterHintSeconds = (o.restMs - hintGoneMs) / 1000.0;
        LogFigure("resting wake-ups", all,
                  [](const ProgramFigures& f) { return f.resting.wakeUps; });

        const double begin = NowMs();
        const double soundBefore = FileBytes(SoundCapturePath());
        for (Program* p : all) p->PressAllKeys();
        // Counting means a panel has moved below its start value.
        for (Program* p : all) {
            for (int slot = 1; slot <= static_cast<int>(p->keys.size()); ++slot) {
                HWND panel = p->Panel(slot);
                if (!WaitUntil([&] { return _wtoi(GetText(panel).c_str()) < 99; }, 5000, 50))
                    throw std::runtime_error(p->name + " count " + std::to_string(slot) +
                                             " did not start");
            }
        }
        const double cpuBegin = NowMs();
        MeasureActivity(all, &ProgramFigures::busy, [&] { SleepMs(o.busyCpuMs); });
        r.busyCpuSeconds = (NowMs() - cpuBegin) / 1000.0;
        SleepMs(o.busyMs - (NowMs() - begin));
        for (Program* p : all) p->figures->memBusy = p->Memory(r.privateFromProc);
        r.busySeconds = (NowMs() - begin) / 1000.0;
        // 22050 Hz, 16-bit mono: what the speakers handed to the sound device meanwhile.
        r.spokenSeconds = (FileBytes(SoundCapturePath()) - soundBefore) / 44100.0;
        LogFigure("busy CPU ms", all, [](const ProgramFigures& f) { return f.busy.cpuMs; });

        for (Program* p : all) {
            // A start may show the count anew: the ticks follow the first change.
            std::vector<double> times = names.Times(p->Panel(1), begin);
            if (!times.empty()) times.erase(times.begin());
            p->figures->ticks = Intervals(times);
            if (p->figures->ticks.empty())
                throw std::runtime_error("no count changes of " + p->name + " were seen");
        }
    }

    // Hotkey to repaint: stop every count (green), then start and stop each program's first
    // count in turn.
    for (Program* p : all) p->PressAllKeys();
    for (Program* p : all) {
        for (int slot = 1; slot <= static_cast<int>(p->keys.size()); ++slot) {
            if (!WaitUntil([&] { return PanelIs(*p, slot, kGreen); }, 5000))
                throw std::runtime_error(p->name + " count " + std::to_string(slot) +
                                         " did not stop");
        }
    }
    for (int round = 0; round < o.hotkeyRounds; ++round) {
        for (auto [to, from] : {std::pair{kBlue, kGreen}, std::pair{kGreen, kBlue}}) {
            for (Program* p : all) {
                const auto ms = HotkeyToColour(*p, to, from);
                if (!ms) throw std::runtime_error(p->name + " did not repaint after its hotkey");
                p->figures->hotkey.push_back(*ms);
                SleepMs(150);
            }
        }
    }
    LogFigure("hotkey ms", all, [](const ProgramFigures& f) { return Median(f.hotkey); });
    for (Program* p : all) p->Stop();

    r.sound = MeasureSoundCost(o.soundClips, o.soundRounds);
    Log("sound: " + Fixed(r.sound.perClipCpuMs, 0) + " ms CPU for " +
        std::to_string(r.sound.clips) + " clips, " + Fixed(r.sound.oneImageCpuMs, 0) +
        " ms as one image");
    return r;
}

// What the smoke run guards: the program's counts go down every 985 ms. The median of the run's
// few intervals is not moved by one late poll, and 30 ms either side is room for a loaded
// machine while a changed interval still shows.
void CheckTickCadence(const ProgramFigures& tally) {
    const double median = Median(tally.ticks);
    Log("median tick ms: " + Fixed(median, 1) + " over " + std::to_string(tally.ticks.size()) +
        " intervals");
    if (!(std::abs(median - 985) <= 30))  // also when no tick was seen (NaN)
        throw std::runtime_error("the count goes down every " + Fixed(median, 1) +
                                 " ms, not every 985 +- 30 ms");
}

Options Parse(int argc, wchar_t** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"--smoke") {
            o.smoke = true;
            o.startRuns = 1;
            o.idleMs = 2000;
            o.restMs = 2000;
            o.busyMs = 6000;
            o.busyCpuMs = 3000;
            o.hotkeyRounds = 1;
            o.soundClips = 3;
            o.soundRounds = 1;
        } else if (arg == L"--startup-only") {
            o.startupOnly = true;
        } else if (arg == L"--out" && i + 1 < argc) {
            o.out = argv[++i];
            if (!o.out.empty() && o.out.front() == L'/') o.out = UnixToWindowsPath(ToUtf8(o.out));
        } else if (arg == L"--machine" && i + 1 < argc) {
            o.machine = ToUtf8(argv[++i]);
        } else {
            throw std::runtime_error(
                "usage: bench.exe [--smoke] [--startup-only] [--out doc.md] [--machine text]");
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
        if (o.startupOnly) return 0;
        r.machine = o.machine;
        r.smoke = o.smoke;
        const std::string table = RenderTable(r);
        std::printf("%s\n", table.c_str());
        if (!o.out.empty()) UpdateDocument(o.out, table);
        if (o.smoke) CheckTickCadence(r.tally);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench: %s\n", e.what());
        return 1;
    }
}
