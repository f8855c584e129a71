// The sound worker on Windows: the 23 clips loaded from the executable's resources (and a
// voice pack's in their place) and the thread that plays them from memory with sndPlaySoundA.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "voice/VoicePack.h"
#include "voice/WorkerProtocol.h"

namespace tallyvox {

class SoundWorker : public WorkerPoster {
  public:
    SoundWorker() = default;
    ~SoundWorker() override;
    SoundWorker(const SoundWorker&) = delete;
    SoundWorker& operator=(const SoundWorker&) = delete;

    // Loads the clips and the voice pack beside the program (`programFolder` ends in a
    // backslash), then creates the worker thread suspended and resumes it.
    void Start(HINSTANCE instance, const std::wstring& programFolder);
    // What became of the voice pack at the start.
    const VoicePackReport& Pack() const { return pack_; }
    // Posts to the worker's queue without waiting; a failed post loses that number.
    void Post(std::uint32_t message, std::intptr_t wParam, std::intptr_t lParam) override;
    // Asks the worker to quit and drops this side's hold on the clips. Does not wait: the
    // worker keeps its own hold until its routine has returned.
    void Stop();
    // Gives a worker that is finishing the clip in hand up to `ms` to end.
    void WaitForEnd(DWORD ms);

    struct Shared;

  private:
    std::shared_ptr<Shared> shared_;
    DWORD threadId_ = 0;
    HANDLE thread_ = nullptr;
    VoicePackReport pack_;
};

}  // namespace tallyvox
