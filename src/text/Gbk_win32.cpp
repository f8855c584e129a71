// GBK <-> UTF-16 with MultiByteToWideChar / WideCharToMultiByte.
#include "text/Gbk_win32.h"

#include <windows.h>

#include "text/Utf.h"

namespace tallyvox {

namespace {

constexpr UINT kGbk = 936;

std::wstring FromCodePage(UINT codePage, std::string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

}  // namespace

std::wstring FromGbk(std::string_view text) {
    return FromCodePage(kGbk, text);
}

// wchar_t is a UTF-16 code unit on Windows.
std::wstring FromUtf8(std::string_view text) {
    const std::u16string utf16 = Utf8ToUtf16(text);
    return {utf16.begin(), utf16.end()};
}

std::string ToUtf8(std::wstring_view text) {
    return Utf16ToUtf8(std::u16string(text.begin(), text.end()));
}

std::string ToGbk(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(kGbk, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(kGbk, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

}  // namespace tallyvox
