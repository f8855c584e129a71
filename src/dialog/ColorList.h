// The named colours offered for the titles, in the order the colour list shows them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tallyvox {

struct NamedColor {
    std::string_view name;
    std::int32_t value;  // 0x00BBGGRR, or 0x80000000 + system colour index
};

constexpr std::int32_t SystemColor(int index) {
    return static_cast<std::int32_t>(0x80000000u | static_cast<std::uint32_t>(index));
}

// 16 standard colours, 4 extended ones and 30 of the desktop's colour scheme.
inline constexpr std::array<NamedColor, 50> kTitleColors = {{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0},
    {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},
    {"clActiveBorder", SystemColor(10)},
    {"clActiveCaption", SystemColor(2)},
    {"clAppWorkSpace", SystemColor(12)},
    {"clBackground", SystemColor(1)},
    {"clBtnFace", SystemColor(15)},
    {"clBtnHighlight", SystemColor(20)},
    {"clBtnShadow", SystemColor(16)},
    {"clBtnText", SystemColor(18)},
    {"clCaptionText", SystemColor(9)},
    {"clGradientActiveCaption", SystemColor(27)},
    {"clGradientInactiveCaption", SystemColor(28)},
    {"clGrayText", SystemColor(17)},
    {"clHighlight", SystemColor(13)},
    {"clHighlightText", SystemColor(14)},
    {"clHotLight", SystemColor(26)},
    {"clInactiveBorder", SystemColor(11)},
    {"clInactiveCaption", SystemColor(3)},
    {"clInactiveCaptionText", SystemColor(19)},
    {"clInfoBk", SystemColor(24)},
    {"clInfoText", SystemColor(23)},
    {"clMenu", SystemColor(4)},
    {"clMenuBar", SystemColor(30)},
    {"clMenuHighlight", SystemColor(29)},
    {"clMenuText", SystemColor(7)},
    {"clScrollBar", SystemColor(0)},
    {"cl3DDkShadow", SystemColor(21)},
    {"cl3DLight", SystemColor(22)},
    {"clWindow", SystemColor(5)},
    {"clWindowFrame", SystemColor(6)},
    {"clWindowText", SystemColor(8)},
}};

// The list's position of the entry with this value, none when no entry has it.
constexpr std::optional<int> FindColor(std::int32_t value) {
    for (std::size_t i = 0; i < kTitleColors.size(); ++i) {
        if (kTitleColors[i].value == value) return static_cast<int>(i);
    }
    return std::nullopt;
}

// What the settings file stores when the colour list has no selected entry.
constexpr std::int32_t kNoColorSelected = static_cast<std::int32_t>(0xFF000000u);

}  // namespace tallyvox
