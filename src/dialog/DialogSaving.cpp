// The moments a shown settings dialog stores its controls.
#include "dialog/DialogSaving.h"

namespace tallyvox {

void DialogSaving::Shown() {
    open_ = true;
    storedForSessionEnd_ = false;
}

void DialogSaving::Hidden() {
    open_ = false;
}

bool DialogSaving::Close() {
    const bool stores = open_;
    open_ = false;
    return stores;
}

bool DialogSaving::SessionEnd(bool ending) {
    if (!ending || !open_ || storedForSessionEnd_) return false;
    storedForSessionEnd_ = true;
    return true;
}

}  // namespace tallyvox
