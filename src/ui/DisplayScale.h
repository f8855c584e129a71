// The program's lengths are designed at 96 DPI (100 % display scale). A window on a display of
// another scale takes each of them through this one rule.
#pragma once

namespace tallyvox {

constexpr int kDesignDpi = 96;

// `length` in 96-DPI pixels, at `dpi`: length × dpi / 96 rounded half away from zero, as the
// system's MulDiv rounds. A DPI of 0 or below counts as 96.
int ScaleToDpi(int length, int dpi);

}  // namespace tallyvox
