// Why a slot has no hotkey although its key name is not empty.
#pragma once

namespace tallyvox {

enum class HotKeyProblem {
    None,         // it holds its key, or its name is empty
    Refused,      // the system refused the key: another program or slot holds it
    UnknownName,  // the name is no key and no combination this program knows
    // Refused by design, never asked of the system:
    TypingKey,  // a letter, digit, space, arrow... without Ctrl, Alt or Win: no one could type it
    ClosesWindow,   // Alt+F4
    EditKey,        // Ctrl+A, C, V, X or Z alone: every program's edit keys
    ShiftedKeypad,  // Shift with a keypad digit or Num.: it arrives as a navigation key
    NotRegistered,  // the name was never registered (a hidden slot, or no layout ran)
};

}  // namespace tallyvox
