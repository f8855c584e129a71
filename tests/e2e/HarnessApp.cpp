// The stand-in program behind the Harness tests: a topmost window with the kinds of controls
// tallyvox.exe has, each reporting what input reached it in a text the driver can read.
#include "HarnessApp.h"

#include <windows.h>

#include <string>

namespace tallyvox::e2e::harness {
namespace {

struct Counters {
    int down = 0, dbl = 0, right = 0, selchange = 0, hot = 0, boxes = 0;
};
Counters counters;

void SetInfo(HWND parent, int id, const std::wstring& text) {
    SetWindowTextW(GetDlgItem(parent, id), text.c_str());
}

LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    switch (msg) {
        case WM_LBUTTONDOWN:
            ++counters.down;
            break;
        case WM_LBUTTONDBLCLK:
            ++counters.dbl;
            break;
        case WM_RBUTTONUP:
            ++counters.right;
            break;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(hwnd, &paint);
            RECT rect;
            GetClientRect(hwnd, &rect);
            HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
            FillRect(dc, &rect, red);
            DeleteObject(red);
            EndPaint(hwnd, &paint);
            return 0;
        }
        default:
            return DefWindowProcW(hwnd, msg, wparam, lparam);
    }
    std::wstring caption = L"down=" + std::to_wstring(counters.down) + L" dbl=" +
                           std::to_wstring(counters.dbl) + L" right=" +
                           std::to_wstring(counters.right);
    SetWindowTextW(hwnd, caption.c_str());
    return 0;
}

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int id, int x, int y,
           int w, int h) {
    return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

LRESULT CALLBACK MainProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    switch (msg) {
        case WM_CREATE: {
            Child(hwnd, L"STATIC", L"\u591a\u6392", 0, kLabel, 10, 10, 200, 20);
            Child(hwnd, L"HarnessPanel", L"down=0 dbl=0 right=0", 0, kPanel, kPanelLeft, kPanelTop,
                  kPanelWidth, kPanelHeight);
            Child(hwnd, L"EDIT", L"", WS_BORDER | ES_AUTOHSCROLL, kEdit, 10, 110, 200, 24);
            HWND combo = Child(hwnd, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL, kCombo, 230,
                               10, 150, 120);
            for (int i = 0; i < 12; ++i) {
                std::wstring item = L"F" + std::to_wstring(i + 1);
                SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
                SendMessageW(combo, CB_SETITEMDATA, i, 10 * i);
            }
            Child(hwnd, L"STATIC", L"sel=0:-1", 0, kSelInfo, 230, 40, 150, 20);
            Child(hwnd, L"STATIC", L"hot=0", 0, kHotInfo, 230, 70, 150, 20);
            Child(hwnd, L"BUTTON", L"Box", BS_PUSHBUTTON, kBoxButton, 230, 100, 80, 26);
            Child(hwnd, L"STATIC", L"box=0", 0, kBoxInfo, 230, 130, 150, 20);
            RegisterHotKey(hwnd, 1, 0, kHotKey);
            return 0;
        }
        case WM_COMMAND:
            if (LOWORD(wparam) == kCombo && HIWORD(wparam) == CBN_SELCHANGE) {
                ++counters.selchange;
                LRESULT index = SendMessageW(reinterpret_cast<HWND>(lparam), CB_GETCURSEL, 0, 0);
                SetInfo(
                    hwnd, kSelInfo,
                    L"sel=" + std::to_wstring(counters.selchange) + L":" + std::to_wstring(index));
            } else if (LOWORD(wparam) == kBoxButton && HIWORD(wparam) == BN_CLICKED) {
                MessageBoxW(hwnd, L"\u8f6c\u6362\u9519\u8bef", kBoxTitle, MB_OK);
                SetInfo(hwnd, kBoxInfo, L"box=" + std::to_wstring(++counters.boxes));
            }
            return 0;
        case WM_HOTKEY:
            SetInfo(hwnd, kHotInfo, L"hot=" + std::to_wstring(++counters.hot));
            return 0;
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return 0;
        case WM_DESTROY:
            UnregisterHotKey(hwnd, 1);
            PostQuitMessage(kExitCode);
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, wparam, lparam);
    }
}

}  // namespace

int RunHarnessApp() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW panel{};
    panel.style = CS_DBLCLKS;
    panel.lpfnWndProc = PanelProc;
    panel.hInstance = instance;
    panel.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    panel.lpszClassName = L"HarnessPanel";
    RegisterClassW(&panel);

    WNDCLASSW main{};
    main.lpfnWndProc = MainProc;
    main.hInstance = instance;
    main.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    main.lpszClassName = kClass;
    RegisterClassW(&main);

    HWND hwnd = CreateWindowExW(WS_EX_TOPMOST, kClass, kTitle, WS_POPUP | WS_VISIBLE, kLeft, kTop,
                                kWidth, kHeight, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace tallyvox::e2e::harness
