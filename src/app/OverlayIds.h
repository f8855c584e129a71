// The overlay's control and menu IDs (listed in the README). They are part of the program's
// automation interface: tests and accessibility tools find controls by them, so they never
// change. This is their one definition.
#pragma once

namespace tallyvox::ids {

// The overlay window's children, per slot 1..8.
constexpr int Label(int slot) {  // lbl1..lbl8: 101..108
    return 100 + slot;
}
constexpr int Panel(int slot) {  // pnl1..pnl8: 201..208
    return 200 + slot;
}

// The popup menu's commands.
constexpr int kMenuSettings = 801;  // mntmN1
constexpr int kMenuUsage = 802;     // mntmU1
constexpr int kMenuExit = 803;      // mntmN2

}  // namespace tallyvox::ids
