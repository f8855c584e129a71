// The GBK codec for native tests: glibc's iconv with code page 936, one character at a time so
// that one GBK cannot hold becomes "?" and a byte that is no GBK character becomes U+FFFD.
#pragma once

#include <iconv.h>

#include <string>
#include <string_view>

#include "settings/GbkCodec.h"

namespace tallyvox::test {

class IconvGbkCodec : public GbkCodec {
  public:
    std::u16string ToUtf16(std::string_view gbk) const override {
        std::u16string out;
        for (std::size_t i = 0; i < gbk.size();) {
            const std::size_t width = static_cast<unsigned char>(gbk[i]) >= 0x81 ? 2 : 1;
            const std::string utf16 = Convert("UTF-16LE", "CP936", gbk.substr(i, width));
            if (utf16.empty()) {
                out += u'\xFFFD';
                i += 1;
                continue;
            }
            for (std::size_t k = 0; k + 1 < utf16.size(); k += 2) {
                out += static_cast<char16_t>(static_cast<unsigned char>(utf16[k]) |
                                             static_cast<unsigned char>(utf16[k + 1]) << 8);
            }
            i += width;
        }
        return out;
    }

    std::string FromUtf16(std::u16string_view text) const override {
        std::string out;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const bool pair = text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size();
            std::string utf16;
            for (std::size_t k = i; k <= i + (pair ? 1 : 0); ++k) {
                utf16 += static_cast<char>(text[k] & 0xFF);
                utf16 += static_cast<char>(text[k] >> 8);
            }
            if (pair) ++i;
            const std::string gbk = Convert("CP936", "UTF-16LE", utf16);
            out += gbk.empty() ? "?" : gbk;
        }
        return out;
    }

    // The whole text, or "" when iconv cannot convert all of it.
    static std::string Convert(const char* to, const char* from, std::string_view text) {
        iconv_t cd = iconv_open(to, from);
        std::string in(text), out(text.size() * 4 + 4, '\0');
        char* inPtr = in.data();
        char* outPtr = out.data();
        std::size_t inLeft = in.size(), outLeft = out.size();
        const bool ok =
            iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
        iconv_close(cd);
        if (!ok || inLeft != 0) return {};
        out.resize(out.size() - outLeft);
        return out;
    }
};

}  // namespace tallyvox::test
