// Conversions between the program's GBK (code page 936) text and the W APIs' UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace tallyvox {

// Code page 936 is named explicitly so Chinese shows right on any Windows display language.
std::wstring FromGbk(std::string_view text);
std::string ToGbk(std::wstring_view text);

}  // namespace tallyvox
