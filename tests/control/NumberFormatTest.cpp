// Display formats: general four-digit format (notation boundaries, carries, signs, 18-digit
// pre-rounding) and the two-decimal fixed format of the depth probe.
#include "control/NumberFormat.h"

#include <limits>

#include <gtest/gtest.h>

namespace {

using verrask::FormatFixed2;
using verrask::FormatGeneral;

std::string G(long double v) {
    return FormatGeneral(v, '.');
}
std::string F(long double v) {
    return FormatFixed2(v, '.');
}

TEST(FormatGeneral, ResultExamples) {
    EXPECT_EQ(G(0.4375L), "0.4375");
    EXPECT_EQ(G(0.4375L * 1E-5L), "4.375E-6");
    EXPECT_EQ(G(1.0125L), "1.013");
    EXPECT_EQ(G(0.0001L), "0.0001");
    EXPECT_EQ(G(0.00001L), "1E-5");
    EXPECT_EQ(G(50000.0L), "5E4");
    EXPECT_EQ(G(1234.5L), "1235");
    EXPECT_EQ(FormatGeneral(0.4375L, ','), "0,4375");
    EXPECT_EQ(FormatGeneral(4.375E-6L, ','), "4,375E-6");
}

TEST(FormatGeneral, ZeroAndSign) {
    EXPECT_EQ(G(0.0L), "0");
    EXPECT_EQ(G(-0.0L), "0");
    EXPECT_EQ(G(-0.4375L), "-0.4375");
    EXPECT_EQ(G(-50000.0L), "-5E4");
    EXPECT_EQ(G(-1.0125L), "-1.013");
}

TEST(FormatGeneral, FixedNotationFromExponentMinus3To4) {
    EXPECT_EQ(G(0.000123456L), "0.0001235");
    EXPECT_EQ(G(0.0000123456L), "1.235E-5");
    EXPECT_EQ(G(1234.0L), "1234");
    EXPECT_EQ(G(1000.0L), "1000");
    EXPECT_EQ(G(12.5L), "12.5");
    EXPECT_EQ(G(12345.0L), "1.235E4");
    EXPECT_EQ(G(0.5L), "0.5");
    EXPECT_EQ(G(1.0L), "1");
}

TEST(FormatGeneral, CarryRaisesExponent) {
    EXPECT_EQ(G(9.9996L), "10");
    EXPECT_EQ(G(9999.5L), "1E4");
    EXPECT_EQ(G(9999.4L), "9999");
    EXPECT_EQ(G(0.00099996L), "0.001");
    EXPECT_EQ(G(0.000099996L), "0.0001");
    EXPECT_EQ(G(0.0000099996L), "1E-5");
    EXPECT_EQ(G(1.99995L), "2");
}

TEST(FormatGeneral, RoundsTheEighteenDigitText) {
    // Exact 19-digit integers: the 18-digit text decides the four-digit result.
    EXPECT_EQ(G(1234499999999999995.0L), "1.235E18");
    EXPECT_EQ(G(1234499999999999994.0L), "1.234E18");
}

TEST(FormatGeneral, ExtremesAndNonFinite) {
    EXPECT_EQ(G(std::numeric_limits<long double>::max()), "1.19E4932");
    EXPECT_EQ(G(std::numeric_limits<long double>::denorm_min()), "3.645E-4951");
    EXPECT_EQ(G(std::numeric_limits<long double>::infinity()), "INF");
    EXPECT_EQ(G(-std::numeric_limits<long double>::infinity()), "-INF");
    EXPECT_EQ(G(std::numeric_limits<long double>::quiet_NaN()), "NAN");
}

TEST(FormatFixed2, ProbeDepths) {
    EXPECT_EQ(F(1.0L / 200 * 2), "0.01");
    EXPECT_EQ(F(200.0L / 200 * 2), "2.00");
    EXPECT_EQ(F(1.0L / 200 * 1), "0.01"); // binary value just below 0.005
    EXPECT_EQ(F(25.0L / 200 * 1), "0.13");
    EXPECT_EQ(FormatFixed2(1.5L, ','), "1,50");
    EXPECT_EQ(F(0.0L), "0.00");
}

TEST(FormatFixed2, RoundingCarriesAndSign) {
    EXPECT_EQ(F(0.004L), "0.00");
    EXPECT_EQ(F(0.995L), "1.00");
    EXPECT_EQ(F(9.995L), "10.00");
    EXPECT_EQ(F(-1.5L), "-1.50");
    EXPECT_EQ(F(-0.004L), "0.00");
    EXPECT_EQ(F(1234.0L), "1234.00");
}

TEST(FormatFixed2, AtMostEightSignificantDigits) {
    EXPECT_EQ(F(123456.785L), "123456.79");
    EXPECT_EQ(F(1234567.891L), "1234567.90");
    EXPECT_EQ(F(123456789.0L), "123456790.00");
    EXPECT_EQ(F(std::numeric_limits<long double>::quiet_NaN()), "NAN");
    EXPECT_EQ(F(-std::numeric_limits<long double>::infinity()), "-INF");
}

} // namespace
