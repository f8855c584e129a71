// What hotkey registration asks of the system: system-wide keys registered on the overlay window.
#pragma once

#include "hotkeys/HotKeyChord.h"

namespace tallyvox {

class HotKeyRegistrar {
  public:
    virtual ~HotKeyRegistrar() = default;
    virtual void Unregister(int id) = 0;
    // False when the system refuses the key: another program or another id holds it.
    virtual bool Register(int id, HotKeyChord chord) = 0;
};

}  // namespace tallyvox
