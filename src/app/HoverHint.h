// When the overlay's hint (its tooltip) shows and goes: shortly after the pointer comes to a
// title or a count, until it leaves, presses a button or the hint has been up for a while. Only
// mouse events and two one-shot timers drive it, and nothing watches the pointer once the hint
// is down, so a pointer resting on the overlay wakes the program up no more.
#pragma once

namespace tallyvox {

// What the hint needs from the window system. Tools are control IDs; 0 is none.
class HintHost {
  public:
    enum class Timer { Show, Pop };

    virtual ~HintHost() = default;
    // One-shot: the timer fires once, OnTimer, unless stopped first. Starting it again restarts it.
    virtual void StartTimer(Timer timer, int ms) = 0;
    virtual void StopTimer(Timer timer) = 0;
    virtual void ShowHint(int tool) = 0;  // the tool's hint, beside the pointer
    virtual void HideHint() = 0;
    // Until stopped or reported, the pointer leaving the tool calls OnLeave.
    virtual void WatchLeave(int tool) = 0;
    virtual void StopWatchingLeave(int tool) = 0;
};

class HoverHint {
  public:
    static constexpr int kShowDelayMs = 500;  // the system's default tooltip delays
    static constexpr int kShownForMs = 5000;

    explicit HoverHint(HintHost& host) : host_(host) {}

    // The pointer moved over `tool` (0: over none) to screen point x, y.
    void OnMove(int tool, int x, int y);
    void OnPress();  // any mouse button went down
    void OnLeave(int tool);
    void OnTimer(HintHost::Timer timer);

  private:
    enum class Phase { Down, Waiting, Shown };

    void Arm();
    void Disarm();

    HintHost& host_;
    Phase phase_ = Phase::Down;
    int tool_ = 0;
    bool moved_ = false;
    int x_ = 0, y_ = 0;
};

}  // namespace tallyvox
