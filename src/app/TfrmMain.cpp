// The overlay's behaviour: construction, the countdowns, the hotkeys and always on top. Each
// method hands the work to its subsystem with this overlay's slots, options and window.
#include "app/TfrmMain.h"

#include <utility>

#include "hotkeys/KeyNames.h"
#include "hotkeys/SlotHotKeys.h"
#include "text/IntText.h"
#include "timers/SlotTimer.h"

namespace tallyvox {

TfrmMain::TfrmMain(OverlayView& view, HotKeyRegistrar& hotKeys, WorkerPoster& worker)
    : view_(view), hotKeys_(hotKeys), worker_(worker) {}

void TfrmMain::ToggleSlot(int slot) {
    if (IsSlotNumber(slot)) ToggleCountdown(Slot(slot), slot, view_);
}

void TfrmMain::tmrTimer(int slot) {
    if (!IsSlotNumber(slot)) return;
    TickCountdown(Slot(slot), slot, {isCircle, isSecondCounter, lastSecondText}, view_, worker_);
}

void TfrmMain::pnl1DblClick(int slot) {
    ToggleSlot(slot);
}

void TfrmMain::SetSlotTitle(int slot, const std::string& text) {
    Slot(slot).titleText = text;
    view_.ShowTitle(slot, text);
}

void TfrmMain::SetSlotHotKeyName(int slot, const std::string& text) {
    Slot(slot).hotKeyName = text;
    RegisterSlotHotKey(text, kHotKeyIdBase + slot);
}

void TfrmMain::SetSlotSeconds(int slot, const std::string& text) {
    TimerSlot& s = Slot(slot);
    s.secondsText = text;
    s.period = StrToInt(text);
    view_.SetPanelCaption(slot, text);
}

void TfrmMain::SetTitleColor(std::int32_t color) {
    titleColor = color;
    for (int slot = 1; slot <= kSlotCount; ++slot) view_.SetLabelColor(slot, color);
}

void TfrmMain::WMHotKey(std::uintptr_t id) {
    if (id < kHotKeyIdBase + 1u || id > kHotKeyIdBase + static_cast<unsigned>(kSlotCount)) return;
    const int slot = static_cast<int>(id - kHotKeyIdBase);
    const auto& chord = hotKeyRegistrations_[static_cast<std::size_t>(slot - 1)].chord;
    if (chord && !heldHotKeys_.Press(static_cast<int>(id), *chord)) return;
    ToggleSlot(slot);
}

bool TfrmMain::CheckHeldHotKeys(const std::function<bool(unsigned key)>& isDown) {
    return heldHotKeys_.Recheck(isDown);
}

void TfrmMain::RegisterSlotHotKey(std::string_view name, int id) {
    HotKeyRegistration registration = RegisterNamedHotKey(hotKeys_, name, id);
    const int slot = id - kHotKeyIdBase;
    if (IsSlotNumber(slot)) {
        hotKeyRegistrations_[static_cast<std::size_t>(slot - 1)] = std::move(registration);
    }
}

HotKeyProblem TfrmMain::HotKeyProblemOf(int slot) const {
    if (!IsSlotNumber(slot)) return HotKeyProblem::None;
    return WhyNoHotKey(Slot(slot).hotKeyName,
                       hotKeyRegistrations_[static_cast<std::size_t>(slot - 1)]);
}

void TfrmMain::ReleaseHotKeys() {
    for (int slot = 1; slot <= kSlotCount; ++slot) hotKeys_.Unregister(kHotKeyIdBase + slot);
}

void TfrmMain::ApplyTopMost(std::int32_t value) {
    topMost = value;
    view_.SetTopMost(value != 0);
}

}  // namespace tallyvox
