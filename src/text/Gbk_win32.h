// Conversions between the program's text (GBK, code page 936, and its own UTF-8) and the W
// APIs' UTF-16. UTF-8 goes through the one portable codec (text/Utf.h).
#pragma once

#include <string>
#include <string_view>

namespace tallyvox {

// Code page 936 is named explicitly so Chinese shows right on any Windows display language.
std::wstring FromGbk(std::string_view text);
std::string ToGbk(std::wstring_view text);
// For the program's own UTF-8 (the dialog's captions, file paths), which never enters GBK
// text. A byte that starts no well-formed sequence reads as U+FFFD.
std::wstring FromUtf8(std::string_view text);
std::string ToUtf8(std::wstring_view text);

}  // namespace tallyvox
