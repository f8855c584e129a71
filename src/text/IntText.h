// Text <-> integer conversion used wherever the program turns text into a number.
// Accepts leading spaces, then either an optional sign and decimal digits in the signed
// 32-bit range, or a hex prefix ("$", "x", "X", "0x", "0X") and up to eight hex digits.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tallyvox {

// Raised by StrToInt; its message is the one the conversion error box shows.
class ConvertError : public std::runtime_error {
  public:
    explicit ConvertError(std::string_view text);
};

std::optional<std::int32_t> TryStrToInt(std::string_view text);

// Throws ConvertError("'<text>' is not a valid integer value") on failure.
std::int32_t StrToInt(std::string_view text);

std::string IntToStr(std::int32_t value);

}  // namespace tallyvox
