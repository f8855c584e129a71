// One error box at a time.
#include "ui/ErrorReporter.h"

namespace tallyvox {

void ErrorReporter::Report(const std::string& message) {
    if (boxOpen_) return;
    boxOpen_ = true;
    try {
        showBox_(message + ".");
    } catch (...) {
        boxOpen_ = false;
        throw;
    }
    boxOpen_ = false;
}

}  // namespace tallyvox
