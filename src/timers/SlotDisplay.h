// What a countdown shows of its slot (numbered 1..8) and the slot's ticker. The overlay window
// implements it; unit tests substitute a recording fake.
#pragma once

#include <cstdint>
#include <string>

namespace tallyvox {

class SlotDisplay {
  public:
    virtual ~SlotDisplay() = default;
    virtual void SetLabelCaption(int slot, const std::string& text) = 0;
    virtual void SetLabelHint(int slot, const std::string& text) = 0;
    virtual void SetPanelCaption(int slot, const std::string& text) = 0;
    virtual void SetPanelColor(int slot, std::int32_t color) = 0;
    virtual void EnableTicker(int slot, bool enabled) = 0;

    // A title shows as the label's caption and as its hint alike.
    void ShowTitle(int slot, const std::string& text) {
        SetLabelCaption(slot, text);
        SetLabelHint(slot, text);
    }
};

// Colours (0x00BBGGRR) of a count.
constexpr std::int32_t kColorBlue = 0x00FF0000;   // counting or ready
constexpr std::int32_t kColorRed = 0x000000FF;    // reached the last-seconds number
constexpr std::int32_t kColorGreen = 0x00008000;  // stopped; dark, so it stays visible

}  // namespace tallyvox
