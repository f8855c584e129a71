// Statistics and the Markdown table of the benchmark.
#include "BenchReport.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numeric>
#include <stdexcept>

#include "Driver.h"

namespace tallyvox::bench {

namespace {

constexpr double kMiB = 1024.0 * 1024.0;
constexpr double kTickMs = 985;
constexpr double kTickToleranceMs = 20;
constexpr double kMaxExeBytes = 1.5e6;

std::string Fixed(double value, int decimals) {
    if (!std::isfinite(value)) return "n/a";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

std::string Ratio(double tally, double base) {
    return base > 0 ? Fixed(tally / base, 2) : "n/a";
}

const char* Met(bool met) {
    return met ? "yes" : "**no**";
}

std::string Row(const std::string& figure, const std::string& tally, const std::string& same,
                const std::string& sameRatio, const std::string& minimal,
                const std::string& minimalRatio, const std::string& target,
                const std::string& met) {
    return "| " + figure + " | " + tally + " | " + same + " | " + sameRatio + " | " + minimal +
           " | " + minimalRatio + " | " + target + " | " + met + " |\n";
}

using Figure = std::function<double(const ProgramFigures&)>;

// A figure of all three programs with its ratios; the target, if any (maxRatio > 0), is a ratio
// to the same-work baseline.
std::string RatioRow(const Results& r, const std::string& name, const Figure& figure, int decimals,
                     double maxRatio = 0) {
    const double t = figure(r.tally), s = figure(r.same), m = figure(r.minimal);
    const bool hasTarget = maxRatio > 0;
    return Row(name, Fixed(t, decimals), Fixed(s, decimals), Ratio(t, s), Fixed(m, decimals),
               Ratio(t, m), hasTarget ? "≤ " + Fixed(maxRatio, 1) + "×" : "–",
               hasTarget ? Met(t <= s * maxRatio) : "–");
}

std::string Today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04u-%02u-%02u", now.wYear, now.wMonth, now.wDay);
    return buffer;
}

std::string Range(const std::vector<double>& values) {
    return Fixed(Min(values), 0) + "–" + Fixed(Max(values), 0) + " ms";
}

}  // namespace

double Median(std::vector<double> values) {
    if (values.empty()) return NAN;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Mean(const std::vector<double>& values) {
    if (values.empty()) return NAN;
    return std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
}

double Percentile(std::vector<double> values, double percent) {
    if (values.empty()) return NAN;
    std::sort(values.begin(), values.end());
    const auto rank =
        static_cast<std::size_t>(std::ceil(percent / 100.0 * static_cast<double>(values.size())));
    return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

double Min(const std::vector<double>& values) {
    return values.empty() ? NAN : *std::min_element(values.begin(), values.end());
}

double Max(const std::vector<double>& values) {
    return values.empty() ? NAN : *std::max_element(values.begin(), values.end());
}

std::string RenderTable(const Results& r) {
    std::string t;
    t += "Measured " + Today() + (r.smoke ? " (smoke run: single, short samples)" : "") + " on " +
         (r.machine.empty() ? std::string("an unnamed machine") : r.machine) + ".\n\n";
    t += "| Figure | tallyvox.exe | same-work baseline | ratio | minimal baseline | ratio | "
         "target | met |\n";
    t += "|---|---:|---:|---:|---:|---:|---|---|\n";
    t += RatioRow(
        r,
        "Start-up to painted window, median of " + std::to_string(r.tally.start.size()) + " (ms)",
        [](const ProgramFigures& p) { return Median(p.start); }, 0, 1.1);
    t += RatioRow(
        r, "CPU time to painted window, median (ms)",
        [](const ProgramFigures& p) { return Median(p.startOnCpu); }, 0);
    t += RatioRow(
        r, "Working set after start-up (MiB)",
        [](const ProgramFigures& p) { return p.memStart.workingSet / kMiB; }, 2, 1.1);
    t += RatioRow(
        r, "Private bytes after start-up (MiB)",
        [](const ProgramFigures& p) { return p.memStart.privateBytes / kMiB; }, 2);
    t += RatioRow(
        r, "Working set after the pointer rested on it (MiB)",
        [](const ProgramFigures& p) { return p.memRested.workingSet / kMiB; }, 2);
    const std::string busy = Fixed(r.busySeconds / 60.0, 0) + " min busy";
    t += RatioRow(
        r, "Working set after " + busy + " (MiB)",
        [](const ProgramFigures& p) { return p.memBusy.workingSet / kMiB; }, 2, 1.1);
    t += RatioRow(
        r, "Private bytes after " + busy + " (MiB)",
        [](const ProgramFigures& p) { return p.memBusy.privateBytes / kMiB; }, 2);
    const std::string idle = Fixed(r.idleSeconds, 0) + " s idle, pointer parked";
    t += RatioRow(
        r, "CPU time over " + idle + " (ms)", [](const ProgramFigures& p) { return p.idle.cpuMs; },
        0, 1.0);
    t += RatioRow(
        r, "Wake-ups over " + idle, [](const ProgramFigures& p) { return p.idle.wakeUps; }, 0, 1.0);
    const std::string rest = Fixed(r.restSeconds, 0) + " s, pointer resting on a count panel";
    t += RatioRow(
        r, "CPU time over " + rest + " (ms)",
        [](const ProgramFigures& p) { return p.resting.cpuMs; }, 0);
    t += RatioRow(
        r, "Wake-ups over " + rest, [](const ProgramFigures& p) { return p.resting.wakeUps; }, 0);
    t += RatioRow(
        r, "… of them in its last " + Fixed(r.restAfterHintSeconds, 0) + " s, the hint gone",
        [](const ProgramFigures& p) { return p.restingAfterHint.wakeUps; }, 0, 1.0);
    t += RatioRow(
        r, "CPU time over " + Fixed(r.busyCpuSeconds, 0) + " s busy (ms)",
        [](const ProgramFigures& p) { return p.busy.cpuMs; }, 0, 1.2);
    t += RatioRow(
        r, "Tick interval, mean (ms)", [](const ProgramFigures& p) { return Mean(p.ticks); }, 1);
    const double p99 = Percentile(r.tally.ticks, 99);
    t += Row("Tick interval, p99 of " + std::to_string(r.tally.ticks.size()) + " (ms)",
             Fixed(p99, 1), Fixed(Percentile(r.same.ticks, 99), 1), "–",
             Fixed(Percentile(r.minimal.ticks, 99), 1), "–",
             "≤ " + Fixed(kTickMs + kTickToleranceMs, 0) + " ms",
             Met(p99 <= kTickMs + kTickToleranceMs));
    t += RatioRow(
        r, "Tick interval, max (ms)", [](const ProgramFigures& p) { return Max(p.ticks); }, 1);
    t += RatioRow(
        r, "Hotkey to repaint, median of " + std::to_string(r.tally.hotkey.size()) + " (ms)",
        [](const ProgramFigures& p) { return Median(p.hotkey); }, 1, 1.1);
    t += Row("Size of the executable (bytes)", Fixed(r.tally.exeBytes, 0),
             Fixed(r.same.exeBytes, 0), "–", Fixed(r.minimal.exeBytes, 0), "–", "≤ 1,500,000",
             Met(r.tally.exeBytes <= kMaxExeBytes));

    t += "\nTargets are ratios to the same-work baseline; the minimal baseline is the floor of any "
         "window at all.";
    if (r.privateFromProc) {
        t += " Private bytes: Wine reports none for another process, so these are the process's "
             "resident anonymous memory (RssAnon in /proc/<pid>/status).";
    }
    t += " Wake-ups: voluntary context switches of all the process's threads "
         "(/proc/<pid>/task/*/status).\n\n";
    t +=
        "Busy: all eight counts of tallyvox.exe and of the same-work baseline counting and "
        "speaking every tick, the minimal baseline's one count ticking. The sound device, paced to "
        "real time, took " +
        Fixed(r.spokenSeconds, 0) + " s of speech from the two speakers in " +
        Fixed(r.busySeconds, 0) + " s. Start-up range: tallyvox " + Range(r.tally.start) +
        ", same-work baseline " + Range(r.same.start) + ", minimal baseline " +
        Range(r.minimal.start) + ". Hotkey p90: tallyvox " +
        Fixed(Percentile(r.tally.hotkey, 90), 1) + " ms, same-work baseline " +
        Fixed(Percentile(r.same.hotkey, 90), 1) + " ms.\n\n";
    const SoundCost& s = r.sound;
    t += "Sound, in the driver's own process (the median of " + std::to_string(s.rounds) +
         " round(s)): " + std::to_string(s.clips) + " clips (" + Fixed(s.soundSeconds, 1) +
         " s of sound), one `sndPlaySoundA` each, took " + Fixed(s.perClipWallMs / 1000, 1) +
         " s and " + Fixed(s.perClipCpuMs, 0) + " ms of CPU (" +
         Fixed(s.perClipCpuMs / s.clips, 1) + " ms a clip); the same sound as one " +
         "image took " + Fixed(s.oneImageWallMs / 1000, 1) + " s and " + Fixed(s.oneImageCpuMs, 0) +
         " ms. One `waveOutOpen` + `waveOutClose` costs " + Fixed(s.openCloseCpuMs, 1) +
         " ms of CPU, one thread started and ended " + Fixed(s.threadCpuMs, 1) + " ms.\n";
    return t;
}

void UpdateDocument(const std::wstring& path, const std::string& table) {
    std::string doc;
    if (e2e::FileExists(path)) doc = e2e::ReadFileBytes(path);
    const std::string generated = std::string(kBeginMarker) + "\n\n" + table + "\n" + kEndMarker;
    const auto begin = doc.find(kBeginMarker);
    const auto end = doc.find(kEndMarker);
    if (begin != std::string::npos && end != std::string::npos && end > begin) {
        doc.replace(begin, end + std::string(kEndMarker).size() - begin, generated);
    } else {
        doc = "# Performance\n\n" + generated + "\n";
    }
    e2e::WriteFileBytes(path, doc);
}

}  // namespace tallyvox::bench
