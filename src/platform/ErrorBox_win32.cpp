// The error box.
#include "platform/ErrorBox_win32.h"

#include "text/Gbk_win32.h"

namespace tallyvox {

void ShowErrorBox(HWND owner, const std::string& message) {
    MessageBoxW(owner, FromGbk(message).c_str(), L"Tallyvox", MB_OK | MB_ICONERROR);
}

}  // namespace tallyvox
