// The saver's timer window and its box.
#include "settings/SaverWindow_win32.h"

#include <utility>

#include "platform/Window_win32.h"
#include "text/Gbk_win32.h"

namespace tallyvox {

namespace {

constexpr const wchar_t* kClassName = L"TallyvoxSaver";
constexpr UINT_PTR kRetryTimer = 1;

}  // namespace

SaverWindow::SaverWindow(HINSTANCE instance, SettingsStore& store, std::string path,
                         std::function<HWND()> boxOwner)
    : instance_(instance), boxOwner_(std::move(boxOwner)), saver_(store, std::move(path), *this) {}

SaverWindow::~SaverWindow() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

void SaverWindow::StartRetryTimer(int ms) {
    if (hwnd_ == nullptr) {
        RegisterClassOnce(ProgramWindowClass(
            instance_, kClassName, &WindowThunk<SaverWindow, &SaverWindow::HandleMessage>));
        CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance_, this);
    }
    // Without its window the save is not retried but reported at the program's end (Finish).
    if (hwnd_ != nullptr) SetTimer(hwnd_, kRetryTimer, static_cast<UINT>(ms), nullptr);
}

void SaverWindow::StopRetryTimer() {
    if (hwnd_ != nullptr) KillTimer(hwnd_, kRetryTimer);
}

void SaverWindow::ShowSaveFailure(const std::string& message) {
    MessageBoxW(boxOwner_(), FromUtf8(message).c_str(), L"Tallyvox",
                MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
}

LRESULT SaverWindow::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_TIMER:
            if (wParam == kRetryTimer) saver_.OnRetryTimer();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace tallyvox
