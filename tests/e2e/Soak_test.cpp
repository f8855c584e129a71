// Long run under load: all eight slots counting, every tick speaking, while the program's GDI,
// USER, handle and memory counts are sampled from outside; then everything stops and the
// program exits promptly although the sound worker still has a backlog.
// The run lasts TALLYVOX_SOAK_SECONDS (default 60; `make soak` runs 600).
#include <windows.h>
// After windows.h, which they build on.
#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "../unit/FullSettings.h"
#include "Driver.h"
#include "ProcStats.h"
#include "voice/WorkerProtocol.h"

namespace tallyvox::e2e {
namespace {

using Clock = std::chrono::steady_clock;

int SoakSeconds() {
    const char* text = std::getenv("TALLYVOX_SOAK_SECONDS");
    const int seconds = text != nullptr ? std::atoi(text) : 0;
    return seconds > 0 ? seconds : 60;
}

// Cyclic, spoken, and N = duration - 1: from the first tick on, every tick of every slot hands
// a number to the sound worker (two clips each), more than it can play in real time.
constexpr int kSoakSlotSeconds = 230;

// GDI objects in use in another process, read from its own GDI handle table (PEB field
// GdiSharedHandleTable, 24-byte entries, type byte at offset 14, 0 = free). This is the
// table's layout under Wine, whose GetGuiResources is a stub; on Windows GetGuiResources
// answers first. -1 when the table cannot be read.
long GdiObjectsFromHandleTable(HANDLE process) {
    using QueryFn = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    static const auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    if (query == nullptr ||
        query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) {
        return -1;
    }
    constexpr std::size_t kPebGdiTable = 0xF8, kEntries = 0x10000, kEntrySize = 24;
    std::uint64_t table = 0;
    if (!ReadProcessMemory(process,
                           reinterpret_cast<const char*>(basic.PebBaseAddress) + kPebGdiTable,
                           &table, sizeof table, nullptr) ||
        table == 0) {
        return -1;
    }
    std::vector<unsigned char> entries(kEntries * kEntrySize);
    SIZE_T got = 0;
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(),
                           entries.size(), &got) ||
        got != entries.size()) {
        return -1;
    }
    long used = 0;
    for (std::size_t i = 0; i < kEntries; ++i) used += entries[i * kEntrySize + 14] != 0;
    return used;
}

// The process's windows, top level and child: the bulk of its USER objects, for where
// GetGuiResources is a stub.
long WindowsOf(DWORD pid) {
    long windows = 0;
    for (HWND top : FindTopLevelWindows(nullptr, nullptr, pid)) {
        windows += 1 + static_cast<long>(DescendantWindows(top).size());
    }
    return windows;
}

// Under Wine the sound device plays faster than real time, so the worker keeps up with the
// ticks; on a real device it falls behind by several numbers a second. This queues `count`
// numbers to speak in the worker's thread, as that backlog would stand after a long run: the
// message goes to every thread of the program but the GUI thread, and only the worker has a
// message queue to take it. Returns how many were queued.
int QueueBacklog(DWORD pid, HWND main, int count) {
    const DWORD guiThread = ThreadOf(main);
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    int queued = 0;
    THREADENTRY32 thread{};
    thread.dwSize = sizeof thread;
    for (BOOL more = Thread32First(snapshot, &thread); more;
         more = Thread32Next(snapshot, &thread)) {
        if (thread.th32OwnerProcessID != pid || thread.th32ThreadID == guiThread) continue;
        for (int i = 0; i < count; ++i) {
            if (!PostThreadMessageW(thread.th32ThreadID, WM_WORKER, CMD_SPEAK,
                                    kSoakSlotSeconds - 1))
                break;
            ++queued;
        }
    }
    CloseHandle(snapshot);
    return queued;
}

struct Sample {
    double seconds = 0;
    long gdi = 0, user = 0, handles = 0;
    long long privateBytes = 0, workingSet = 0, captured = 0;
};

class SoakTest : public testing::Test {
  protected:
    TempDir dir;
    AppProcess app;
    HWND main = nullptr;
    bool gdiFromTable = false, userFromWindows = false, fromProc = false;
    std::optional<std::wstring> proc;  // its /proc folder, under Wine

    HWND Panel(int slot) const { return FindChildById(main, 200 + slot); }

    Sample Take(Clock::time_point start) {
        Sample s;
        s.seconds = std::chrono::duration<double>(Clock::now() - start).count();
        s.gdi = static_cast<long>(GetGuiResources(app.Handle(), GR_GDIOBJECTS));
        if (s.gdi == 0) {
            gdiFromTable = true;
            s.gdi = GdiObjectsFromHandleTable(app.Handle());
        }
        s.user = static_cast<long>(GetGuiResources(app.Handle(), GR_USEROBJECTS));
        if (s.user == 0) {
            userFromWindows = true;
            s.user = WindowsOf(app.Pid());
        }
        DWORD handles = 0;
        s.handles = GetProcessHandleCount(app.Handle(), &handles) ? static_cast<long>(handles) : -1;
        PROCESS_MEMORY_COUNTERS_EX memory{};
        memory.cb = sizeof memory;
        if (GetProcessMemoryInfo(app.Handle(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                                 sizeof memory)) {
            s.privateBytes = static_cast<long long>(memory.PrivateUsage);
            s.workingSet = static_cast<long long>(memory.WorkingSetSize);
        }
        // Under Wine another process's handle count and private bytes read as 0: the Linux
        // process that runs the program stands in.
        if (s.handles <= 0 && s.privateBytes <= 0) {
            if (!proc) proc = ProcFolderOf(dir.File(L"tallyvox.exe"));
            fromProc = proc.has_value();
            if (fromProc) {
                s.handles = ProcOpenFiles(*proc);
                s.privateBytes = static_cast<long long>(ResidentAnonymousBytes(*proc));
            }
        }
        s.captured = static_cast<long long>(ReadSoundCapture().size());
        return s;
    }
};

TEST_F(SoakTest, EightSpeakingSlotsRunFlatAndStopPromptly) {
    const int seconds = SoakSeconds();
    dir.WriteSettings(test::EightSpeakingSlotsFile(kSoakSlotSeconds, kSoakSlotSeconds - 1));
    ClearSoundCapture();
    ASSERT_TRUE(app.StartIn(dir));
    main = app.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsVisible(main); }));
    ASSERT_EQ(CountMessageBoxes(L"Tallyvox", app.Pid()), 0);

    for (int slot = 1; slot <= 8; ++slot) PressKey(static_cast<WORD>(VK_F1 + slot - 1));
    for (int slot = 1; slot <= 8; ++slot) {
        ASSERT_TRUE(WaitUntil(
            [&] { return GetText(Panel(slot)) != std::to_wstring(kSoakSlotSeconds); }, 3000))
            << "slot " << slot << " counts";
    }

    // Warm-up: the first clips, fonts and heap growth settle within the first quarter.
    const auto start = Clock::now();
    const double warmUp = std::max(10.0, seconds / 4.0);
    const double interval = seconds >= 300 ? 10.0 : 3.0;
    std::vector<Sample> samples;
    samples.push_back(Take(start));
    while (samples.back().seconds < seconds) {
        const double next = samples.back().seconds + interval;
        WaitUntil([&] { return !app.IsRunning(); },
                  static_cast<int>(std::max(0.0, next - samples.back().seconds) * 1000), 200);
        ASSERT_TRUE(app.IsRunning()) << "the program ended during the soak";
        samples.push_back(Take(start));
    }

    std::printf("GDI %s, USER %s, handles and private bytes %s\n",
                gdiFromTable ? "from its GDI handle table" : "GetGuiResources",
                userFromWindows ? "as its window count" : "GetGuiResources",
                fromProc ? "as the Linux process's open fds and RssAnon"
                         : "GetProcessHandleCount, GetProcessMemoryInfo");
    std::printf("%8s %6s %6s %8s %12s %12s %12s\n", "s", "GDI", "USER", "handles", "private",
                "working set", "sound bytes");
    for (const Sample& s : samples) {
        std::printf("%8.1f %6ld %6ld %8ld %12lld %12lld %12lld\n", s.seconds, s.gdi, s.user,
                    s.handles, s.privateBytes, s.workingSet, s.captured);
    }

    // Flat after warm-up: the largest value seen later stays within a small allowance of the
    // first value after warm-up. A leak per tick would pass it within seconds: 8 slots tick
    // about 8 times a second.
    const auto base = std::find_if(samples.begin(), samples.end(),
                                   [&](const Sample& s) { return s.seconds >= warmUp; });
    ASSERT_NE(base, samples.end());
    ASSERT_GT(base->gdi, 0) << "GDI objects could not be counted";
    ASSERT_GT(base->user, 0) << "USER objects could not be counted";
    ASSERT_GT(base->handles, 0) << "handles could not be counted";
    ASSERT_GT(base->privateBytes, 0) << "private bytes could not be measured";
    auto peak = [&](auto field) {
        long long most = 0;
        for (auto s = base; s != samples.end(); ++s) most = std::max(most, field(*s));
        return most;
    };
    // GDI and USER: a paint in progress at the sampling moment holds a few temporary objects.
    EXPECT_LE(peak([](const Sample& s) { return (long long)s.gdi; }), base->gdi + 8);
    EXPECT_LE(peak([](const Sample& s) { return (long long)s.user; }), base->user + 2);
    // Handles: the sound stack opens and closes a few per clip.
    EXPECT_LE(peak([](const Sample& s) { return (long long)s.handles; }), base->handles + 16);
    // Memory: the heap grows in blocks of up to 1 MB; a leak of a few bytes per tick shows in
    // the ten-minute run, not within this allowance.
    EXPECT_LE(peak([](const Sample& s) { return s.privateBytes; }),
              base->privateBytes + (2ll << 20));
    EXPECT_GT(samples.back().captured, samples.front().captured) << "the worker kept speaking";

    // Every tick posts one number of two clips per slot; what the worker has not played yet
    // waits in its message queue (held by the system, not in the program's memory).
    std::printf("posted about %.0f numbers; the worker played %.1f s of sound (22050 Hz, 16 bit)\n",
                samples.back().seconds * 8 / 0.985,
                static_cast<double>(samples.back().captured) / (22050 * 2));

    // Stopping all slots and exiting, with a backlog in the worker's queue: 2000 numbers of two
    // clips each, minutes of speech.
    const int backlog = QueueBacklog(app.Pid(), main, 2000);
    std::printf("queued a backlog of %d numbers\n", backlog);
    ASSERT_GE(backlog, 2000);
    for (int slot = 1; slot <= 8; ++slot) PressKey(static_cast<WORD>(VK_F1 + slot - 1));
    RightClick(Panel(1));
    ASSERT_TRUE(WaitUntil(
        [&] { return !FindTopLevelWindows(L"#32768", nullptr, app.Pid()).empty(); }, 2000));
    const auto exitStart = Clock::now();
    PressKey('X');
    const auto code = app.WaitExit(5000);
    const double exitSeconds = std::chrono::duration<double>(Clock::now() - exitStart).count();
    std::printf("exit took %.2f s\n", exitSeconds);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);
    // The program gives the worker at most 1 s to finish the clip in hand, then exits whatever
    // is still queued (speaking the backlog would take minutes); 1.5 s more is the margin for
    // a loaded machine.
    EXPECT_LT(exitSeconds, 2.5);
}

}  // namespace
}  // namespace tallyvox::e2e
