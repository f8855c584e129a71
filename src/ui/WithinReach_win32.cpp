// Monitors from the system, and the move the placement rule asks for.
#include "ui/WithinReach_win32.h"

#include "ui/WindowPlacement_win32.h"

namespace tallyvox {

namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM found) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(monitor, &info)) {
        auto& monitors = *reinterpret_cast<std::vector<MonitorArea>*>(found);
        const MonitorArea area{ToScreenRect(info.rcMonitor), ToScreenRect(info.rcWork)};
        if ((info.dwFlags & MONITORINFOF_PRIMARY) != 0) {
            monitors.insert(monitors.begin(), area);
        } else {
            monitors.push_back(area);
        }
    }
    return TRUE;
}

}  // namespace

std::vector<MonitorArea> Monitors() {
    std::vector<MonitorArea> monitors;
    EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

void BringWithinReach(HWND window, const std::vector<HWND>& panels) {
    std::vector<ScreenRect> counts;
    for (HWND panel : panels) counts.push_back(WindowRectOf(panel));
    const ScreenRect now = WindowRectOf(window);
    const ScreenRect placed = BackWithinReach(now, counts, Monitors());
    if (placed != now) MoveWindowTo(window, placed);
}

}  // namespace tallyvox
