// Text-to-integer conversion: accepted notations, rejected forms and the 32-bit limits.
#include "text/IntText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <ostream>
#include <string>

namespace tallyvox {
namespace {

struct Case {
    std::string text;
    std::optional<std::int32_t> expected;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << testing::PrintToString(c.text);
}

class TryStrToIntTest : public testing::TestWithParam<Case> {};

TEST_P(TryStrToIntTest, ConvertsOrRejects) {
    EXPECT_EQ(TryStrToInt(GetParam().text), GetParam().expected)
        << "text: '" << GetParam().text << "'";
}

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

INSTANTIATE_TEST_SUITE_P(
    Forms, TryStrToIntTest,
    testing::Values(
        // Decimal, signs, leading zeros and leading spaces.
        Case{"0", 0}, Case{"7", 7}, Case{"045", 45}, Case{"+12", 12}, Case{"-1", -1}, Case{" 7", 7},
        Case{"   -30", -30}, Case{"-0", 0},
        // The signed 32-bit limits and one past them.
        Case{"2147483647", kMax}, Case{"-2147483648", kMin}, Case{"2147483648", std::nullopt},
        Case{"-2147483649", std::nullopt}, Case{"99999999999999999999", std::nullopt},
        Case{"0000000000000000000000012", 12},
        // The five hex prefixes; eight digits are a 32-bit pattern.
        Case{"$10", 16}, Case{"x1F", 31}, Case{"X1f", 31}, Case{"0x10", 16}, Case{"0XfF", 255},
        Case{" $A", 10}, Case{"$FFFFFFFF", -1}, Case{"$80000000", kMin}, Case{"0x7FFFFFFF", kMax},
        Case{"$000000001", std::nullopt}, Case{"$123456789", std::nullopt},
        // Nothing may follow the digits, and a prefix or sign needs digits.
        Case{"", std::nullopt}, Case{" ", std::nullopt}, Case{"   ", std::nullopt},
        Case{"abc", std::nullopt}, Case{"1a", std::nullopt}, Case{"7 ", std::nullopt},
        Case{"1 2", std::nullopt}, Case{"+", std::nullopt}, Case{"-", std::nullopt},
        Case{"$", std::nullopt}, Case{"0x", std::nullopt}, Case{"x", std::nullopt},
        Case{"$G", std::nullopt}, Case{"-$10", std::nullopt}, Case{"+0x10", std::nullopt},
        Case{"--1", std::nullopt}, Case{"\t7", std::nullopt}, Case{"1.5", std::nullopt},
        Case{std::string("1\0", 2), std::nullopt}, Case{"\xB6\xE0", std::nullopt}));

TEST(StrToIntTest, FailureCarriesTheBoxMessageWithTheFailingText) {
    for (const std::string text : {"", "abc", " 1a", "\xB1\xEA"}) {
        try {
            StrToInt(text);
            FAIL() << "no error for '" << text << "'";
        } catch (const ConvertError& e) {
            EXPECT_EQ(std::string(e.what()), "'" + text + "' is not a valid integer value");
        }
    }
}

TEST(StrToIntTest, ValidTextConvertsLikeTryStrToInt) {
    EXPECT_EQ(StrToInt(" $10"), 16);
    EXPECT_EQ(StrToInt("-2147483648"), kMin);
}

TEST(IntToStrTest, WritesPlainDecimalThatReadsBack) {
    for (const std::int32_t value : {0, 7, -1, 45, kMin, kMax, -16777216}) {
        const std::string text = IntToStr(value);
        EXPECT_EQ(text.find_first_not_of("-0123456789"), std::string::npos) << text;
        EXPECT_EQ(TryStrToInt(text), value);
    }
    EXPECT_EQ(IntToStr(-2147483640), "-2147483640");
}

}  // namespace
}  // namespace tallyvox
