// The owner-drawn title colour list.
#include "dialog/ColorListBox_win32.h"

#include <string>

#include "dialog/ColorList.h"
#include "platform/SystemColor_win32.h"
#include "platform/Window_win32.h"

namespace tallyvox {

namespace {

// Item data holds the colour's 32 bits as stored, system colours included.
LPARAM ColorAsItemData(std::int32_t value) {
    return static_cast<LPARAM>(static_cast<std::uint32_t>(value));
}

std::int32_t ColorOfItemData(LRESULT data) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(data));
}

}  // namespace

void FillColorList(HWND list) {
    for (const NamedColor& color : kTitleColors) {
        const std::wstring name(color.name.begin(), color.name.end());
        const LRESULT index =
            SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        SendMessageW(list, CB_SETITEMDATA, index, ColorAsItemData(color.value));
    }
}

std::optional<std::int32_t> SelectedColorOf(HWND list) {
    const auto index = static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0));
    if (index < 0) return std::nullopt;
    return ColorOfItemData(SendMessageW(list, CB_GETITEMDATA, index, 0));
}

void SelectColorIn(HWND list, std::int32_t value) {
    const auto count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
    int found = -1;
    for (int index = 0; index < count && found < 0; ++index) {
        if (ColorOfItemData(SendMessageW(list, CB_GETITEMDATA, index, 0)) == value) found = index;
    }
    SendMessageW(list, CB_SETCURSEL, found, 0);
}

void DrawColorItem(const DRAWITEMSTRUCT& item, HFONT font) {
    HDC dc = item.hDC;
    RECT rect = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID != static_cast<UINT>(-1)) {
        // A framed swatch of the colour, then its name.
        const int side = (rect.bottom - rect.top) - 4;
        RECT swatch{rect.left + 2, rect.top + 2, rect.left + 2 + side, rect.top + 2 + side};
        HBRUSH fill = CreateSolidBrush(ResolveColor(ColorOfItemData(item.itemData)));
        FillRect(dc, &swatch, fill);
        DeleteObject(fill);
        FrameRect(dc, &swatch, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

        const std::wstring name = ComboItemText(item.hwndItem, static_cast<int>(item.itemID));
        HGDIOBJ oldFont = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        RECT text = rect;
        text.left = swatch.right + 4;
        DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        SelectObject(dc, oldFont);
    }
    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0)
        DrawFocusRect(dc, &rect);
}

}  // namespace tallyvox
