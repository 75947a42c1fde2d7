// Input number syntax: accepted and refused texts, bit-exact values, halfway cases, long inputs
// and the edges of the extended range. Expected values are written as significand x 2^exponent,
// worked out with exact rational arithmetic, so they do not depend on this platform's own
// decimal conversions (some read long double through double).
#include "control/InputSyntax.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>

#include <gtest/gtest.h>

namespace {

using verrask::ParseNumber;

std::optional<long double> Parse(std::string_view text) {
    long double value = 0;
    if (!ParseNumber(text, value)) return std::nullopt;
    return value;
}

bool IsZeroWithSign(std::optional<long double> v, bool negative) {
    return v && *v == 0 && std::signbit(*v) == negative;
}

TEST(InputSyntaxAccepted, PlainSignedAndSpacedForms) {
    EXPECT_EQ(Parse("2"), 2.0L);
    EXPECT_EQ(Parse(" 2"), 2.0L);
    EXPECT_EQ(Parse("    -12.5e+3"), -12500.0L);
    EXPECT_EQ(Parse("1e-5"), 1E-5L);
    EXPECT_EQ(Parse("+.5"), 0.5L);
    EXPECT_EQ(Parse("5."), 5.0L);
    EXPECT_EQ(Parse("007"), 7.0L);
    EXPECT_EQ(Parse("2E0"), 2.0L);
}

TEST(InputSyntaxAccepted, MantissaWithoutDigitsIsZero) {
    EXPECT_TRUE(IsZeroWithSign(Parse("."), false));
    EXPECT_TRUE(IsZeroWithSign(Parse("E5"), false));
    EXPECT_TRUE(IsZeroWithSign(Parse("-.e-3"), true));
    EXPECT_TRUE(IsZeroWithSign(Parse("-0"), true));
    EXPECT_TRUE(IsZeroWithSign(Parse("+000.000"), false));
}

TEST(InputSyntaxRefused, IncompleteForeignOrTrailingText) {
    for (const char* text :
         {"",      "   ",   "-",     "+",   " +",  "E",    "e",     "2 ",      "2,5",
          "1e",    "1E+",   "1E-",   "\t2", "2\n", "+-1",  "--1",   "- 1",     "1..2",
          "1.2.3", "1E5.0", "1E2E3", "inf", "nan", "0x10", "1_000", "\xD9\xA1"}) {
        EXPECT_FALSE(Parse(text)) << '"' << text << '"';
    }
    EXPECT_FALSE(Parse(std::string_view("2\0", 2)));
}

TEST(InputSyntaxRefused, LeavesValueUnchanged) {
    long double value = 42.0L;
    EXPECT_FALSE(ParseNumber("2,5", value));
    EXPECT_FALSE(ParseNumber("1E99999", value));
    EXPECT_EQ(value, 42.0L);
}

TEST(InputSyntaxValue, MatchesCompilerRoundingBitExact) {
    EXPECT_EQ(Parse("1E-5"), 1E-5L);
    EXPECT_EQ(Parse("0.1"), 0.1L);
    EXPECT_EQ(Parse("-0.3"), -0.3L);
    EXPECT_EQ(Parse("1.0125"), 1.0125L);
    EXPECT_EQ(Parse("3.14159265358979323846264338327950288"),
              3.14159265358979323846264338327950288L);
    EXPECT_EQ(Parse("123456789012345678901234567890"), 123456789012345678901234567890.0L);
    EXPECT_EQ(Parse("0.000001e6"), 1.0L);
    EXPECT_EQ(Parse("1E0000000000000000000000000005"), 1E5L);
}

// significand x 2^exponent, exactly (the significand fits the 64-bit extended significand).
long double Extended(unsigned long long significand, int exponent) {
    return std::ldexp(static_cast<long double>(significand), exponent);
}

TEST(InputSyntaxValue, ExtendedWhereDoubleWouldDiffer) {
    const struct {
        const char* text;
        unsigned long long significand;
        int exponent;
    } cases[] = {
        {"0.1", 0xCCCCCCCCCCCCCCCDull, -67},
        {"1E-5", 0xA7C5AC471B478423ull, -80},
        {"0.3", 0x999999999999999Aull, -65},
        {"1E4000", 0xD1BA8323FE558C61ull, 13224}, // beyond the double range altogether
        {"1E-4931", 0xBE5B66ECBCE0B7B1ull, -16444},
    };
    for (const auto& c : cases) {
        const auto got = Parse(c.text);
        ASSERT_TRUE(got) << c.text;
        EXPECT_EQ(*got, Extended(c.significand, c.exponent)) << c.text;
        EXPECT_NE(*got, static_cast<long double>(std::strtod(c.text, nullptr))) << c.text;
    }
}

TEST(InputSyntaxValue, HalfwayCasesRoundToEven) {
    const long double up = std::nextafter(1.0L, 2.0L);
    // 1 + 2^-64, midway between 1 and the next value: stays at the even 1.
    const std::string mid1 = "1.0000000000000000000542101086242752217003726400434970855712890625";
    EXPECT_EQ(Parse(mid1), 1.0L);
    EXPECT_EQ(Parse(mid1 + "0000001"), up);
    // 1 + 3 x 2^-64, midway between 1 + 2^-63 and 1 + 2^-62: goes to the even 1 + 2^-62.
    EXPECT_EQ(Parse("1.0000000000000000001626303258728256651011179201304912567138671875"),
              std::nextafter(up, 2.0L));
}

TEST(InputSyntaxValue, LongDigitRunsAreReadCompletely) {
    const std::string mid1 = "1.0000000000000000000542101086242752217003726400434970855712890625";
    EXPECT_EQ(Parse(mid1 + std::string(20000, '0') + "1"), std::nextafter(1.0L, 2.0L));
    EXPECT_EQ(Parse("1" + std::string(20000, '0') + "E-20000"), 1.0L);
    EXPECT_EQ(Parse("0." + std::string(20000, '0') + "25E20001"), 2.5L);
    EXPECT_EQ(Parse(std::string(5000, ' ') + "-" + std::string(5000, '0') + "3"), -3.0L);
    // Far more digits than any rounding boundary has: the cut-off tail still tips the halfway
    // case, and a million digits are read without trouble.
    EXPECT_EQ(Parse(mid1 + std::string(1'000'000, '0') + "1"), std::nextafter(1.0L, 2.0L));
    EXPECT_EQ(Parse(mid1 + std::string(1'000'000, '0')), 1.0L);
}

TEST(InputSyntaxRange, LargestFiniteIsTheUpperEdge) {
    const long double max = std::numeric_limits<long double>::max();
    EXPECT_EQ(Parse("1.18973149535723176502E4932"), max);
    EXPECT_EQ(Parse("-1.189731495357231765053511589829488667966E4932"), -max);
    EXPECT_FALSE(Parse("1.18973149535723176505351158982948866797E4932"));
    EXPECT_FALSE(Parse("1E4933"));
    EXPECT_FALSE(Parse("-1E99999"));
    EXPECT_FALSE(Parse("1E99999999999999999999999999"));
    EXPECT_FALSE(Parse("0.00001E4938"));
}

TEST(InputSyntaxRange, BelowNormalRangeGivesSignedZero) {
    EXPECT_EQ(Parse("3.36210314311209350626E-4932"), std::numeric_limits<long double>::min());
    // The smallest normal value is 2^-16382 = 3.3621031431120935062627E-4932; below it the
    // midpoint to the next lower value lies at 3.3621031431120935061715E-4932. Above that
    // midpoint the value rounds up to the smallest normal, below it out of the normal range.
    EXPECT_EQ(Parse("3.3621031431120935062E-4932"), std::numeric_limits<long double>::min());
    EXPECT_TRUE(IsZeroWithSign(Parse("-3.3621031431120935061E-4932"), true));
    EXPECT_TRUE(IsZeroWithSign(Parse("1E-4940"), false));
    EXPECT_TRUE(IsZeroWithSign(Parse("-1E-5000"), true));
    EXPECT_TRUE(IsZeroWithSign(Parse("1E-99999999999999999999"), false));
    EXPECT_TRUE(IsZeroWithSign(Parse("0E99999999999999999999"), false));
    EXPECT_EQ(Parse("100000E-4936"), 1E-4931L);
}

} // namespace
