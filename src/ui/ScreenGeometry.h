// The sizes and rectangles both top-level windows are measured in: pixels, right and bottom
// exclusive.
#pragma once

namespace tallyvox {

struct WindowSize {
    int width, height;
};

struct ScreenRect {
    int left, top, right, bottom;
    bool operator==(const ScreenRect&) const = default;
};

}  // namespace tallyvox
