// Scaling a 96-DPI length to a window's DPI.
#include "ui/DisplayScale.h"

#include <cstdint>

namespace tallyvox {

int ScaleToDpi(int length, int dpi) {
    if (dpi <= 0) dpi = kDesignDpi;
    const std::int64_t product = static_cast<std::int64_t>(length) * dpi;
    const std::int64_t half = kDesignDpi / 2;
    const std::int64_t rounded =
        product >= 0 ? (product + half) / kDesignDpi : -((-product + half) / kDesignDpi);
    return static_cast<int>(rounded);
}

}  // namespace tallyvox
