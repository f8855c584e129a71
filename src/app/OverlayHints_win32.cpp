// Mouse messages and timers of the overlay in, tracking-tooltip calls out.
#include "app/OverlayHints_win32.h"

#include <commctrl.h>

namespace tallyvox {

namespace {

// Timer IDs on the owner, clear of the slots' tickers (1..8).
constexpr UINT_PTR kShowTimerId = 0x4801;
constexpr UINT_PTR kPopTimerId = 0x4802;
constexpr int kBelowPointer = 20;  // where the system's own tooltips show their text

UINT_PTR TimerId(HintHost::Timer timer) {
    return timer == HintHost::Timer::Show ? kShowTimerId : kPopTimerId;
}

TOOLINFOW ToolInfo(HWND owner, int tool) {
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(owner, tool));
    return info;
}

}  // namespace

void OverlayHints::Attach(HWND owner, HWND tooltip) {
    owner_ = owner;
    tooltip_ = tooltip;
}

void OverlayHints::OnSetCursor(HWND under, UINT mouseMessage) {
    if (tooltip_ == nullptr) return;
    switch (mouseMessage) {
        case WM_MOUSEMOVE: {
            const DWORD pos = GetMessagePos();
            const int tool =
                under != owner_ && GetParent(under) == owner_ ? GetDlgCtrlID(under) : 0;
            hint_.OnMove(tool, static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos)));
            break;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            hint_.OnPress();
            break;
        default:
            break;
    }
}

void OverlayHints::OnToolLeft(HWND tool) {
    if (tooltip_ != nullptr) hint_.OnLeave(GetDlgCtrlID(tool));
}

bool OverlayHints::OnTimer(WPARAM id) {
    if (id != kShowTimerId && id != kPopTimerId) return false;
    // Windows' timers repeat; the hints' fire once.
    KillTimer(owner_, id);
    hint_.OnTimer(id == kShowTimerId ? Timer::Show : Timer::Pop);
    return true;
}

void OverlayHints::StartTimer(Timer timer, int ms) {
    SetTimer(owner_, TimerId(timer), static_cast<UINT>(ms), nullptr);
}

void OverlayHints::StopTimer(Timer timer) {
    KillTimer(owner_, TimerId(timer));
}

void OverlayHints::ShowHint(int tool) {
    POINT cursor;
    GetCursorPos(&cursor);
    SendMessageW(tooltip_, TTM_TRACKPOSITION, 0, MAKELPARAM(cursor.x, cursor.y + kBelowPointer));
    TOOLINFOW info = ToolInfo(owner_, tool);
    SendMessageW(tooltip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&info));
    shownTool_ = tool;
}

void OverlayHints::HideHint() {
    TOOLINFOW info = ToolInfo(owner_, shownTool_);
    SendMessageW(tooltip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&info));
}

void OverlayHints::WatchLeave(int tool) {
    TrackLeave(tool, TME_LEAVE);
}

void OverlayHints::StopWatchingLeave(int tool) {
    TrackLeave(tool, TME_LEAVE | TME_CANCEL);
}

void OverlayHints::TrackLeave(int tool, DWORD flags) {
    TRACKMOUSEEVENT track{sizeof(track), flags, GetDlgItem(owner_, tool), 0};
    TrackMouseEvent(&track);
}

}  // namespace tallyvox
