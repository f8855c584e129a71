// Red key names and their tooltips.
#include "dialog/KeyBoxWarnings_win32.h"

#include <commctrl.h>

#include <utility>

#include "dialog/DialogControls_win32.h"
#include "timers/TimerSlot.h"
#include "ui/DisplayScale.h"

namespace tallyvox {

namespace {

constexpr COLORREF kProblemColor = RGB(255, 0, 0);
// At 96 DPI. A maximum width makes the tooltip break lines where the reason says.
constexpr int kTipWidth = 480;

// A key name that was never registered has no reason of its own to give; its red says it.
const wchar_t* TipOf(HotKeyProblem problem) {
    switch (problem) {
        case HotKeyProblem::Refused:
            return L"该热键已被其他程序或计时器占用";
        case HotKeyProblem::UnknownName:
            return L"不是可用的热键。可以用 F1～F24、Num0～Num9、Pause 等单键，\r\n"
                   L"或 Ctrl/Alt/Shift/Win 加一个键，例如 Ctrl+F1、Alt+Num3。\r\n"
                   L"“+”要用半角加号，输入法打出的全角“＋”不行";
        case HotKeyProblem::TypingKey:
            return L"字母、数字、空格、回车、方向键等要加 Ctrl、Alt 或 Win，\r\n"
                   L"否则所有程序都无法再输入这个键";
        case HotKeyProblem::ClosesWindow:
            return L"Alt+F4 用于关闭窗口，不能用作热键";
        case HotKeyProblem::EditKey:
            return L"Ctrl+A/C/V/X/Z 是各程序的编辑键，不能用作热键";
        case HotKeyProblem::ShiftedKeypad:
            return L"NumLock 打开时，Windows 把 Shift 加小键盘数字或 Num. 当作方向键等送出，\r\n"
                   L"这个热键永远收不到，请去掉 Shift";
        case HotKeyProblem::None:
        case HotKeyProblem::NotRegistered:
            break;
    }
    return L"";
}

// Not red: the key works, but a game run as administrator may keep it.
const wchar_t kElevatedGameNote[] =
    L"游戏以管理员身份运行时可能收不到这个键：请加 Ctrl 或 Alt，或者也以管理员身份运行 Tallyvox";

TOOLINFOW ToolOf(HWND combo, const wchar_t* text) {
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = GetParent(combo);
    info.uId = reinterpret_cast<UINT_PTR>(ComboEditOf(combo));
    info.lpszText = const_cast<wchar_t*>(text);
    return info;
}

}  // namespace

void KeyBoxWarnings::Create(HINSTANCE instance, HWND owner, int dpi,
                            std::function<HWND(int)> keyBox) {
    keyBox_ = std::move(keyBox);
    tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                            nullptr, instance, nullptr);
    SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, ScaleToDpi(kTipWidth, dpi));
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        TOOLINFOW info = ToolOf(keyBox_(slot), L"");
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

void KeyBoxWarnings::Show(const std::function<HotKeyProblem(int)>& problemOf,
                          const std::function<bool(int)>& mayMissElevatedGames) {
    if (tips_ == nullptr) return;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const HotKeyProblem problem = problemOf(slot);
        const bool note = problem == HotKeyProblem::None && mayMissElevatedGames(slot);
        if (problem == shown_[slot] && note == noted_[slot]) continue;
        shown_[slot] = problem;
        noted_[slot] = note;
        HWND combo = keyBox_(slot);
        TOOLINFOW info = ToolOf(combo, note ? kElevatedGameNote : TipOf(problem));
        SendMessageW(tips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
        InvalidateRect(ComboEditOf(combo), nullptr, TRUE);
    }
}

void KeyBoxWarnings::Colour(HWND edit, HDC dc) const {
    if (!keyBox_) return;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (shown_[slot] != HotKeyProblem::None && ComboEditOf(keyBox_(slot)) == edit) {
            SetTextColor(dc, kProblemColor);
        }
    }
}

}  // namespace tallyvox
