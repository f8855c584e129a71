// The GBK codec on Windows: code page 936, whatever the system's own code page.
#pragma once

#include "settings/GbkCodec.h"

namespace tallyvox {

class Cp936Codec final : public GbkCodec {
  public:
    std::u16string ToUtf16(std::string_view gbk) const override;
    std::string FromUtf16(std::u16string_view text) const override;
};

}  // namespace tallyvox
