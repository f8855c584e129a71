// The hint popup: sized to its text, painted in the system's tooltip colours.
#include "app/HintWindow_win32.h"

#include <algorithm>

#include "platform/Dpi_win32.h"
#include "platform/Window_win32.h"
#include "ui/DisplayScale.h"

namespace tallyvox {

namespace {

constexpr int kPadding = 3;  // between the border and the text, at 96 DPI
constexpr UINT kTextFormat = DT_SINGLELINE | DT_NOPREFIX;

}  // namespace

HintWindow::HintWindow(HWND owner) : owner_(owner) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
    RegisterClassOnce(ProgramWindowClass(instance, kClassName,
                                         &WindowThunk<HintWindow, &HintWindow::HandleMessage>));
    CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName, L"",
                    WS_POPUP | WS_BORDER, 0, 0, 0, 0, owner, nullptr, instance, this);
}

HintWindow::~HintWindow() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
    if (font_ != nullptr) DeleteObject(font_);
}

void HintWindow::Show(const std::wstring& text, POINT at, int dpi) {
    if (hwnd_ == nullptr) return;
    UseFontAt(dpi);
    SetWindowTextW(hwnd_, text.c_str());

    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, font_);
    RECT textRect{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              kTextFormat | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);

    const int padding = ScaleToDpi(kPadding, fontDpi_);
    const SIZE frame = FrameSizeAt(WS_POPUP | WS_BORDER, WS_EX_TOOLWINDOW, fontDpi_);
    const int width = textRect.right + 2 * padding + frame.cx;
    const int height = textRect.bottom + 2 * padding + frame.cy;
    // Kept inside the monitor, as the system's tooltips are.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& area = monitor.rcMonitor;
    const int left = std::max(area.left, std::min(at.x, area.right - width));
    const int top = std::max(area.top, std::min(at.y, area.bottom - height));
    SetWindowPos(hwnd_, HWND_TOPMOST, left, top, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void HintWindow::Hide() {
    if (hwnd_ != nullptr && IsWindowVisible(hwnd_)) ShowWindow(hwnd_, SW_HIDE);
}

void HintWindow::UseFontAt(int dpi) {
    if (font_ != nullptr && fontDpi_ == dpi) return;
    if (font_ != nullptr) DeleteObject(font_);
    font_ = CreateProgramFont(ScaleToDpi(-12, dpi), FW_NORMAL, true);
    fontDpi_ = dpi;
}

void HintWindow::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT rect;
    GetClientRect(hwnd_, &rect);
    FillRect(dc, &rect, GetSysColorBrush(COLOR_INFOBK));
    DrawCentredWindowText(hwnd_, dc, rect, font_, GetSysColor(COLOR_INFOTEXT));
    EndPaint(hwnd_, &ps);
}

LRESULT HintWindow::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_NCHITTEST:
            // The mouse goes to whatever lies below, as over a tooltip.
            return HTTRANSPARENT;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_PAINT:
            Paint();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace tallyvox
