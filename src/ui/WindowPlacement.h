// Where a top-level window stands on the screen when its scale changes or when it opens over
// another window, in screen pixels.
#pragma once

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

}  // namespace tallyvox
