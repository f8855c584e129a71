// The settings dialog's controls as plain values, without windows: the contents and rules of
// the control table, as the window holds them. The instance created at start-up is never
// shown, so it needs no windows: its filling acts on the overlay all the same.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "dialog/SetsView.h"

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
    // A window-less dialog is drawn nowhere: the 96-DPI design.
    DialogScale Scale() const override { return {}; }
    // A window-less dialog is never clicked; nothing to open.
    void OpenUrl(const std::string&) override {}

    int OuterHeight() const { return outerHeight_; }

  private:
    std::map<int, std::string> texts_;  // by control ID
    std::map<int, bool> checks_;
    std::optional<std::int32_t> color_;
    int outerHeight_ = 0;  // 0 until a count sets it
};

}  // namespace tallyvox
