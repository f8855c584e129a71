// The overlay's hint: one line of text in a small popup of our own beside the pointer. A
// common-controls tooltip would load comctl32 (some 3 MiB of working set) for it.
#pragma once

#include <windows.h>

#include "platform/Window_win32.h"

#include <string>

namespace tallyvox {

class HintWindow : public WindowOwner {
  public:
    static constexpr const wchar_t* kClassName = L"TallyvoxHint";

    // Made hidden, owned by `owner` (so it goes with it and never shows in the taskbar).
    explicit HintWindow(HWND owner);
    ~HintWindow();
    HintWindow(const HintWindow&) = delete;
    HintWindow& operator=(const HintWindow&) = delete;

    // Shows `text` (its window text) with its top-left corner at `at`, kept on that monitor, in
    // the font of `dpi`, the owner's; takes neither the focus nor the mouse.
    void Show(const std::wstring& text, POINT at, int dpi);
    void Hide();

  private:
    LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Paint();
    void UseFontAt(int dpi);

    HWND owner_;
    HFONT font_ = nullptr;
    int fontDpi_ = 0;
};

}  // namespace tallyvox
