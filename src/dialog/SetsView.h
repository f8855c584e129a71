// What the settings dialog's behaviour asks of its controls. Setting a control through this
// interface never runs a handler: the behaviour decides which handlers run.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ui/DisplayScale.h"

namespace tallyvox {

// Controls that hold text; the per-slot ones take a slot number 1..8.
enum class SetsText {
    cbbTimer,     // drop-down list "1".."8"; empty when no item is selected
    cbbLastSec,   // combo box with typing
    cbbSortType,  // combo box with typing
    edtTitle,     // per slot
    cbbKey,       // per slot, combo box with typing
    edtTime,      // per slot
};

enum class SetsCheck { chkCircle, chkSec, chkTop };

// The dialog window's scale: its DPI, the pixels its caption bar and borders add to its
// height at 96 DPI and at that DPI, and the pixels its borders add to its width at that DPI.
struct DialogScale {
    int dpi = kDesignDpi;
    int frameAtDesignDpi = 0;
    int frame = 0;
    int frameWidth = 0;
};

class SetsView {
  public:
    virtual ~SetsView() = default;

    virtual std::string Text(SetsText control, int slot = 0) const = 0;
    virtual void SetText(SetsText control, int slot, const std::string& text) = 0;
    // Selects the list item whose text equals `text`, byte for byte; none when no item does
    // (the box then shows the empty text). Returns whether an item is selected.
    virtual bool SelectItem(SetsText control, const std::string& text) = 0;

    virtual bool Checked(SetsCheck control) const = 0;
    virtual void SetChecked(SetsCheck control, bool checked) = 0;

    // The colour list's selected entry's value, none when no entry is selected.
    virtual std::optional<std::int32_t> SelectedColor() const = 0;
    // Selects the entry with this value; none when no entry has it.
    virtual void SelectColor(std::int32_t value) = 0;

    // Outer height of the dialog window, caption bar and borders included.
    virtual void SetOuterHeight(int height) = 0;
    virtual DialogScale Scale() const = 0;
    // Opens a web address in the default browser.
    virtual void OpenUrl(const std::string& address) = 0;
};

}  // namespace tallyvox
