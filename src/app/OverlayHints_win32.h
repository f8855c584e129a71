// The overlay's hints in a window of our own, shown and hidden by HoverHint from mouse messages.
// A tooltip that follows the mouse itself (TTF_SUBCLASS) polls the pointer every 100 ms for as
// long as it rests on a tool, long after the hint has gone.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/HintWindow_win32.h"
#include "app/HoverHint.h"

namespace tallyvox {

class OverlayHints : private HintHost {
  public:
    OverlayHints() = default;
    OverlayHints(const OverlayHints&) = delete;
    OverlayHints& operator=(const OverlayHints&) = delete;

    // The tools are the children of owner; `textOf` gives a tool's hint (by control ID) when it
    // shows, empty for none; `dpiOf` the owner's DPI, which the hint is drawn at. Until
    // attached, the hints do nothing.
    using TextOf = std::function<std::wstring(int tool)>;
    void Attach(HWND owner, TextOf textOf, std::function<int()> dpiOf);

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
    TextOf textOf_;
    std::function<int()> dpiOf_;
    std::unique_ptr<HintWindow> window_;  // made when the first hint shows
    HoverHint hint_{*this};
};

}  // namespace tallyvox
