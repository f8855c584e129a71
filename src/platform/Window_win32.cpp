// Window plumbing shared by every window class of the program.
#include "platform/Window_win32.h"

namespace tallyvox {

WNDCLASSEXW ProgramWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    return wc;
}

void RegisterClassOnce(const WNDCLASSEXW& windowClass) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(windowClass.hInstance, windowClass.lpszClassName, &existing)) return;
    RegisterClassExW(&windowClass);
}

TextMeasurer::TextMeasurer(HWND window, HFONT font)
    : window_(window), dc_(GetDC(window)), oldFont_(SelectObject(dc_, font)) {}

TextMeasurer::~TextMeasurer() {
    SelectObject(dc_, oldFont_);
    ReleaseDC(window_, dc_);
}

SIZE TextMeasurer::Extent(const std::wstring& text) const {
    SIZE size{0, 0};
    if (!text.empty())
        GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

int TextMeasurer::FontHeight() const {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_, &metrics);
    return metrics.tmHeight;
}

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

void DrawCentredWindowText(HWND hwnd, HDC dc, RECT rect, HFONT font, COLORREF color) {
    const std::wstring text = WindowText(hwnd);
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, color);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
}

std::wstring ComboItemText(HWND combo, int index) {
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == CB_ERR ? 0 : static_cast<std::size_t>(copied));
    return text;
}

HFONT CreateProgramFont(int height, int weight, bool antialiased) {
    return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, GB2312_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       antialiased ? DEFAULT_QUALITY : NONANTIALIASED_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, L"宋体");
}

}  // namespace tallyvox
