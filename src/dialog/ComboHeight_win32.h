// Giving a combo box the closed height and the open rows its design asks for.
#pragma once

#include <windows.h>

namespace tallyvox {

// Sizes the open list to `openRows` rows and the closed box to `height` pixels.
void FitComboHeight(HWND combo, int height, int openRows);

}  // namespace tallyvox
