// The standard error box: the program's title, an error icon and one OK button.
#pragma once

#include <windows.h>

#include <string>

namespace tallyvox {

// `message` is GBK text, shown as it stands.
void ShowErrorBox(HWND owner, const std::string& message);

}  // namespace tallyvox
