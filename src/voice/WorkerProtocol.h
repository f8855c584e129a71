// The thread message that carries numbers from the GUI thread to the sound worker, and the
// GUI thread's side of that channel.
#pragma once

#include <cstdint>

namespace tallyvox {

constexpr std::uint32_t WM_WORKER = 33770;  // WM_APP + 1002
constexpr std::intptr_t CMD_SPEAK = 2;      // lParam: the number to speak
constexpr std::intptr_t CMD_QUIT = -1;      // lParam: -1
// A number still queued this long after it was posted is left out: one tick of a slot.
constexpr std::uint32_t kSpeakStaleAfterMs = 985;

// The GUI thread's one channel to the sound worker: a non-blocking thread-message post.
class WorkerPoster {
  public:
    virtual ~WorkerPoster() = default;
    virtual void Post(std::uint32_t message, std::intptr_t wParam, std::intptr_t lParam) = 0;
};

}  // namespace tallyvox
