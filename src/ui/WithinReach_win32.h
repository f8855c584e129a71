// The monitors as the placement rule sees them, and the overlay moved back within reach.
#pragma once

#include <windows.h>

#include <vector>

#include "ui/WithinReach.h"

namespace tallyvox {

// Every monitor of the desktop, the primary first.
std::vector<MonitorArea> Monitors();

// Moves `window` (not its z-order) where BackWithinReach puts it, given its visible `panels`.
void BringWithinReach(HWND window, const std::vector<HWND>& panels);

}  // namespace tallyvox
