// The sound worker's routine: takes numbers from its thread-message queue and speaks them one
// after another, so the GUI thread never waits for sound; and the rule of which voice clips
// speak a number, the way Chinese numerals are read.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

namespace tallyvox {

constexpr int kClipCount = 23;  // wav0..wav22
constexpr int kClipTen = 10;

// Clip indices for `number`, in playing order. Nothing below 1. Numbers from 230 up would
// need a clip past the table's end; they are not spoken at all rather than half spoken.
std::vector<int> ClipsForNumber(std::int32_t number);

struct WorkerMessage {
    std::uint32_t message = 0;
    std::intptr_t wParam = 0;
    std::intptr_t lParam = 0;
    // The system's millisecond clock (it wraps after 49.7 days) when the message was posted
    // and when the worker took it from the queue.
    std::uint32_t postedAt = 0;
    std::uint32_t takenAt = 0;
};

// A number whose turn came more than one tick after it was posted is no longer on any
// display: speaking it would only put the voice further behind the counts.
bool IsStale(const WorkerMessage& message);

// The worker thread's own message queue.
class WorkerQueue {
  public:
    virtual ~WorkerQueue() = default;
    // Makes the system create the queue, so posts from the GUI thread are accepted.
    virtual void CreateQueue() = 0;
    // Waits for and removes the next message, stamped with when it was posted and taken.
    virtual WorkerMessage Wait() = 0;
};

// Plays one clip synchronously: returns when it has ended.
class ClipPlayer {
  public:
    virtual ~ClipPlayer() = default;
    virtual void PlayClip(int index) = 0;
};

// Plays the clips of `number` in order.
void SpeakNumber(ClipPlayer& player, std::int32_t number);

class TMyThread {
  public:
    // The routine: speaks each number in the order posted, whole, unless it is stale when
    // its turn comes; returns after CMD_QUIT or once a terminate request is found between
    // messages; what is still queued then is not spoken.
    void Execute(WorkerQueue& queue, ClipPlayer& player);

    // May be called from any thread; the request only ever goes from unset to set.
    void Terminate() { terminated_.store(true); }
    bool Terminated() const { return terminated_.load(); }

  private:
    std::atomic<bool> terminated_{false};
};

}  // namespace tallyvox
