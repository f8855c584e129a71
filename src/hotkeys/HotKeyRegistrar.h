// What hotkey registration asks of the system: system-wide keys registered on the overlay window.
#pragma once

namespace tallyvox {

class HotKeyRegistrar {
  public:
    virtual ~HotKeyRegistrar() = default;
    virtual void Unregister(int id) = 0;
    // False when the system refuses the key: another program or another id holds it.
    virtual bool Register(int id, unsigned virtualKey) = 0;
};

}  // namespace tallyvox
