// Number syntax of the input boxes: validates the grammar by hand and converts the unsigned part
// with std::from_chars, which is locale-independent and correctly rounded. The digits are first
// brought to the canonical form "0.<significant digits>E<exponent>", so that leading zeros,
// long digit runs and huge exponents cannot overflow anything or reach from_chars unbounded.
#include "control/InputSyntax.h"

#include <charconv>
#include <limits>
#include <string>
#include <system_error>

namespace verrask {

static_assert(std::numeric_limits<long double>::digits == 64,
              "long double must be the 80-bit x86 extended format");

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Decimal exponents far outside the extended range all decide the same way; clamping the
// accumulated exponent here keeps the arithmetic below free of integer overflow.
constexpr long long kExponentClamp = 1'000'000'000'000LL;

// Largest and smallest decimal exponents (of the first significant digit) worth converting:
// above kMaxSciExponent every value overflows, below kMinSciExponent every value underflows.
constexpr long long kMaxSciExponent = 4932;
constexpr long long kMinSciExponent = -4960;

} // namespace

bool ParseNumber(std::string_view text, long double& value) {
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n && text[i] == ' ') ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == n) return false; // empty, spaces only, or a lone sign

    const std::size_t intBegin = i;
    while (i < n && IsDigit(text[i])) ++i;
    const std::size_t intEnd = i;
    std::size_t fracBegin = i;
    std::size_t fracEnd = i;
    if (i < n && text[i] == '.') {
        fracBegin = ++i;
        while (i < n && IsDigit(text[i])) ++i;
        fracEnd = i;
    }
    long long exponent = 0;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool expNegative = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            expNegative = text[i] == '-';
            ++i;
        }
        if (i == n || !IsDigit(text[i])) return false;
        for (; i < n && IsDigit(text[i]); ++i) {
            if (exponent < kExponentClamp) exponent = exponent * 10 + (text[i] - '0');
        }
        if (expNegative) exponent = -exponent;
    }
    if (i != n) return false; // anything after the number

    // All mantissa digits, integer part then fraction, without the point.
    std::string digits;
    digits.reserve((intEnd - intBegin) + (fracEnd - fracBegin));
    digits.append(text.substr(intBegin, intEnd - intBegin));
    digits.append(text.substr(fracBegin, fracEnd - fracBegin));
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) {
        value = negative ? -0.0L : 0.0L;
        return true;
    }

    // The magnitude is 0.<digits from first> x 10^pointExponent.
    const long long pointExponent =
        static_cast<long long>(intEnd - intBegin) - static_cast<long long>(first) + exponent;
    const long long sciExponent = pointExponent - 1;
    if (sciExponent > kMaxSciExponent) return false;
    if (sciExponent < kMinSciExponent) {
        value = negative ? -0.0L : 0.0L;
        return true;
    }

    std::string canonical = "0.";
    canonical.append(digits, first, std::string::npos);
    canonical += 'E';
    canonical += std::to_string(pointExponent);

    long double magnitude = 0.0L;
    const char* const end = canonical.data() + canonical.size();
    const auto [ptr, ec] =
        std::from_chars(canonical.data(), end, magnitude, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        if (sciExponent >= 0) return false; // beyond the largest finite value
        value = negative ? -0.0L : 0.0L;    // below the normal range: taken as zero
        return true;
    }
    if (ec != std::errc() || ptr != end) return false;
    value = negative ? -magnitude : magnitude;
    return true;
}

} // namespace verrask
