// Count panel window class: painting and mouse forwarding.
#include "app/CountPanel_win32.h"

#include <string>

#include "platform/Window_win32.h"
#include "timers/SlotDisplay.h"
#include "ui/DisplayScale.h"

namespace tallyvox {

namespace {

constexpr int kWidth = 28;  // at 96 DPI
constexpr int kHeight = 20;

void RegisterPanelClass(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXW wc = ProgramWindowClass(instance, CountPanel::kClassName, proc);
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    RegisterClassOnce(wc);
}

}  // namespace

CountPanel::CountPanel(HWND parent, int slot, int controlId, POINT at, HFONT font, int dpi,
                       CountPanelListener& listener)
    : slot_(slot), font_(font), color_(kColorBlue), listener_(listener) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    RegisterPanelClass(instance, &WindowThunk<CountPanel, &CountPanel::HandleMessage>);
    hwnd_ =
        CreateWindowExW(0, kClassName, L"100", WS_CHILD | WS_VISIBLE, at.x, at.y,
                        ScaleToDpi(kWidth, dpi), ScaleToDpi(kHeight, dpi), parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), instance, this);
}

void CountPanel::Rescale(HFONT font, int dpi) {
    font_ = font;
    SetWindowPos(hwnd_, nullptr, 0, 0, ScaleToDpi(kWidth, dpi), ScaleToDpi(kHeight, dpi),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void CountPanel::SetColor(COLORREF color) {
    if (color == color_) return;
    color_ = color;
    InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT CountPanel::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_SETTEXT: {
            const LRESULT result = DefWindowProcW(hwnd, msg, wParam, lParam);
            InvalidateRect(hwnd_, nullptr, TRUE);
            return result;
        }
        case WM_LBUTTONDOWN:
            listener_.OnPanelMouseDown(slot_, MouseButton::Left);
            return 0;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            listener_.OnPanelMouseDown(slot_, MouseButton::Right);
            return 0;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            listener_.OnPanelMouseDown(slot_, MouseButton::Middle);
            return 0;
        case WM_LBUTTONDBLCLK:
            // The second press of a double click toggles the slot, then drags like any press.
            listener_.OnPanelDoubleClick(slot_);
            listener_.OnPanelMouseDown(slot_, MouseButton::Left);
            return 0;
        case WM_LBUTTONUP:
            listener_.OnPanelMouseUp(slot_, MouseButton::Left);
            return 0;
        case WM_RBUTTONUP:
            listener_.OnPanelMouseUp(slot_, MouseButton::Right);
            return 0;
        case WM_MBUTTONUP:
            listener_.OnPanelMouseUp(slot_, MouseButton::Middle);
            return 0;
        case WM_MOUSEMOVE:
            listener_.OnPanelMouseMove(slot_);
            return 0;
        case WM_MOUSELEAVE:
            // The overlay watches the pointer leave for its hint.
            SendMessageW(GetParent(hwnd_), WM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(hwnd_));
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void CountPanel::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT rect;
    GetClientRect(hwnd_, &rect);
    FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &rect, BDR_RAISEDINNER, BF_RECT);
    DrawCentredWindowText(hwnd_, dc, rect, font_, color_);
    EndPaint(hwnd_, &ps);
}

}  // namespace tallyvox
