// Starting, stopping and ticking the countdown slots.
#include <string>

#include "app/Colors.h"
#include "app/TfrmMain.h"
#include "text/IntText.h"
#include "voice/WorkerProtocol.h"

namespace tallyvox {

namespace {

// Counts wrap at the 32-bit limits like the machine's own arithmetic, without signed overflow.
std::int32_t Decrement(std::int32_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) - 1u);
}

}  // namespace

void TfrmMain::tmrTimer(int slot) {
    if (!IsSlotNumber(slot)) return;
    TimerSlot& s = Slot(slot);
    if (s.remaining <= 0) {
        if (isCircle != 0) {
            s.remaining = s.period;
            view_.SetPanelColor(slot, kColorBlue);
        } else {
            // An ended countdown still shows one more step ("-1") below.
            view_.EnableTicker(slot, false);
        }
    }
    s.remaining = Decrement(s.remaining);
    view_.SetPanelCaption(slot, IntToStr(s.remaining));
    if (StrToInt(lastSecondText) == s.remaining) view_.SetPanelColor(slot, kColorRed);
    if (isSecondCounter != 0 && StrToInt(lastSecondText) >= s.remaining) {
        worker_.Post(WM_WORKER, CMD_SPEAK, s.remaining);
    }
}

void TfrmMain::ToggleSlot(int slot) {
    if (!IsSlotNumber(slot)) return;
    TimerSlot& s = Slot(slot);
    if (s.running != 0) {
        s.running = 0;
        view_.EnableTicker(slot, false);
        view_.SetPanelColor(slot, kColorGreen);
        return;
    }
    // The defaults serve this start only; the stored texts stay empty.
    const std::string title = s.titleText.empty() ? DefaultTitle(slot) : s.titleText;
    const std::string seconds = s.secondsText.empty() ? DefaultSeconds(slot) : s.secondsText;
    const std::int32_t n = StrToInt(seconds);  // a failure leaves the slot untouched
    s.running = 1;
    view_.SetLabelCaption(slot, title);
    view_.SetLabelHint(slot, title);
    view_.SetPanelColor(slot, kColorBlue);
    s.remaining = n;
    s.period = n;
    view_.EnableTicker(slot, true);
}

void TfrmMain::pnl1DblClick(std::string_view senderName) {
    int slot = 1;
    for (int k = 1; k <= kSlotCount; ++k) {
        if (senderName == "pnl" + std::to_string(k)) {
            slot = k;
            break;
        }
    }
    ToggleSlot(slot);
}

}  // namespace tallyvox
