// Fuzzes the text-to-integer conversion against an independent model of its rule (regular
// expressions and a digit-string range check instead of accumulation), and checks that
// IntToStr round-trips.
#include <cstring>
#include <optional>
#include <regex>
#include <string>

#include "FuzzSupport.h"
#include "text/IntText.h"

namespace {

using tallyvox::fuzz::Check;
using tallyvox::fuzz::Show;

// Leading spaces; then a sign and decimal digits in the signed 32-bit range, or a hex prefix
// and one to eight hex digits read as a 32-bit pattern; nothing after.
std::optional<std::int32_t> Model(const std::string& text) {
    static const std::regex kHex("^ *(\\$|x|X|0x|0X)([0-9A-Fa-f]{1,8})$");
    static const std::regex kDecimal("^ *([+-]?)0*([0-9]+)$");
    std::smatch m;
    if (std::regex_match(text, m, kHex)) {
        return static_cast<std::int32_t>(std::stoul(m[2].str(), nullptr, 16));
    }
    if (!std::regex_match(text, m, kDecimal)) return std::nullopt;
    const bool negative = m[1].str() == "-";
    const std::string digits = m[2].str();
    // Compare digit strings of equal length instead of converting: no overflow to get wrong.
    const std::string limit = negative ? "2147483648" : "2147483647";
    if (digits.size() > limit.size()) return std::nullopt;
    if (digits.size() == limit.size() && digits > limit) return std::nullopt;
    const long long magnitude = std::stoll(digits);
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // std::regex recurses per character; longer texts add nothing the short ones do not cover.
    if (size > 64) return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);

    const auto actual = tallyvox::TryStrToInt(text);
    const auto expected = Model(text);
    Check(actual == expected, "TryStrToInt disagrees with the model",
          Show(text) + " -> " + (actual ? std::to_string(*actual) : "fail") + ", expected " +
              (expected ? std::to_string(*expected) : "fail"));

    try {
        const std::int32_t value = tallyvox::StrToInt(text);
        Check(actual && value == *actual, "StrToInt succeeded where TryStrToInt failed");
    } catch (const tallyvox::ConvertError& e) {
        Check(!actual, "StrToInt threw on a valid text");
        // The message is a C string: a text with a NUL byte shows up to it, as any box would.
        const std::string message = "'" + text + "' is not a valid integer value";
        Check(std::string(e.what()) == message.c_str(), "error message", e.what());
    }

    if (actual) {
        const std::string shown = tallyvox::IntToStr(*actual);
        static const std::regex kPlain("^-?(0|[1-9][0-9]*)$");
        Check(std::regex_match(shown, kPlain) && shown != "-0", "IntToStr is not plain decimal",
              shown);
        Check(tallyvox::TryStrToInt(shown) == actual, "IntToStr does not round-trip", shown);
    }
    if (size >= 4) {
        std::int32_t value;
        std::memcpy(&value, data, sizeof value);
        const std::string shown = tallyvox::IntToStr(value);
        static const std::regex kDecimal("^-?(0|[1-9][0-9]*)$");
        Check(std::regex_match(shown, kDecimal), "IntToStr is not plain decimal", shown);
        Check(tallyvox::TryStrToInt(shown) == value, "IntToStr does not round-trip", shown);
        Check(tallyvox::TryStrToInt("  +" + shown) ==
                  (value >= 0 ? std::optional(value) : std::nullopt),
              "explicit plus sign", shown);
    }
    return 0;
}
