// The overlay's hints on a tracking tooltip, shown and hidden by HoverHint. A tooltip that
// follows the mouse itself (TTF_SUBCLASS) polls the pointer every 100 ms for as long as it rests
// on a tool, long after the hint has gone; this one is told by mouse messages instead.
#pragma once

#include <windows.h>

#include "app/HoverHint.h"

namespace tallyvox {

class OverlayHints : private HintHost {
  public:
    OverlayHints() = default;
    OverlayHints(const OverlayHints&) = delete;
    OverlayHints& operator=(const OverlayHints&) = delete;

    // The tooltip holds one TTF_TRACK tool per child of owner (uId the child's handle). Until
    // attached, the hints do nothing.
    void Attach(HWND owner, HWND tooltip);

    // WM_SETCURSOR of the owner: `under` is the window under the pointer, `mouseMessage` the
    // mouse message that moved it there (HIWORD of lParam).
    void OnSetCursor(HWND under, UINT mouseMessage);
    // WM_MOUSELEAVE that a tool window passes on to the owner.
    void OnToolLeft(HWND tool);
    // WM_TIMER of the owner: true when it was one of the hints' timers.
    bool OnTimer(WPARAM id);

  private:
    void StartTimer(Timer timer, int ms) override;
    void StopTimer(Timer timer) override;
    void ShowHint(int tool) override;
    void HideHint() override;
    void WatchLeave(int tool) override;
    void StopWatchingLeave(int tool) override;
    void TrackLeave(int tool, DWORD flags);

    HWND owner_ = nullptr;
    HWND tooltip_ = nullptr;
    int shownTool_ = 0;
    HoverHint hint_{*this};
};

}  // namespace tallyvox
