// Strict text-to-integer conversion and its inverse.
#include "text/IntText.h"

namespace tallyvox {

namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Up to eight hex digits taken as a 32-bit pattern, so "$FFFFFFFF" is -1.
std::optional<std::int32_t> ParseHex(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    std::uint32_t pattern = 0;
    for (char c : digits) {
        const int v = HexDigitValue(c);
        if (v < 0) return std::nullopt;
        pattern = (pattern << 4) | static_cast<std::uint32_t>(v);
    }
    return static_cast<std::int32_t>(pattern);
}

std::optional<std::int32_t> ParseDecimal(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    // Accumulate the magnitude in 64 bits; the range check keeps it far from overflow.
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    std::int64_t magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit) return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace

ConvertError::ConvertError(std::string_view text)
    : std::runtime_error("'" + std::string(text) + "' is not a valid integer value") {}

std::optional<std::int32_t> TryStrToInt(std::string_view text) {
    const auto start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) return std::nullopt;
    std::string_view rest = text.substr(start);
    if (rest.front() == '$' || rest.front() == 'x' || rest.front() == 'X') {
        return ParseHex(rest.substr(1));
    }
    if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
        return ParseHex(rest.substr(2));
    }
    return ParseDecimal(rest);
}

std::int32_t StrToInt(std::string_view text) {
    if (const auto value = TryStrToInt(text)) return *value;
    throw ConvertError(text);
}

std::string IntToStr(std::int32_t value) {
    return std::to_string(value);
}

}  // namespace tallyvox
