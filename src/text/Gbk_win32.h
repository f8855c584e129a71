// Conversions between the program's GBK (code page 936) text and the W APIs' UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace tallyvox {

// Code page 936 is named explicitly so Chinese shows right on any Windows display language.
std::wstring FromGbk(std::string_view text);
std::string ToGbk(std::wstring_view text);
// For the program's own UTF-8 literals (the dialog's captions), which never enter GBK text.
std::wstring FromUtf8(std::string_view text);

}  // namespace tallyvox
