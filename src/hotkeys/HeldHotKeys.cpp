// Held combination hotkeys and their release.
#include "hotkeys/HeldHotKeys.h"

namespace tallyvox {

bool HeldHotKeys::Press(int id, const HotKeyChord& chord) {
    if ((chord.modifiers & kModNoRepeat) == 0) return true;
    const auto held = held_.find(id);
    if (held != held_.end() && held->second == chord) return false;
    // Also a different chord under the same id: a new registration's first press.
    held_[id] = chord;
    return true;
}

bool HeldHotKeys::Recheck(const std::function<bool(unsigned key)>& isDown) {
    std::erase_if(held_, [&](const auto& entry) { return !isDown(entry.second.key); });
    return Any();
}

}  // namespace tallyvox
