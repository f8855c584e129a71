// What hotkey registration asks of the system: system-wide keys registered on the overlay window.
#pragma once

namespace tallyvox {

class HotKeyRegistrar {
  public:
    virtual ~HotKeyRegistrar() = default;
    virtual void Unregister(int id) = 0;
    virtual void Register(int id, unsigned virtualKey) = 0;
};

}  // namespace tallyvox
