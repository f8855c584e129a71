// Where the overlay stands after the screens changed under it (a game switched the resolution,
// a monitor was unplugged, the taskbar moved): back within reach once no count is on a screen.
#pragma once

#include <vector>

#include "ui/ScreenGeometry.h"

namespace tallyvox {

struct MonitorArea {
    ScreenRect bounds;  // the whole monitor
    ScreenRect work;    // without the taskbar and docked bars
};

// `window` as it stands while one of `panels` (the visible counts, in screen pixels) lies
// wholly on a monitor: the player may have left it half over an edge. Otherwise `window` at
// its size moved the least distance into the work area of the monitor that needs the least
// move (the first of equals); a window larger than that work area shows its top-left part.
// With no panels the window itself must be on a monitor; with no monitors it stays.
ScreenRect BackWithinReach(const ScreenRect& window, const std::vector<ScreenRect>& panels,
                           const std::vector<MonitorArea>& monitors);

}  // namespace tallyvox
