// Fuzzes the number-to-clips rule and the sound worker's loop over a scripted queue of
// arbitrary messages. Checked: no clip index outside the table, nothing for numbers below 1,
// numbers up to 99 read back from their clips, a number taken more than a tick after its post
// left out whole, and the loop ends exactly at the quit message (or at a terminate request),
// taking nothing more from the queue.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "voice/TMyThread.h"
#include "voice/WorkerProtocol.h"

namespace {

using tallyvox::fuzz::Check;

// Reads Chinese numerals back: "shi" alone is 10, "shi u" 10 + u, "t shi" 10t, "t u" 10t + u.
int NumberSpokenBy(const std::vector<int>& clips) {
    constexpr int kTen = 10;
    if (clips.size() == 1) return clips[0];
    if (clips[0] == kTen) return 10 + clips[1];
    return clips[0] * 10 + (clips[1] == kTen ? 0 : clips[1]);
}

void CheckClips(std::int32_t number) {
    const std::vector<int> clips = tallyvox::ClipsForNumber(number);
    const std::string n = std::to_string(number);
    for (const int clip : clips) {
        Check(clip >= 0 && clip < tallyvox::kClipCount, "clip index outside the table", n);
    }
    if (number < 1) {
        Check(clips.empty(), "clips for a number below 1", n);
        return;
    }
    if (number < 230) Check(clips.size() == 1 || clips.size() == 2, "clip count", n);
    // Clip 0 (zero) is never spoken: Chinese numerals up to 229 do not need it.
    for (const int clip : clips) Check(clip != 0, "clip 0 played", n);
    if (number <= 99) Check(NumberSpokenBy(clips) == number, "clips speak another number", n);
}

struct Step {
    tallyvox::WorkerMessage message;
    bool terminateOnDelivery;  // another thread's terminate request arriving with it
};

class ScriptedQueue : public tallyvox::WorkerQueue {
  public:
    ScriptedQueue(const std::vector<Step>& steps, tallyvox::TMyThread& worker)
        : steps_(steps), worker_(worker) {}

    void CreateQueue() override { created = true; }
    tallyvox::WorkerMessage Wait() override {
        Check(created, "waited before creating the queue");
        // The script ends in a quit message; asking for more means the loop missed it.
        Check(taken < steps_.size(), "worker waited past its quit message");
        const Step& step = steps_[taken++];
        if (step.terminateOnDelivery) worker_.Terminate();
        return step.message;
    }

    bool created = false;
    std::size_t taken = 0;

  private:
    const std::vector<Step>& steps_;
    tallyvox::TMyThread& worker_;
};

// Records which message each clip belongs to.
class RecordingPlayer : public tallyvox::ClipPlayer {
  public:
    explicit RecordingPlayer(const ScriptedQueue& queue) : queue_(queue) {}
    void PlayClip(int index) override {
        Check(index >= 0 && index < tallyvox::kClipCount, "played a clip outside the table");
        if (clipsByMessage.size() < queue_.taken) clipsByMessage.resize(queue_.taken);
        clipsByMessage[queue_.taken - 1].push_back(index);
    }
    std::vector<std::vector<int>> clipsByMessage;

  private:
    const ScriptedQueue& queue_;
};

bool IsQuit(const tallyvox::WorkerMessage& m) {
    return m.message == tallyvox::WM_WORKER && m.wParam == tallyvox::CMD_QUIT && m.lParam == -1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    for (int i = in.ConsumeIntegralInRange(0, 8); i > 0; --i) {
        CheckClips(in.ConsumeBool() ? in.ConsumeIntegralInRange(-3, 240)
                                    : in.ConsumeIntegral<std::int32_t>());
    }

    std::vector<Step> steps;
    while (in.remaining_bytes() > 0 && steps.size() < 256) {
        Step step{};
        switch (in.ConsumeIntegralInRange(0, 3)) {
            case 0:  // a number to speak, as the GUI thread posts it
                step.message = {tallyvox::WM_WORKER, tallyvox::CMD_SPEAK,
                                in.ConsumeIntegralInRange<std::intptr_t>(-5, 240)};
                // Posted at any time of the wrapping clock, taken a little before (two
                // readings of one clock) up to seconds after.
                step.message.postedAt = in.ConsumeIntegral<std::uint32_t>();
                step.message.takenAt =
                    step.message.postedAt +
                    static_cast<std::uint32_t>(in.ConsumeIntegralInRange(-50, 3000));
                break;
            case 1:  // the quit message or a near miss of it
                step.message = {tallyvox::WM_WORKER, tallyvox::CMD_QUIT,
                                in.ConsumeBool() ? -1 : in.ConsumeIntegral<std::intptr_t>()};
                break;
            default:  // anything at all
                step.message = {in.ConsumeIntegral<std::uint32_t>(),
                                in.ConsumeIntegral<std::intptr_t>(),
                                in.ConsumeIntegral<std::intptr_t>()};
                break;
        }
        step.terminateOnDelivery = in.ConsumeIntegralInRange(0, 31) == 0;
        steps.push_back(step);
    }
    steps.push_back({{tallyvox::WM_WORKER, tallyvox::CMD_QUIT, -1}, false});

    tallyvox::TMyThread worker;
    ScriptedQueue queue(steps, worker);
    RecordingPlayer player(queue);
    worker.Execute(queue, player);

    std::size_t expectedTaken = 0;
    while (true) {
        const Step& step = steps[expectedTaken++];
        if (IsQuit(step.message) || step.terminateOnDelivery) break;
    }
    Check(queue.taken == expectedTaken, "loop did not end at the quit message or terminate",
          std::to_string(queue.taken) + " taken, " + std::to_string(expectedTaken) + " expected");
    Check(worker.Terminated(), "worker not terminated after its loop");

    player.clipsByMessage.resize(queue.taken);
    for (std::size_t i = 0; i < queue.taken; ++i) {
        const auto& m = steps[i].message;
        const auto& clips = player.clipsByMessage[i];
        const bool speak = m.message == tallyvox::WM_WORKER && m.wParam == tallyvox::CMD_SPEAK;
        if (!speak) {
            Check(clips.empty(), "clips played for a message that is not a number");
            continue;
        }
        // Taken more than a tick after its post, a number is left out whole.
        const std::int64_t waited = static_cast<std::int32_t>(m.takenAt - m.postedAt);
        if (waited > 985) {
            Check(clips.empty(), "a late number was spoken", std::to_string(waited));
            continue;
        }
        Check(clips == tallyvox::ClipsForNumber(static_cast<std::int32_t>(m.lParam)),
              "worker played other clips than the number's", std::to_string(m.lParam));
    }
    return 0;
}
