// The slot layouts at 96 DPI: where each slot's label and panel stand in the three arrangements,
// the window size each gives and the designed form's places, written out independently of the
// program's own geometry so that tests hold it against them. Shared by the unit, fuzz and
// end-to-end tests.
#pragma once

#include <array>
#include <cstddef>
#include <ostream>
#include <string>

namespace tallyvox::test {

inline const std::string kMultiRowName = "\xB6\xE0\xC5\xC5";    // 多排
inline const std::string kHorizontalName = "\xBA\xE1\xC5\xC5";  // 横排
inline const std::string kVerticalName = "\xCA\xFA\xC5\xC5";    // 竖排

// Indices of the tables below.
enum ExpectedLayout { kTwoColumns, kOneRow, kOneColumn };

struct ExpectedPlace {
    int labelLeft, labelTop, panelLeft, panelTop;
    bool operator==(const ExpectedPlace&) const = default;
};

struct ExpectedSize {
    int width, height;
    bool operator==(const ExpectedSize&) const = default;
};

// Readable in failure messages.
inline std::ostream& operator<<(std::ostream& out, const ExpectedPlace& p) {
    return out << "label " << p.labelLeft << "," << p.labelTop << " panel " << p.panelLeft << ","
               << p.panelTop;
}
inline std::ostream& operator<<(std::ostream& out, const ExpectedSize& s) {
    return out << s.width << " x " << s.height;
}

// [layout][slot - 1]
inline constexpr std::array<std::array<ExpectedPlace, 8>, 3> kExpectedPlaces = {{
    {{{0, 8, 56, 4},
      {86, 8, 142, 4},
      {0, 36, 56, 32},
      {86, 36, 142, 32},
      {0, 64, 56, 60},
      {86, 64, 142, 60},
      {0, 92, 56, 88},
      {86, 92, 142, 88}}},
    {{{0, 8, 56, 4},
      {86, 8, 142, 4},
      {172, 8, 228, 4},
      {258, 8, 314, 4},
      {344, 8, 400, 4},
      {430, 8, 486, 4},
      {516, 8, 572, 4},
      {602, 8, 658, 4}}},
    {{{0, 8, 56, 4},
      {0, 36, 56, 32},
      {0, 64, 56, 60},
      {0, 92, 56, 88},
      {0, 120, 56, 116},
      {0, 148, 56, 144},
      {0, 176, 56, 172},
      {0, 204, 56, 200}}},
}};

// [layout][count - 2], for counts 2..8; a count of 1 keeps the window as it is.
inline constexpr std::array<std::array<ExpectedSize, 7>, 3> kExpectedWindowSizes = {{
    {{{192, 46}, {192, 92}, {192, 92}, {192, 138}, {192, 138}, {192, 184}, {192, 184}}},
    {{{192, 46}, {288, 46}, {384, 46}, {480, 46}, {576, 46}, {672, 46}, {768, 46}}},
    {{{96, 92}, {96, 138}, {96, 184}, {96, 230}, {96, 276}, {96, 322}, {96, 368}}},
}};

inline const ExpectedPlace& ExpectedPlaceOf(ExpectedLayout layout, int slot) {
    return kExpectedPlaces[layout][static_cast<std::size_t>(slot - 1)];
}

inline const ExpectedSize& ExpectedWindowSize(ExpectedLayout layout, int count) {
    return kExpectedWindowSizes[layout][static_cast<std::size_t>(count - 2)];
}

// Before any layout runs: two columns, but the designed form has panels 6 and 8 at left 140,
// and the window is 176 × 113.
inline ExpectedPlace ExpectedBuiltInPlace(int slot) {
    ExpectedPlace place = ExpectedPlaceOf(kTwoColumns, slot);
    if (slot == 6 || slot == 8) place.panelLeft = 140;
    return place;
}
inline constexpr ExpectedSize kExpectedBuiltInSize{176, 113};

// A stored sort type and count, and the layout they give.
struct LayoutCase {
    std::string sortType;
    int count;
    ExpectedLayout layout;
};

// "多排, 5 slots"; a sort type that is none of the three is quoted, bytes above 0x7F in hex.
inline void PrintTo(const LayoutCase& c, std::ostream* os) {
    if (c.sortType == kMultiRowName) {
        *os << "多排";
    } else if (c.sortType == kHorizontalName) {
        *os << "横排";
    } else if (c.sortType == kVerticalName) {
        *os << "竖排";
    } else {
        *os << '"';
        for (const unsigned char byte : c.sortType) {
            if (byte < 0x80) {
                *os << byte;
            } else {
                *os << "\\x"
                    << "0123456789ABCDEF"[byte >> 4] << "0123456789ABCDEF"[byte & 15];
            }
        }
        *os << '"';
    }
    *os << ", " << c.count << " slots";
}

}  // namespace tallyvox::test
