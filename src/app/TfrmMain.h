// The overlay's behaviour: the eight timer slots, the global options and every decision the
// overlay window makes. It owns no window; it drives one through OverlayView. Its members are
// defined in this folder: TfrmMain.cpp (construction, the countdowns, the hotkeys, always on
// top), ArrangeSlots.cpp (the slot layout) and LoadSettings.cpp (reading the settings file).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/OverlayView.h"
#include "app/SlotLayout.h"
#include "hotkeys/HeldHotKeys.h"
#include "hotkeys/HotKeyRegistrar.h"
#include "hotkeys/SlotHotKeys.h"
#include "timers/TimerSlot.h"
#include "voice/WorkerProtocol.h"

namespace tallyvox {

class IniFile;

class TfrmMain {
  public:
    TfrmMain(OverlayView& view, HotKeyRegistrar& hotKeys, WorkerPoster& worker);

    TimerSlot& Slot(int slot) { return slots_.at(static_cast<std::size_t>(slot - 1)); }
    const TimerSlot& Slot(int slot) const { return slots_.at(static_cast<std::size_t>(slot - 1)); }

    // Global options. The dialog writes those without a view of their own directly; a change
    // that also shows on the overlay goes through the setters below.
    std::int32_t isCircle = 0;
    std::int32_t isSecondCounter = 0;
    std::string lastSecondText;
    std::string timerCounterText;
    std::string sortTypeText;
    std::int32_t titleColor = 0;
    std::int32_t topMost = 0;

    // Starts a stopped slot or stops a running one; other numbers do nothing.
    void ToggleSlot(int slot);
    // One tick of a slot's ticker.
    void tmrTimer(int slot);
    // Double click on slot 1..8's count panel; other numbers do nothing.
    void pnl1DblClick(int slot);

    // Changes that the overlay shows at once: each sets the field and its view together.
    // A title: the label's caption and hint.
    void SetSlotTitle(int slot, const std::string& text);
    // A hotkey name: registered at once (or none, with the reason kept).
    void SetSlotHotKeyName(int slot, const std::string& text);
    // A duration: the text shows on the count panel and is the period of the next cyclic
    // restart. A text that fails to convert throws ConvertError after the text is stored,
    // leaving the period and the panel as they were.
    void SetSlotSeconds(int slot, const std::string& text);
    // The colour of every title.
    void SetTitleColor(std::int32_t color);

    void ApplyTopMost(std::int32_t value);
    // Shows `count` slots in the layout named by sortTypeText and registers their hotkeys.
    void ArrangeSlots(std::int32_t count);
    // The window's DPI has changed: the slots and the window take the places and size of the
    // last layout (or the built-in ones) at the new DPI; visibility and hotkeys stay.
    void ScaleChanged();
    // The window's client size at `dpi` in the last layout (or the built-in size): the size it
    // takes when its scale changes to `dpi`.
    WindowSize ClientSizeAt(int dpi) const;
    void RegisterSlotHotKey(std::string_view name, int id);
    // Why slot 1..8 has no hotkey for the key name it now holds; None when it has one.
    HotKeyProblem HotKeyProblemOf(int slot) const;
    // A hotkey was reported: toggles its slot, except for the repeats of a held combination.
    void WMHotKey(std::uintptr_t id);
    // Whether a combination hotkey is held down: the window then watches its key's release.
    bool HotKeyHeld() const { return heldHotKeys_.Any(); }
    // `isDown(key)` tells whether a key is down now; true while a combination is still held.
    bool CheckHeldHotKeys(const std::function<bool(unsigned key)>& isDown);
    // Drops all eight hotkeys; the first step of shutting down.
    void ReleaseHotKeys();

    // Reads the settings file and applies each value at once.
    void LoadSettings(IniFile& ini);
    // The keys LoadSettings took into their fields, in reading order. A key missing here holds
    // a construction value, not the user's stored one.
    std::vector<std::string> loadedKeys;

  private:
    OverlayView& view_;
    HotKeyRegistrar& hotKeys_;
    WorkerPoster& worker_;
    std::array<TimerSlot, kSlotCount> slots_{};
    std::array<HotKeyRegistration, kSlotCount> hotKeyRegistrations_{};
    HeldHotKeys heldHotKeys_;
    // The last layout that placed slots and sized the window; none while the built-in places
    // stand. Only a change of scale reads it.
    struct Arrangement {
        SlotLayout layout;
        int count;
    };
    std::optional<Arrangement> arranged_;
};

}  // namespace tallyvox
