// Starting, stopping and ticking the countdown slots.
#include "timers/SlotTimer.h"

#include <string>

#include "text/IntText.h"

namespace tallyvox {

namespace {

// Counts wrap at the 32-bit limits like the machine's own arithmetic, without signed overflow.
std::int32_t Decrement(std::int32_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) - 1u);
}

}  // namespace

void TickCountdown(TimerSlot& s, int slot, const CountdownOptions& options, SlotDisplay& display,
                   WorkerPoster& worker) {
    if (s.remaining <= 0) {
        if (options.isCircle != 0) {
            s.remaining = s.period;
            display.SetPanelColor(slot, kColorBlue);
        } else {
            // An ended countdown still shows one more step ("-1") below.
            display.EnableTicker(slot, false);
        }
    }
    s.remaining = Decrement(s.remaining);
    display.SetPanelCaption(slot, IntToStr(s.remaining));
    if (StrToInt(options.lastSecondText) == s.remaining) display.SetPanelColor(slot, kColorRed);
    if (options.isSecondCounter != 0 && StrToInt(options.lastSecondText) >= s.remaining) {
        worker.Post(WM_WORKER, CMD_SPEAK, s.remaining);
    }
}

void ToggleCountdown(TimerSlot& s, int slot, SlotDisplay& display) {
    if (s.running != 0) {
        s.running = 0;
        display.EnableTicker(slot, false);
        display.SetPanelColor(slot, kColorGreen);
        return;
    }
    // The defaults serve this start only; the stored texts stay empty.
    const std::string title = s.titleText.empty() ? DefaultTitle(slot) : s.titleText;
    const std::string seconds = s.secondsText.empty() ? DefaultSeconds(slot) : s.secondsText;
    const std::int32_t n = StrToInt(seconds);  // a failure leaves the slot untouched
    s.running = 1;
    display.ShowTitle(slot, title);
    display.SetPanelColor(slot, kColorBlue);
    s.remaining = n;
    s.period = n;
    display.EnableTicker(slot, true);
}

}  // namespace tallyvox
