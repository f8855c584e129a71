// The sound worker's message loop and the number-to-clips rule.
#include "voice/TMyThread.h"

#include "voice/WorkerProtocol.h"

namespace tallyvox {

std::vector<int> ClipsForNumber(std::int32_t number) {
    if (number < 1) return {};
    const std::int32_t tens = number / 10;
    const int units = static_cast<int>(number % 10);
    if (tens >= kClipCount) return {};
    if (tens >= 2) return {static_cast<int>(tens), units == 0 ? kClipTen : units};
    if (tens == 1)
        return units > 0 ? std::vector<int>{kClipTen, units} : std::vector<int>{kClipTen};
    return {units};
}

bool IsStale(const WorkerMessage& message) {
    // The difference as a signed number: right across the clock's wrap, and a taking stamp a
    // little before the posting one (two readings of one clock) counts as no wait.
    const auto waited = static_cast<std::int32_t>(message.takenAt - message.postedAt);
    return waited > static_cast<std::int32_t>(kSpeakStaleAfterMs);
}

void SpeakNumber(ClipPlayer& player, std::int32_t number) {
    for (const int clip : ClipsForNumber(number)) player.PlayClip(clip);
}

void TMyThread::Execute(WorkerQueue& queue, ClipPlayer& player) {
    queue.CreateQueue();
    while (!Terminated()) {
        const WorkerMessage m = queue.Wait();
        if (m.message != WM_WORKER) continue;
        if (m.wParam == CMD_QUIT && m.lParam == -1) {
            Terminate();
            break;
        }
        if (m.wParam == CMD_SPEAK && !IsStale(m))
            SpeakNumber(player, static_cast<std::int32_t>(m.lParam));
    }
}

}  // namespace tallyvox
