// The key boxes' warnings: a slot whose key name took no hotkey shows the name in red, and the
// box's tooltip says why.
#pragma once

#include <windows.h>

#include <array>
#include <functional>

#include "hotkeys/SlotHotKeys.h"

namespace tallyvox {

class KeyBoxWarnings {
  public:
    // `keyBox(slot)` is slot 1..8's key combo box; the tooltip belongs to `owner`, which is
    // laid out at `dpi`.
    void Create(HINSTANCE instance, HWND owner, int dpi, std::function<HWND(int slot)> keyBox);
    // Shows each slot's problem as `problemOf(slot)` tells it; a slot without one whose hotkey
    // a game run as administrator may keep gets a note in its tooltip, not in red. Repaints
    // only what changed.
    void Show(const std::function<HotKeyProblem(int slot)>& problemOf,
              const std::function<bool(int slot)>& mayMissElevatedGames);
    // WM_CTLCOLOREDIT of a key box's edit: red when its slot has a problem.
    void Colour(HWND edit, HDC dc) const;

  private:
    std::function<HWND(int)> keyBox_;
    HWND tips_ = nullptr;
    std::array<HotKeyProblem, 9> shown_{};  // index 1..8, as the key boxes show them
    std::array<bool, 9> noted_{};           // index 1..8: the elevated-game note shows
};

}  // namespace tallyvox
