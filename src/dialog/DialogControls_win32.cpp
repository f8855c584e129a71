// Creating the settings dialog's controls from the control table.
#include "dialog/DialogControls_win32.h"

#include <commctrl.h>

#include "dialog/ColorListBox_win32.h"
#include "dialog/ComboHeight_win32.h"
#include "platform/Window_win32.h"
#include "text/Gbk_win32.h"
#include "ui/DisplayScale.h"

namespace tallyvox {

namespace {

struct WindowKind {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

WindowKind WindowKindOf(ControlKind kind) {
    constexpr DWORD kTypingCombo = CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP;
    switch (kind) {
        case ControlKind::Label:
            return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
        case ControlKind::Link:
            return {L"STATIC", SS_LEFT | SS_NOPREFIX | SS_NOTIFY, 0};  // clicks open the link
        case ControlKind::CheckBox:
            return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
        case ControlKind::GroupBox:
            return {L"BUTTON", BS_GROUPBOX, 0};
        case ControlKind::Edit:
            return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case ControlKind::DropDownList:
            return {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
        case ControlKind::TypingCombo:
            break;
        case ControlKind::ColorList:
            return {
                WC_COMBOBOXW,
                CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP,
                0};
    }
    return {WC_COMBOBOXW, kTypingCombo, 0};
}

bool IsCombo(ControlKind kind) {
    return kind == ControlKind::DropDownList || kind == ControlKind::TypingCombo ||
           kind == ControlKind::ColorList;
}

std::wstring CaptionOf(const SetsControl& control) {
    return control.caption.empty() ? FromGbk(control.text) : FromUtf8(control.caption);
}

// The table's rectangle at `dpi`; a label's size is its text's in the font of that DPI.
ControlRect ScaledRect(HWND page, const SetsControl& control, HFONT font, int dpi) {
    const ControlRect& design = control.rect;
    ControlRect rect{ScaleToDpi(design.left, dpi), ScaleToDpi(design.top, dpi),
                     ScaleToDpi(design.width, dpi), ScaleToDpi(design.height, dpi)};
    if (control.kind == ControlKind::Label || control.kind == ControlKind::Link) {
        const SIZE size = TextMeasurer(page, font).Extent(CaptionOf(control));
        rect.width = size.cx;
        rect.height = size.cy;
    }
    return rect;
}

}  // namespace

HWND CreateSetsControl(HINSTANCE instance, HWND page, const SetsControl& control, HFONT font,
                       int dpi) {
    const WindowKind kind = WindowKindOf(control.kind);
    const std::wstring caption = CaptionOf(control);
    const ControlRect rect = ScaledRect(page, control, font, dpi);
    // A combo box is created with its list open-sized; FitComboHeight then sets both heights.
    const int height = IsCombo(control.kind) ? rect.height * (1 + control.openRows) : rect.height;
    HWND hwnd = CreateWindowExW(
        kind.exStyle, kind.className, IsCombo(control.kind) ? L"" : caption.c_str(),
        WS_CHILD | WS_VISIBLE | kind.style, rect.left, rect.top, rect.width, height, page,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (!IsCombo(control.kind)) return hwnd;

    if (control.kind == ControlKind::ColorList) FillColorList(hwnd);
    for (const std::string& item : control.items) {
        SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FromGbk(item).c_str()));
    }
    if (control.selected >= 0) {
        SendMessageW(hwnd, CB_SETCURSEL, control.selected, 0);
    } else if (!caption.empty()) {
        SetWindowTextW(hwnd, caption.c_str());
    }
    FitComboHeight(hwnd, rect.height, control.openRows);
    return hwnd;
}

HWND ComboEditOf(HWND combo) {
    return FindWindowExW(combo, nullptr, L"Edit", nullptr);
}

void RescaleSetsControl(HWND hwnd, const SetsControl& control, HFONT font, int dpi) {
    const ControlRect rect = ScaledRect(GetParent(hwnd), control, font, dpi);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    SetWindowPos(hwnd, nullptr, rect.left, rect.top, rect.width, rect.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (control.kind == ControlKind::ColorList) {
        SendMessageW(hwnd, CB_SETITEMHEIGHT, 0, ScaleToDpi(kColorItemHeight, dpi));
    }
    if (IsCombo(control.kind)) FitComboHeight(hwnd, rect.height, control.openRows);
}

bool IsChange(ControlKind kind, int code) {
    switch (kind) {
        case ControlKind::Edit:
            return code == EN_CHANGE;
        case ControlKind::CheckBox:
            return code == BN_CLICKED;
        case ControlKind::Link:
            return code == STN_CLICKED;
        case ControlKind::DropDownList:
        case ControlKind::ColorList:
            return code == CBN_SELCHANGE;
        case ControlKind::TypingCombo:
            return code == CBN_EDITCHANGE || code == CBN_SELCHANGE;
        case ControlKind::Label:
        case ControlKind::GroupBox:
            break;
    }
    return false;
}

}  // namespace tallyvox
