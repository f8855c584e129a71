// GBK <-> UTF-16 with MultiByteToWideChar / WideCharToMultiByte.
#include "text/Gbk_win32.h"

#include <windows.h>

namespace tallyvox {

namespace {

constexpr UINT kGbk = 936;

std::wstring Widen(UINT codePage, std::string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

}  // namespace

std::wstring FromGbk(std::string_view text) {
    return Widen(kGbk, text);
}

std::wstring FromUtf8(std::string_view text) {
    return Widen(CP_UTF8, text);
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
