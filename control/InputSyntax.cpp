// Number syntax of the input boxes: validates the grammar by hand and converts the decimal
// number to the nearest extended value with exact big-integer arithmetic, the same code on every
// platform and independent of the C locale (library conversions differ: some read long double
// through double). The digits are first reduced to their significant run and a decimal
// exponent, so that leading zeros, long digit runs and huge exponents cannot overflow anything.
#include "control/InputSyntax.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

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

// Every extended normal value and every midpoint between two neighbours (the rounding
// boundaries) has at most 11516 significant decimal digits (the midpoints next to the
// smallest normal). Digits beyond kMaxDigits can only tell whether the value lies above such a
// boundary, so they are replaced by one nonzero digit further down.
constexpr std::size_t kMaxDigits = 11600;

// Extended format: exponent bias and the range of unbiased exponents of normal values.
constexpr int kExponentBias = 16383;
constexpr long long kMinBinaryExponent = -16382;
constexpr long long kMaxBinaryExponent = 16383;

// Unsigned big integer: 32-bit limbs, least significant first, no zero limb on top.
using TBigInt = std::vector<std::uint32_t>;

void MulAdd(TBigInt& a, std::uint32_t factor, std::uint32_t addend) {
    std::uint64_t carry = addend;
    for (std::uint32_t& limb : a) {
        const std::uint64_t t = std::uint64_t{limb} * factor + carry;
        limb = static_cast<std::uint32_t>(t);
        carry = t >> 32;
    }
    if (carry != 0) a.push_back(static_cast<std::uint32_t>(carry));
}

void MulPow10(TBigInt& a, long long n) {
    constexpr std::uint32_t kPow10[] = {1,      10,      100,      1000,      10000,
                                        100000, 1000000, 10000000, 100000000, 1000000000};
    for (; n >= 9; n -= 9) MulAdd(a, kPow10[9], 0);
    MulAdd(a, kPow10[n], 0);
}

std::size_t BitLength(const TBigInt& a) {
    if (a.empty()) return 0;
    std::size_t bits = 32 * (a.size() - 1);
    for (std::uint32_t top = a.back(); top != 0; top >>= 1) ++bits;
    return bits;
}

TBigInt ShiftLeft(const TBigInt& a, std::size_t bits) {
    if (a.empty()) return a;
    const std::size_t limbs = bits / 32, rest = bits % 32;
    TBigInt r(limbs, 0);
    std::uint32_t carry = 0;
    for (const std::uint32_t limb : a) {
        r.push_back(static_cast<std::uint32_t>(limb << rest) | carry);
        carry = rest == 0 ? 0 : limb >> (32 - rest);
    }
    if (carry != 0) r.push_back(carry);
    return r;
}

// -1, 0 or 1 as a is below, equal to or above b.
int Compare(const TBigInt& a, const TBigInt& b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    for (std::size_t k = a.size(); k-- > 0;)
        if (a[k] != b[k]) return a[k] < b[k] ? -1 : 1;
    return 0;
}

// a -= b, where a >= b.
void Subtract(TBigInt& a, const TBigInt& b) {
    std::uint64_t borrow = 0;
    for (std::size_t k = 0; k < a.size(); ++k) {
        const std::uint64_t sub = (k < b.size() ? b[k] : 0) + borrow;
        borrow = a[k] < sub ? 1 : 0;
        a[k] = static_cast<std::uint32_t>((std::uint64_t{a[k]} + (borrow << 32)) - sub);
    }
    while (!a.empty() && a.back() == 0) a.pop_back();
}

enum class TConversion { Finite, Overflow, Underflow };

// Rounds digits x 10^exp10 (digits: a run of decimal digits, the first nonzero) to the nearest
// extended value, ties to even, with an unbounded exponent; Overflow above the largest finite
// value, Underflow when the rounded value is below the smallest normal one.
TConversion DecimalToExtended(std::string_view digits, long long exp10, long double& magnitude) {
    bool inexactTail = false;
    if (digits.size() > kMaxDigits) {
        exp10 += static_cast<long long>(digits.size() - kMaxDigits);
        digits = digits.substr(0, kMaxDigits);
        inexactTail = true; // the run ends on a nonzero digit, so something was cut
    }
    TBigInt num, den{1};
    for (std::size_t k = 0; k < digits.size(); k += 9) {
        const std::size_t len = std::min<std::size_t>(9, digits.size() - k);
        std::uint32_t chunk = 0, scale = 1;
        for (std::size_t d = k; d < k + len; ++d) {
            chunk = chunk * 10 + static_cast<std::uint32_t>(digits[d] - '0');
            scale *= 10;
        }
        MulAdd(num, scale, chunk);
    }
    if (inexactTail) {
        MulAdd(num, 10, 1);
        --exp10;
    }
    if (exp10 >= 0)
        MulPow10(num, exp10);
    else
        MulPow10(den, -exp10);

    // Scale the fraction num / den by 2^shift into [2^65, 2^67): 64 significand bits, at least
    // one rounding bit, and whatever remains decides as the sticky part.
    const long long shift =
        66 - (static_cast<long long>(BitLength(num)) - static_cast<long long>(BitLength(den)));
    if (shift > 0)
        num = ShiftLeft(num, static_cast<std::size_t>(shift));
    else
        den = ShiftLeft(den, static_cast<std::size_t>(-shift));

    // Quotient bits 66 down to 0 by shift and subtract.
    std::uint64_t qLow = 0, qHigh = 0;
    for (int bit = 66; bit >= 0; --bit) {
        const TBigInt part = ShiftLeft(den, static_cast<std::size_t>(bit));
        if (Compare(num, part) >= 0) {
            Subtract(num, part);
            if (bit >= 64)
                qHigh |= std::uint64_t{1} << (bit - 64);
            else
                qLow |= std::uint64_t{1} << bit;
        }
    }
    const bool sticky = !num.empty();
    const int qBits = qHigh >= 4 ? 67 : 66;
    const int drop = qBits - 64;
    std::uint64_t significand = (qHigh << (64 - drop)) | (qLow >> drop);
    const std::uint64_t rest = qLow & ((std::uint64_t{1} << drop) - 1);
    const std::uint64_t half = std::uint64_t{1} << (drop - 1);
    long long exponent = qBits - 1 - shift;
    if (rest > half || (rest == half && (sticky || (significand & 1) != 0))) {
        if (++significand == 0) { // carried out of 64 bits
            significand = std::uint64_t{1} << 63;
            ++exponent;
        }
    }
    if (exponent > kMaxBinaryExponent) return TConversion::Overflow;
    if (exponent < kMinBinaryExponent) return TConversion::Underflow;

    // The 80-bit layout: explicit 64-bit significand, then sign and biased exponent (x86 order).
    unsigned char bytes[sizeof(long double)] = {};
    const auto biased = static_cast<std::uint16_t>(exponent + kExponentBias);
    std::memcpy(bytes, &significand, sizeof significand);
    std::memcpy(bytes + sizeof significand, &biased, sizeof biased);
    std::memcpy(&magnitude, bytes, sizeof magnitude);
    return TConversion::Finite;
}

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

    const std::size_t last = digits.find_last_not_of('0');
    const std::string_view significant = std::string_view(digits).substr(first, last - first + 1);
    long double magnitude = 0.0L;
    switch (DecimalToExtended(
        significant, pointExponent - static_cast<long long>(significant.size()), magnitude)) {
    case TConversion::Overflow:
        return false; // beyond the largest finite value
    case TConversion::Underflow:
        value = negative ? -0.0L : 0.0L;
        return true;
    case TConversion::Finite:
        break;
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

} // namespace verrask
