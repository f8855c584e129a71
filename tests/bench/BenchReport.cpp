// Statistics and the Markdown table of the benchmark.
#include "BenchReport.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <stdexcept>

#include "Driver.h"

namespace tallyvox::bench {

namespace {

constexpr double kMiB = 1024.0 * 1024.0;
constexpr double kTickMs = 985;
constexpr double kTickToleranceMs = 20;
constexpr double kMaxRatio = 1.2;
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

std::string Row(const std::string& figure, const std::string& tally, const std::string& base,
                const std::string& ratio, const std::string& target, const std::string& met) {
    return "| " + figure + " | " + tally + " | " + base + " | " + ratio + " | " + target + " | " +
           met + " |\n";
}

// A row whose target is a ratio to the baseline (empty target: reported only).
std::string RatioRow(const std::string& figure, double tally, double base, int decimals,
                     double maxRatio) {
    const bool hasTarget = maxRatio > 0;
    const bool met = tally <= base * maxRatio;
    return Row(figure, Fixed(tally, decimals), Fixed(base, decimals), Ratio(tally, base),
               hasTarget ? "≤ " + Fixed(maxRatio, 1) + "×" : "–", hasTarget ? Met(met) : "–");
}

std::string Today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04u-%02u-%02u", now.wYear, now.wMonth, now.wDay);
    return buffer;
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

double Max(const std::vector<double>& values) {
    return values.empty() ? NAN : *std::max_element(values.begin(), values.end());
}

std::string RenderTable(const Results& r) {
    std::string t;
    t += "Measured " + Today() + (r.smoke ? " (smoke run: single, short samples)" : "") + " on " +
         (r.machine.empty() ? std::string("an unnamed machine") : r.machine) + ".\n\n";
    t += "| Figure | tallyvox.exe | baseline | ratio | target | met |\n";
    t += "|---|---:|---:|---:|---|---|\n";
    t += RatioRow(
        "Start-up to painted window, median of " + std::to_string(r.startTally.size()) + " (ms)",
        Median(r.startTally), Median(r.startBase), 0, kMaxRatio);
    t += RatioRow("Working set after start-up (MiB)", r.memStartTally.workingSet / kMiB,
                  r.memStartBase.workingSet / kMiB, 2, kMaxRatio);
    t += RatioRow("Private bytes after start-up (MiB)", r.memStartTally.privateBytes / kMiB,
                  r.memStartBase.privateBytes / kMiB, 2, 0);
    const std::string busy = Fixed(r.busySeconds / 60.0, 0) + " min busy";
    t += RatioRow("Working set after " + busy + " (MiB)", r.memBusyTally.workingSet / kMiB,
                  r.memBusyBase.workingSet / kMiB, 2, kMaxRatio);
    t += RatioRow("Private bytes after " + busy + " (MiB)", r.memBusyTally.privateBytes / kMiB,
                  r.memBusyBase.privateBytes / kMiB, 2, 0);
    t += RatioRow("CPU time over " + Fixed(r.idleSeconds, 0) + " s idle (ms)", r.idleCpuTally,
                  r.idleCpuBase, 0, 1.0);
    t += RatioRow("CPU time over " + Fixed(r.busyCpuSeconds, 0) + " s busy (ms)", r.busyCpuTally,
                  r.busyCpuBase, 0, 0);
    t += Row("Tick interval, mean of " + std::to_string(r.tickTally.size()) + " (ms)",
             Fixed(Mean(r.tickTally), 1), Fixed(Mean(r.tickBase), 1), "–", "–", "–");
    const double p99 = Percentile(r.tickTally, 99);
    t += Row("Tick interval, p99 (ms)", Fixed(p99, 1), Fixed(Percentile(r.tickBase, 99), 1), "–",
             "≤ " + Fixed(kTickMs + kTickToleranceMs, 0) + " ms",
             Met(p99 <= kTickMs + kTickToleranceMs));
    t += Row("Tick interval, max (ms)", Fixed(Max(r.tickTally), 1), Fixed(Max(r.tickBase), 1), "–",
             "–", "–");
    t += RatioRow("Hotkey to repaint, median of " + std::to_string(r.hotkeyTally.size()) + " (ms)",
                  Median(r.hotkeyTally), Median(r.hotkeyBase), 1, kMaxRatio);
    t += Row("Size of the executable (bytes)", Fixed(r.exeBytes, 0), Fixed(r.baselineBytes, 0), "–",
             "≤ 1,500,000", Met(r.exeBytes <= kMaxExeBytes));
    if (r.privateFromProc) {
        t += "\nPrivate bytes: Wine reports none for another process, so these are the "
             "process's resident anonymous memory (RssAnon in /proc/<pid>/status).\n";
    }
    t +=
        "\nBusy: all eight slots counting (cyclic) and speaking every tick; the sound worker "
        "handed " +
        Fixed(r.spokenSeconds, 0) + " s of speech to the sound device in " +
        Fixed(r.busySeconds, 0) + " s. Start-up range: tallyvox " +
        Fixed(r.startTally.empty() ? NAN
                                   : *std::min_element(r.startTally.begin(), r.startTally.end()),
              0) +
        "–" + Fixed(Max(r.startTally), 0) + " ms, baseline " +
        Fixed(r.startBase.empty() ? NAN : *std::min_element(r.startBase.begin(), r.startBase.end()),
              0) +
        "–" + Fixed(Max(r.startBase), 0) + " ms. Hotkey p90: tallyvox " +
        Fixed(Percentile(r.hotkeyTally, 90), 1) + " ms, baseline " +
        Fixed(Percentile(r.hotkeyBase, 90), 1) + " ms.\n";
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
