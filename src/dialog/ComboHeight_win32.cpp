// Combo box heights: set, then measured and corrected.
#include "dialog/ComboHeight_win32.h"

#include <commctrl.h>

namespace tallyvox {

void FitComboHeight(HWND combo, int height, int openRows) {
    // The open list: its rows and two pixels of frame, below the closed box. Resizing a combo
    // box lays out its selection field anew, so this comes first.
    const auto rowHeight = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0));
    SendMessageW(combo, CB_SETMINVISIBLE, openRows, 0);
    RECT rect;
    GetWindowRect(combo, &rect);
    SetWindowPos(combo, nullptr, 0, 0, rect.right - rect.left, height + openRows * rowHeight + 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The closed box's height follows its selection field; how much its borders add differs
    // between systems (and Wine reads back another field height than it was given), so
    // measure and correct.
    auto request = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, -1, 0));
    for (int attempt = 0; attempt < 4; ++attempt) {
        GetWindowRect(combo, &rect);
        const int actual = static_cast<int>(rect.bottom - rect.top);
        if (actual == height) break;
        request += height - actual;
        SendMessageW(combo, CB_SETITEMHEIGHT, -1, request);
    }
}

}  // namespace tallyvox
