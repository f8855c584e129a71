// Window rectangles for a change of scale and for a window opened over another.
#include "ui/WindowPlacement.h"

#include <algorithm>

namespace tallyvox {

namespace {

// `size` with its top-left corner at (left, top).
ScreenRect At(int left, int top, WindowSize size) {
    return {left, top, left + size.width, top + size.height};
}

// The start of a span of `length` centred on [from, to).
int Centred(int from, int to, int length) {
    return from + (to - from - length) / 2;
}

// The start of a span of `length` moved inside [from, to), the start kept inside if too long.
int Inside(int start, int length, int from, int to) {
    return std::max(from, std::min(start, to - length));
}

}  // namespace

ScreenRect PlaceForNewScale(const ScreenRect& suggested, WindowSize size) {
    return At(Centred(suggested.left, suggested.right, size.width),
              Centred(suggested.top, suggested.bottom, size.height), size);
}

ScreenRect CentreOverInWorkArea(const ScreenRect& owner, WindowSize size,
                                const ScreenRect& workArea) {
    const int left = Centred(owner.left, owner.right, size.width);
    const int top = Centred(owner.top, owner.bottom, size.height);
    return At(Inside(left, size.width, workArea.left, workArea.right),
              Inside(top, size.height, workArea.top, workArea.bottom), size);
}

int DpiForOwnedWindow(int ownerDpi, int systemOwnerDpi, int systemWindowDpi) {
    return systemWindowDpi != systemOwnerDpi ? systemWindowDpi : ownerDpi;
}

void ScaleChanges::Changed(int dpi, const Apply& apply) {
    if (dpi <= 0) return;
    dpi_ = dpi;
    if (applying_) return;  // brought by the window's own move: taken, not followed
    applying_ = true;
    struct Done {
        bool& applying;
        ~Done() { applying = false; }
    } done{applying_};
    apply(dpi, true);
    if (dpi_ != dpi) apply(dpi_, false);
}

}  // namespace tallyvox
