// The overlay brought back within reach of the player.
#include "ui/WithinReach.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tallyvox {

namespace {

bool Contains(const ScreenRect& outer, const ScreenRect& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool OnAMonitor(const ScreenRect& rect, const std::vector<MonitorArea>& monitors) {
    return std::any_of(monitors.begin(), monitors.end(),
                       [&](const MonitorArea& m) { return Contains(m.bounds, rect); });
}

// The start of a span of `length` moved inside [from, to), the start kept inside if too long.
int Inside(int start, int length, int from, int to) {
    return std::max(from, std::min(start, to - length));
}

ScreenRect MovedInto(const ScreenRect& window, const ScreenRect& area) {
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    const int left = Inside(window.left, width, area.left, area.right);
    const int top = Inside(window.top, height, area.top, area.bottom);
    return {left, top, left + width, top + height};
}

std::int64_t SquaredDistance(const ScreenRect& from, const ScreenRect& to) {
    const std::int64_t dx = std::int64_t{to.left} - from.left;
    const std::int64_t dy = std::int64_t{to.top} - from.top;
    return dx * dx + dy * dy;
}

}  // namespace

ScreenRect BackWithinReach(const ScreenRect& window, const std::vector<ScreenRect>& panels,
                           const std::vector<MonitorArea>& monitors) {
    if (monitors.empty()) return window;
    const bool reachable =
        panels.empty() ? OnAMonitor(window, monitors)
                       : std::any_of(panels.begin(), panels.end(),
                                     [&](const auto& p) { return OnAMonitor(p, monitors); });
    if (reachable) return window;
    ScreenRect best = window;
    std::int64_t bestDistance = std::numeric_limits<std::int64_t>::max();
    for (const MonitorArea& monitor : monitors) {
        const ScreenRect moved = MovedInto(window, monitor.work);
        const std::int64_t distance = SquaredDistance(window, moved);
        if (distance < bestDistance) {
            best = moved;
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace tallyvox
