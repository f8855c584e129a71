// UTF-8 and UTF-16, converted by our own code: only GBK needs the platform's tables.
#pragma once

#include <string>
#include <string_view>

namespace tallyvox {

// Whether the bytes are well-formed UTF-8: no overlong forms, surrogates, or code points past
// U+10FFFF.
bool IsUtf8(std::string_view bytes);

// A lone surrogate is written in the three-byte form that UTF-8 otherwise forbids, so that
// Utf8ToUtf16 gives it back: a UTF-16 file with one converts back byte for byte.
std::string Utf16ToUtf8(std::u16string_view utf16);

// Reads that three-byte form of a surrogate back as the lone code unit; any other byte that
// starts no well-formed sequence becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);

}  // namespace tallyvox
