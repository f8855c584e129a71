// Tells a fresh press of a combination hotkey from the keyboard's auto-repeat while it is held.
// Combinations are registered with kModNoRepeat, but not every system honours it (Wine reports
// each repeated key-down again), so a held combination toggles its slot once here on every one.
// Single keys repeat as the keyboard does.
#pragma once

#include <functional>
#include <map>

#include "hotkeys/HotKeyChord.h"

namespace tallyvox {

class HeldHotKeys {
  public:
    // The hotkey registered as `chord` under `id` was reported: true for a press to act on,
    // false when it repeats a combination whose key has not been released since.
    bool Press(int id, const HotKeyChord& chord);
    // Forgets the held combinations whose key `isDown` says is up; true while one is held.
    bool Recheck(const std::function<bool(unsigned key)>& isDown);
    bool Any() const { return !held_.empty(); }

  private:
    std::map<int, HotKeyChord> held_;  // by hotkey id
};

}  // namespace tallyvox
