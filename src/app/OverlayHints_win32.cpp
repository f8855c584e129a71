// Mouse messages and timers of the overlay in, the hint window shown and hidden.
#include "app/OverlayHints_win32.h"

#include <utility>

#include "app/OverlayTimers.h"
#include "ui/DisplayScale.h"

namespace tallyvox {

namespace {

constexpr UINT_PTR kShowTimerId = overlay_timers::kHintShow;
constexpr UINT_PTR kPopTimerId = overlay_timers::kHintPop;
constexpr int kBelowPointer = 20;  // where the system's own tooltips show their text, at 96 DPI

UINT_PTR TimerId(HintHost::Timer timer) {
    return timer == HintHost::Timer::Show ? kShowTimerId : kPopTimerId;
}

}  // namespace

void OverlayHints::Attach(HWND owner, TextOf textOf, std::function<int()> dpiOf) {
    owner_ = owner;
    textOf_ = std::move(textOf);
    dpiOf_ = std::move(dpiOf);
}

void OverlayHints::OnSetCursor(HWND under, UINT mouseMessage) {
    if (owner_ == nullptr) return;
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
    if (owner_ != nullptr) hint_.OnLeave(GetDlgCtrlID(tool));
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
    const std::wstring text = textOf_(tool);
    if (text.empty()) return;
    if (window_ == nullptr) window_ = std::make_unique<HintWindow>(owner_);
    POINT cursor;
    GetCursorPos(&cursor);
    // At the overlay's own DPI: where the system has no per-window DPI, it tells only its one.
    const int dpi = dpiOf_();
    cursor.y += ScaleToDpi(kBelowPointer, dpi);
    window_->Show(text, cursor, dpi);
}

void OverlayHints::HideHint() {
    if (window_ != nullptr) window_->Hide();
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
