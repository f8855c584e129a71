// The count panel: a raised face showing a slot's count in the count's colour, taking mouse
// presses, releases and double clicks for the overlay.
#pragma once

#include <windows.h>

#include "platform/Window_win32.h"

namespace tallyvox {

enum class MouseButton { Left, Right, Middle };

class CountPanelListener {
  public:
    virtual ~CountPanelListener() = default;
    virtual void OnPanelMouseDown(int slot, MouseButton button) = 0;
    virtual void OnPanelMouseUp(int slot, MouseButton button) = 0;
    virtual void OnPanelMouseMove(int slot) = 0;
    virtual void OnPanelDoubleClick(int slot) = 0;
};

class CountPanel : public WindowOwner {
  public:
    static constexpr const wchar_t* kClassName = L"TallyvoxCountPanel";

    // Creates the child window at `at`, sized for `dpi`; its text is the caption (WM_GETTEXT
    // reads it).
    CountPanel(HWND parent, int slot, int controlId, POINT at, HFONT font, int dpi,
               CountPanelListener& listener);
    CountPanel(const CountPanel&) = delete;
    CountPanel& operator=(const CountPanel&) = delete;

    HWND Handle() const { return hwnd_; }
    void SetColor(COLORREF color);
    // The window's DPI changed: its size and font follow.
    void Rescale(HFONT font, int dpi);

  private:
    LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Paint();

    int slot_;
    HFONT font_;
    COLORREF color_;
    CountPanelListener& listener_;
};

}  // namespace tallyvox
