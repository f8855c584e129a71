// What the overlay's behaviour asks of its window beyond the countdowns' own display: the
// slots' title colour, visibility and places, the window's size and its always-on-top state.
// The Win32 overlay implements it; unit tests substitute a recording fake.
#pragma once

#include <cstdint>

#include "timers/SlotDisplay.h"

namespace tallyvox {

class OverlayView : public SlotDisplay {
  public:
    virtual void SetLabelColor(int slot, std::int32_t color) = 0;
    virtual void SetSlotVisible(int slot, bool visible) = 0;
    virtual void SetLabelPosition(int slot, int left, int top) = 0;
    virtual void SetPanelPosition(int slot, int left, int top) = 0;
    virtual void SetWindowWidth(int width) = 0;
    virtual void SetWindowHeight(int height) = 0;
    virtual void SetTopMost(bool topMost) = 0;
    // The window's DPI; positions and sizes given to the setters are pixels at that DPI.
    virtual int Dpi() const = 0;
};

// The overlay's background; every pixel of exactly this colour is see-through.
constexpr std::int32_t kColorTransparentKey = 0x0000FF00;

}  // namespace tallyvox
