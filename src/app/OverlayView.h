// What the overlay's behaviour asks of the window system. The Win32 overlay implements these
// interfaces; unit tests substitute recording fakes.
#pragma once

#include <cstdint>
#include <string>

namespace tallyvox {

// The controls of the eight slots (numbered 1..8), the overlay window and the slot tickers.
class OverlayView {
  public:
    virtual ~OverlayView() = default;
    virtual void SetLabelCaption(int slot, const std::string& text) = 0;
    virtual void SetLabelHint(int slot, const std::string& text) = 0;
    virtual void SetLabelColor(int slot, std::int32_t color) = 0;
    virtual void SetPanelCaption(int slot, const std::string& text) = 0;
    virtual void SetPanelColor(int slot, std::int32_t color) = 0;
    virtual void SetSlotVisible(int slot, bool visible) = 0;
    virtual void SetLabelPosition(int slot, int left, int top) = 0;
    virtual void SetPanelPosition(int slot, int left, int top) = 0;
    virtual void SetWindowWidth(int width) = 0;
    virtual void SetWindowHeight(int height) = 0;
    virtual void SetTopMost(bool topMost) = 0;
    virtual void EnableTicker(int slot, bool enabled) = 0;
};

// System-wide hotkeys registered on the overlay window.
class HotKeyRegistrar {
  public:
    virtual ~HotKeyRegistrar() = default;
    virtual void Unregister(int id) = 0;
    virtual void Register(int id, unsigned virtualKey) = 0;
};

// The GUI thread's one channel to the sound worker: a non-blocking thread-message post.
class WorkerPoster {
  public:
    virtual ~WorkerPoster() = default;
    virtual void Post(std::uint32_t message, std::intptr_t wParam, std::intptr_t lParam) = 0;
};

}  // namespace tallyvox
