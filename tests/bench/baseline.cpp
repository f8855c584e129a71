// The floor the benchmark measures tallyvox.exe against: the least Win32 program with a comparable
// window (topmost colour-keyed popup, eight labels, eight count panels, one hotkey, one ticker).
#include <windows.h>

#include "BaselineIds.h"

namespace {

constexpr COLORREF kKeyGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 128, 0);

HBRUSH g_keyBrush;
HWND g_panel;
COLORREF g_panelColor = kBlue;
int g_count = tallyvox::bench::kBaselineStartCount;

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_TIMER: {
            g_count = g_count > 0 ? g_count - 1 : tallyvox::bench::kBaselineStartCount;
            wchar_t text[12];
            wsprintfW(text, L"%d", g_count);
            SetWindowTextW(g_panel, text);
            return 0;
        }
        case WM_HOTKEY:
            g_panelColor = g_panelColor == kBlue ? kGreen : kBlue;
            InvalidateRect(g_panel, nullptr, TRUE);
            return 0;
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
            if (id >= tallyvox::bench::kPanelIdBase) {
                SetTextColor(dc, id == tallyvox::bench::kPanelIdBase + 1 ? g_panelColor : kBlue);
                SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
            }
            SetBkColor(dc, kKeyGreen);
            return reinterpret_cast<LRESULT>(g_keyBrush);
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    using namespace tallyvox::bench;
    g_keyBrush = CreateSolidBrush(kKeyGreen);
    WNDCLASSW wc{};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = g_keyBrush;
    wc.lpszClassName = kBaselineClass;
    RegisterClassW(&wc);

    HWND hwnd =
        CreateWindowExW(WS_EX_LAYERED | WS_EX_TOPMOST, kBaselineClass, kBaselineTitle, WS_POPUP,
                        kBaselineLeft, kBaselineTop, 176, 113, nullptr, nullptr, instance, nullptr);
    SetLayeredWindowAttributes(hwnd, kKeyGreen, 0, LWA_COLORKEY);
    // The same non-anti-aliased face as the overlay, so text costs the same to draw.
    HFONT font = CreateFontW(-12, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, GB2312_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, L"宋体");
    for (int slot = 1; slot <= 8; ++slot) {
        const int left = (slot - 1) % 2 * 86;
        const int top = (slot - 1) / 2 * 28;
        wchar_t title[8];
        wsprintfW(title, L"标题%d", slot);
        HWND label = CreateWindowExW(
            0, L"STATIC", title, WS_CHILD | WS_VISIBLE, left, top + 8, 50, 14, hwnd,
            reinterpret_cast<HMENU>(INT_PTR{kLabelIdBase + slot}), instance, nullptr);
        HWND panel = CreateWindowExW(
            0, L"STATIC", L"99", WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE, left + 56,
            top + 4, 28, 20, hwnd, reinterpret_cast<HMENU>(INT_PTR{kPanelIdBase + slot}), instance,
            nullptr);
        SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        SendMessageW(panel, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (slot == 1) g_panel = panel;
    }
    RegisterHotKey(hwnd, 1, 0, kBaselineHotKey);
    SetTimer(hwnd, 1, 985, nullptr);
    ShowWindow(hwnd, SW_SHOWNA);
    UpdateWindow(hwnd);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
