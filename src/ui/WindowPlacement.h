// Where a top-level window stands on the screen when its scale changes or when it opens over
// another window, in screen pixels.
#pragma once

#include <functional>

#include "ui/ScreenGeometry.h"

namespace tallyvox {

// The rectangle a window of `size` takes when the system moves it to a monitor of another
// scale and suggests `suggested`: the suggestion itself when the system already sized it for
// the window, otherwise `size` centred on it, so that the window stays where the system put
// it (under the pointer of a drag) whichever way it was dragged.
ScreenRect PlaceForNewScale(const ScreenRect& suggested, WindowSize size);

// A window of `size` over the middle of `owner`, then moved inside `workArea` (the work area
// of the owner's monitor, which leaves out a taskbar on any side). A window larger than the
// work area shows its top-left part.
ScreenRect CentreOverInWorkArea(const ScreenRect& owner, WindowSize size,
                                const ScreenRect& workArea);

// The DPI a window that the overlay owns (the settings dialog) is built at: the overlay's own,
// `ownerDpi`, the one its last WM_DPICHANGED gave. The system's answers for the two windows
// count only where they differ, as the system then put the new window on a monitor of another
// scale. Where the system has no per-window DPI (Windows 8.1, Windows 10 before 1607) it answers
// its one DPI for both, as Wine answers the desktop's one DPI.
int DpiForOwnedWindow(int ownerDpi, int systemOwnerDpi, int systemWindowDpi);

// A window's DPI as its WM_DPICHANGED messages give it. Each change moves the window to the
// rectangle the system suggests and lays it out at the new DPI. A change that this move itself
// brings is not followed with another move (a window straddling two monitors would grow and
// shrink in turn), but the window's DPI has changed all the same: once the move is done, the
// window is laid out once more, where it stands, at the DPI it then has.
class ScaleChanges {
  public:
    // `apply(dpi, toSuggestion)` moves the window to the system's suggestion (or, when false,
    // keeps it where it stands) and lays it out at `dpi`.
    using Apply = std::function<void(int dpi, bool toSuggestion)>;

    explicit ScaleChanges(int dpi) : dpi_(dpi) {}
    // The DPI the last WM_DPICHANGED gave; the one the window was made at before any.
    int Dpi() const { return dpi_; }
    // WM_DPICHANGED for `dpi`.
    void Changed(int dpi, const Apply& apply);

  private:
    int dpi_;
    bool applying_ = false;
};

}  // namespace tallyvox
