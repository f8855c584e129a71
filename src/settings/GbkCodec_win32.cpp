// Cp936Codec over the program's GBK <-> UTF-16 conversions; wchar_t is UTF-16 on Windows.
#include "settings/GbkCodec_win32.h"

#include "text/Gbk_win32.h"

namespace tallyvox {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::u16string Cp936Codec::ToUtf16(std::string_view gbk) const {
    const std::wstring wide = FromGbk(gbk);
    return std::u16string(wide.begin(), wide.end());
}

std::string Cp936Codec::FromUtf16(std::u16string_view text) const {
    return ToGbk(std::wstring(text.begin(), text.end()));
}

}  // namespace tallyvox
