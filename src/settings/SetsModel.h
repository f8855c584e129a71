// The settings dialog's controls as plain values, without windows. The instance created at
// start-up is never shown, so it needs no windows: its filling acts on the overlay all the same.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "settings/SetsView.h"
#include "timers/TimerSlot.h"

namespace tallyvox {

class SetsModel : public SetsView {
  public:
    SetsModel();

    std::string Text(SetsText control, int slot = 0) const override;
    void SetText(SetsText control, int slot, const std::string& text) override;
    bool SelectItem(SetsText control, const std::string& text) override;
    bool Checked(SetsCheck control) const override;
    void SetChecked(SetsCheck control, bool checked) override;
    std::optional<std::int32_t> SelectedColor() const override { return color_; }
    void SelectColor(std::int32_t value) override;
    void SetOuterHeight(int height) override { outerHeight_ = height; }
    // A window-less dialog is never clicked; nothing to open.
    void OpenUrl(const std::string&) override {}

    int OuterHeight() const { return outerHeight_; }

  private:
    // The text member behind a control, for this model const or not.
    template <typename Self>
    static auto& TextOf(Self& self, SetsText control, int slot);

    std::string timer_, lastSecond_, sortType_;
    std::array<std::string, kSlotCount + 1> title_, key_, time_;  // index 1..8
    bool circle_ = false, sec_ = false, top_ = false;
    std::optional<std::int32_t> color_;
    int outerHeight_ = 0;  // 0 until a count sets it
};

}  // namespace tallyvox
