// The sound worker's message loop.
#include "voice/TMyThread.h"

#include "voice/NumberClips.h"
#include "voice/WorkerProtocol.h"

namespace tallyvox {

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
        if (m.wParam == CMD_SPEAK) SpeakNumber(player, static_cast<std::int32_t>(m.lParam));
    }
}

}  // namespace tallyvox
