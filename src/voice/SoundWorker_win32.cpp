// Clip resources, the worker thread and synchronous playback from memory.
#include "voice/SoundWorker_win32.h"

#include <array>
#include <string>

#include "platform/LazyLibrary_win32.h"
#include "voice/TMyThread.h"
#include "voice/VoicePack_win32.h"
#include "voice/WorkerProtocol.h"

namespace tallyvox {

namespace {

// sndPlaySoundA: plays a WAV image from memory and returns when it has ended. winmm is loaded
// at the first clip, on the worker's thread, its only caller.
void PlayWavFromMemory(const void* image) {
    using SndPlaySoundFn = BOOL(WINAPI*)(LPCSTR, UINT);
    constexpr UINT kSndMemory = 0x0004;  // synchronous, from memory
    static const auto sndPlaySound = SystemFunction<SndPlaySoundFn>(L"winmm.dll", "sndPlaySoundA");
    if (sndPlaySound != nullptr) sndPlaySound(static_cast<LPCSTR>(image), kSndMemory);
}

}  // namespace

// What the worker reaches: the clip table and the thread object, alive while either side
// still holds it.
struct SoundWorker::Shared : public WorkerQueue, public ClipPlayer {
    TMyThread thread;
    std::array<HGLOBAL, kClipCount> clips{};
    PackImages packClips;  // a pack's clip, where it has one, is played instead

    // The clips are released by whichever side lets go last, never under a playing worker.
    ~Shared() override {
        for (HGLOBAL clip : clips) {
            if (clip != nullptr) FreeResource(clip);
        }
    }

    void CreateQueue() override {
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    }

    WorkerMessage Wait() override {
        MSG msg{};
        if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
            // WM_QUIT or a broken queue: nothing more can arrive.
            thread.Terminate();
            return {};
        }
        // MSG::time is the system's tick count when the message was posted.
        return {msg.message, static_cast<std::intptr_t>(msg.wParam),
                static_cast<std::intptr_t>(msg.lParam), static_cast<std::uint32_t>(msg.time),
                static_cast<std::uint32_t>(GetTickCount())};
    }

    void PlayClip(int index) override {
        if (index < 0 || index >= kClipCount) return;
        const std::vector<std::uint8_t>& own = packClips[static_cast<std::size_t>(index)];
        if (!own.empty()) {
            PlayWavFromMemory(own.data());
            return;
        }
        if (clips[index] == nullptr) return;
        // Locked anew for every play; a null image would make sndPlaySoundA stop all sound.
        const void* image = LockResource(clips[index]);
        if (image != nullptr) PlayWavFromMemory(image);
    }
};

namespace {

DWORD WINAPI WorkerMain(LPVOID parameter) {
    // The thread owns one reference and frees it when its routine ends.
    std::unique_ptr<std::shared_ptr<SoundWorker::Shared>> hold(
        static_cast<std::shared_ptr<SoundWorker::Shared>*>(parameter));
    SoundWorker::Shared& shared = **hold;
    shared.thread.Execute(shared, shared);
    return 0;
}

}  // namespace

SoundWorker::~SoundWorker() {
    Stop();
    if (thread_ != nullptr) CloseHandle(thread_);
}

void SoundWorker::Start(HINSTANCE instance, const std::wstring& programFolder) {
    shared_ = std::make_shared<Shared>();
    for (int i = 0; i < kClipCount; ++i) {
        const std::string name = "wav" + std::to_string(i);
        HRSRC found = FindResourceA(instance, name.c_str(), "WAV");
        shared_->clips[static_cast<std::size_t>(i)] =
            found != nullptr ? LoadResource(instance, found) : nullptr;
    }
    pack_ = LoadVoicePack(programFolder, shared_->packClips);
    auto* threadHold = new std::shared_ptr<Shared>(shared_);
    thread_ = CreateThread(nullptr, 0, &WorkerMain, threadHold, CREATE_SUSPENDED, &threadId_);
    if (thread_ == nullptr) {
        delete threadHold;
        threadId_ = 0;
        return;
    }
    ResumeThread(thread_);
}

void SoundWorker::Post(std::uint32_t message, std::intptr_t wParam, std::intptr_t lParam) {
    if (threadId_ != 0) PostThreadMessageA(threadId_, message, static_cast<WPARAM>(wParam), lParam);
}

void SoundWorker::Stop() {
    if (!shared_) return;
    Post(WM_WORKER, CMD_QUIT, -1);
    shared_->thread.Terminate();
    shared_.reset();
}

void SoundWorker::WaitForEnd(DWORD ms) {
    if (thread_ != nullptr) WaitForSingleObject(thread_, ms);
}

}  // namespace tallyvox
