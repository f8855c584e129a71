// GBK <-> UTF-16 with MultiByteToWideChar / WideCharToMultiByte.
#include "text/Gbk_win32.h"

#include <windows.h>

namespace tallyvox {

namespace {
constexpr UINT kGbk = 936;
}

std::wstring FromGbk(std::string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(kGbk, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(kGbk, 0, text.data(), size, wide.data(), length);
    return wide;
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
