// The floors the benchmark measures tallyvox.exe against, built twice from this file:
// - tallyvox_baseline.exe, the least Win32 program with a comparable window: a topmost
//   colour-keyed popup with eight title labels and eight count panels in the overlay's font, and
//   one count that a hotkey starts (blue, its 985 ms ticker counting down) and stops (green);
// - tallyvox_baseline_same_work.exe (BASELINE_SAME_WORK), the overlay's visible work and its
//   speaking done the plainest way: all eight counts, each with its own hotkey and ticker, on
//   the overlay's raised panel face, and a second thread waiting in GetMessage that speaks each
//   tick's count from the same clips, as the same resources, with the same sndPlaySoundA call.
#include <windows.h>

#include <string>

#include "BaselineIds.h"
#include "voice/TMyThread.h"

namespace {

using namespace tallyvox::bench;
namespace ids = tallyvox::ids;

#ifdef BASELINE_SAME_WORK
constexpr bool kSameWork = true;
#else
constexpr bool kSameWork = false;
#endif
constexpr int kCounts = kSameWork ? 8 : 1;
constexpr unsigned kFirstHotKey = kSameWork ? kSameWorkFirstHotKey : kMinimalHotKey;
constexpr UINT kSpeak = WM_APP;  // to the speaker: lParam is the number

constexpr COLORREF kKeyGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 128, 0);

struct Count {
    HWND panel = nullptr;
    int value = kBaselineStartCount;
    bool running = false;
    COLORREF color = kBlue;
};

HBRUSH g_keyBrush;
HFONT g_font;
Count g_counts[8];
DWORD g_speakerThread;
HGLOBAL g_clips[tallyvox::kClipCount];

// winmm and the sound stack load with the first clip, as in the overlay.
void PlayClip(int clip) {
    using SndPlaySoundFn = BOOL(WINAPI*)(LPCSTR, UINT);
    static const auto play = reinterpret_cast<SndPlaySoundFn>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(L"winmm.dll"), "sndPlaySoundA")));
    const void* image = LockResource(g_clips[clip]);
    if (play != nullptr && image != nullptr) play(static_cast<LPCSTR>(image), SND_MEMORY);
}

DWORD WINAPI SpeakerMain(LPVOID) {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message != kSpeak) continue;
        for (int clip : tallyvox::ClipsForNumber(static_cast<int>(msg.lParam))) PlayClip(clip);
    }
    return 0;
}

void StartSpeaker(HINSTANCE instance) {
    for (int i = 0; i < tallyvox::kClipCount; ++i) {
        const std::string name = "wav" + std::to_string(i);
        HRSRC found = FindResourceA(instance, name.c_str(), "WAV");
        g_clips[i] = found != nullptr ? LoadResource(instance, found) : nullptr;
    }
    CreateThread(nullptr, 0, &SpeakerMain, nullptr, 0, &g_speakerThread);
}

void Tick(Count& count) {
    // Like a cyclic count: after 0 it goes on from the start value less one.
    count.value = count.value > 0 ? count.value - 1 : kBaselineStartCount - 1;
    wchar_t text[12];
    wsprintfW(text, L"%d", count.value);
    SetWindowTextW(count.panel, text);
    if (kSameWork) PostThreadMessageW(g_speakerThread, kSpeak, 0, count.value);
}

void Toggle(HWND hwnd, int index) {
    Count& count = g_counts[index];
    count.running = !count.running;
    count.color = count.running ? kBlue : kGreen;
    if (count.running) {
        SetTimer(hwnd, static_cast<UINT_PTR>(index + 1), 985, nullptr);
    } else {
        KillTimer(hwnd, static_cast<UINT_PTR>(index + 1));
    }
    InvalidateRect(count.panel, nullptr, TRUE);
}

// The overlay's count panel: its face, a raised edge and the count centred in the count's colour.
void DrawPanel(const DRAWITEMSTRUCT& item) {
    RECT rect = item.rcItem;
    FillRect(item.hDC, &rect, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(item.hDC, &rect, BDR_RAISEDINNER, BF_RECT);
    wchar_t text[12];
    const int length = GetWindowTextW(item.hwndItem, text, 12);
    HGDIOBJ oldFont = SelectObject(item.hDC, g_font);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, g_counts[item.CtlID - ids::Panel(1)].color);
    DrawTextW(item.hDC, text, length, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(item.hDC, oldFont);
}

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_TIMER:
            if (wParam >= 1 && wParam <= kCounts) Tick(g_counts[wParam - 1]);
            return 0;
        case WM_HOTKEY:
            if (wParam >= 1 && wParam <= kCounts) Toggle(hwnd, static_cast<int>(wParam) - 1);
            return 0;
        case WM_DRAWITEM:
            DrawPanel(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
            if (id > ids::Panel(0)) {
                SetTextColor(dc, g_counts[id - ids::Panel(1)].color);
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
    g_keyBrush = CreateSolidBrush(kKeyGreen);
    WNDCLASSW wc{};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = g_keyBrush;
    wc.lpszClassName = kBaselineClass;
    RegisterClassW(&wc);

    HWND hwnd = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOPMOST, kBaselineClass, L"Baseline",
                                WS_POPUP, kSameWork ? kSameWorkLeft : kMinimalLeft,
                                kSameWork ? kSameWorkTop : kMinimalTop, 176, 113, nullptr, nullptr,
                                instance, nullptr);
    SetLayeredWindowAttributes(hwnd, kKeyGreen, 0, LWA_COLORKEY);
    // The overlay's font: non-anti-aliased, so text costs the same to draw.
    g_font = CreateFontW(-12, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, GB2312_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                         DEFAULT_PITCH | FF_DONTCARE, L"宋体");
    const DWORD panelStyle = kSameWork ? SS_OWNERDRAW : SS_CENTER | SS_CENTERIMAGE;
    for (int slot = 1; slot <= 8; ++slot) {
        const int left = (slot - 1) % 2 * 86;
        const int top = (slot - 1) / 2 * 28;
        wchar_t title[8];
        wsprintfW(title, L"标题%d", slot);
        HWND label = CreateWindowExW(
            0, L"STATIC", title, WS_CHILD | WS_VISIBLE, left, top + 8, 50, 14, hwnd,
            reinterpret_cast<HMENU>(INT_PTR{ids::Label(slot)}), instance, nullptr);
        HWND panel = CreateWindowExW(
            0, L"STATIC", L"99", WS_CHILD | WS_VISIBLE | panelStyle, left + 56, top + 4, 28, 20,
            hwnd, reinterpret_cast<HMENU>(INT_PTR{ids::Panel(slot)}), instance, nullptr);
        SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(g_font), FALSE);
        SendMessageW(panel, WM_SETFONT, reinterpret_cast<WPARAM>(g_font), FALSE);
        g_counts[slot - 1].panel = panel;
    }
    for (int i = 0; i < kCounts; ++i) RegisterHotKey(hwnd, i + 1, 0, kFirstHotKey + i);
    if (kSameWork) StartSpeaker(instance);
    // The overlay takes the foreground when it shows; under Wine that activation alone loads
    // COM (rpcrt4, combase, ole32) for the input method.
    ShowWindow(hwnd, kSameWork ? SW_SHOW : SW_SHOWNA);
    UpdateWindow(hwnd);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
