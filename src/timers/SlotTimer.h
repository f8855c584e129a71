// Starting, stopping and ticking one countdown slot. TfrmMain's ToggleSlot and tmrTimer hand
// their work to these.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "timers/SlotDisplay.h"
#include "timers/TimerSlot.h"
#include "voice/WorkerProtocol.h"

namespace tallyvox {

// The global options a tick reads.
struct CountdownOptions {
    std::int32_t isCircle = 0;         // non-zero: a finished countdown starts again
    std::int32_t isSecondCounter = 0;  // non-zero: the last seconds are spoken
    std::string_view lastSecondText;   // N, converted at every tick
};

// Starts a stopped slot or stops a running one. A duration that fails to convert throws
// ConvertError and leaves the slot untouched.
void ToggleCountdown(TimerSlot& s, int slot, SlotDisplay& display);

// One tick of a slot's ticker: counts down, colours, speaks, and ends or restarts the count.
void TickCountdown(TimerSlot& s, int slot, const CountdownOptions& options, SlotDisplay& display,
                   WorkerPoster& worker);

}  // namespace tallyvox
