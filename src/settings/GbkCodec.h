// Conversion between the program's GBK text and UTF-16, for settings files saved in a Unicode
// encoding. GBK's table is the platform's (code page 936), so the platform provides this.
#pragma once

#include <string>
#include <string_view>

namespace tallyvox {

class GbkCodec {
  public:
    virtual ~GbkCodec() = default;

    // Bytes that are no GBK character come out as a stand-in character.
    virtual std::u16string ToUtf16(std::string_view gbk) const = 0;
    // A character that GBK cannot hold comes out as its nearest GBK look-alike or as "?": callers
    // that must know convert the result back and compare.
    virtual std::string FromUtf16(std::u16string_view text) const = 0;
};

}  // namespace tallyvox
