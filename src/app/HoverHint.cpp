// The hint's phases: down, waiting to show, shown.
#include "app/HoverHint.h"

namespace tallyvox {

void HoverHint::OnMove(int tool, int x, int y) {
    // The system repeats a move at the same place when windows change under a still pointer.
    if (moved_ && tool == tool_ && x == x_ && y == y_) return;
    moved_ = true;
    x_ = x;
    y_ = y;
    if (tool != tool_) {
        Disarm();
        tool_ = tool;
        if (tool_ != 0) Arm();
        return;
    }
    if (tool_ == 0) return;
    switch (phase_) {
        case Phase::Down:
            // Nothing watched the pointer while the hint was down: it may have left and come back.
            Arm();
            break;
        case Phase::Waiting:
            break;
        case Phase::Shown:
            host_.StartTimer(HintHost::Timer::Pop, kShownForMs);
            break;
    }
}

void HoverHint::OnPress() {
    Disarm();
}

void HoverHint::OnLeave(int tool) {
    if (tool != tool_) return;
    Disarm();
    tool_ = 0;
}

void HoverHint::OnTimer(HintHost::Timer timer) {
    if (timer == HintHost::Timer::Show && phase_ == Phase::Waiting) {
        phase_ = Phase::Shown;
        host_.ShowHint(tool_);
        host_.StartTimer(HintHost::Timer::Pop, kShownForMs);
    } else if (timer == HintHost::Timer::Pop && phase_ == Phase::Shown) {
        Disarm();
    }
}

void HoverHint::Arm() {
    phase_ = Phase::Waiting;
    host_.StartTimer(HintHost::Timer::Show, kShowDelayMs);
    host_.WatchLeave(tool_);
}

void HoverHint::Disarm() {
    if (phase_ == Phase::Down) return;
    if (phase_ == Phase::Shown) {
        host_.HideHint();
        host_.StopTimer(HintHost::Timer::Pop);
    } else {
        host_.StopTimer(HintHost::Timer::Show);
    }
    host_.StopWatchingLeave(tool_);
    phase_ = Phase::Down;
}

}  // namespace tallyvox
