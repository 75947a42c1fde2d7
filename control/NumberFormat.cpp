// Display formats of results. The magnitude is expanded once to 18 significant digits with
// snprintf("%.17Le"), which glibc rounds correctly (nearest, ties to even); only the digits and
// the exponent of that text are read, so the decimal point of the C locale does not matter.
// The further rounding works on the decimal digits, a following digit of 5 or more rounding up.
#include "control/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace verrask {

static_assert(std::numeric_limits<long double>::digits == 64,
              "long double must be the 80-bit x86 extended format");

namespace {

// A positive decimal 0.digits x 10^exponent; no digits means zero.
struct Decimal {
    std::string digits;
    int exponent = 0;
};

// Expects a finite, positive magnitude.
Decimal Expand18(long double magnitude) {
    char text[64];
    std::snprintf(text, sizeof text, "%.17Le", magnitude);
    Decimal d;
    const char* p = text;
    for (; *p != '\0' && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') d.digits += *p;
    }
    const int sciExponent = (*p == 'e') ? std::atoi(p + 1) : 0;
    d.exponent = sciExponent + 1;
    return d;
}

// Keeps the first `keep` digits (none if keep <= 0); a following digit of 5 or more rounds up,
// and a carry out of the first digit raises the exponent. Trailing zeros are dropped.
void RoundHalfUp(Decimal& d, int keep) {
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    const auto kept = static_cast<std::size_t>(keep);
    if (kept < d.digits.size()) {
        const bool up = d.digits[kept] >= '5';
        d.digits.resize(kept);
        if (up) {
            std::size_t i = kept;
            while (i > 0 && d.digits[i - 1] == '9') d.digits[--i] = '0';
            if (i == 0) {
                d.digits.insert(d.digits.begin(), '1');
                ++d.exponent;
            } else {
                ++d.digits[i - 1];
            }
        }
    }
    const std::size_t last = d.digits.find_last_not_of('0');
    d.digits.resize(last == std::string::npos ? 0 : last + 1);
}

// Digit of 0.digits x 10^exponent at the given power of ten; '0' outside the digits.
char DigitAt(const Decimal& d, int power) {
    const long long index = static_cast<long long>(d.exponent) - 1 - power;
    if (index < 0 || index >= static_cast<long long>(d.digits.size())) return '0';
    return d.digits[static_cast<std::size_t>(index)];
}

bool NonFinite(long double value, std::string& text) {
    if (std::isnan(value)) {
        text = "NAN";
        return true;
    }
    if (std::isinf(value)) {
        text = value < 0 ? "-INF" : "INF";
        return true;
    }
    return false;
}

} // namespace

std::string FormatGeneral(long double value, char decimalSeparator) {
    std::string text;
    if (NonFinite(value, text)) return text;
    if (value == 0) return "0";
    if (value < 0) text += '-';

    Decimal d = Expand18(std::fabs(value));
    RoundHalfUp(d, 4);
    const int e = d.exponent;
    const int k = static_cast<int>(d.digits.size());

    if (e >= -3 && e <= 4) {
        if (e > 0) {
            for (int power = e - 1; power >= 0; --power) text += DigitAt(d, power);
            if (k > e) {
                text += decimalSeparator;
                text.append(d.digits, static_cast<std::size_t>(e), std::string::npos);
            }
        } else {
            text += '0';
            text += decimalSeparator;
            text.append(static_cast<std::size_t>(-e), '0');
            text += d.digits;
        }
        return text;
    }
    text += d.digits[0];
    if (k > 1) {
        text += decimalSeparator;
        text.append(d.digits, 1, std::string::npos);
    }
    text += 'E';
    text += std::to_string(e - 1);
    return text;
}

std::string FormatFixed2(long double value, char decimalSeparator) {
    std::string text;
    if (NonFinite(value, text)) return text;

    Decimal d;
    if (value != 0) {
        d = Expand18(std::fabs(value));
        RoundHalfUp(d, std::min(8, d.exponent + 2));
    }
    if (d.digits.empty()) d.exponent = 0;
    if (value < 0 && !d.digits.empty()) text += '-';

    if (d.exponent <= 0) text += '0';
    for (int power = d.exponent - 1; power >= 0; --power) text += DigitAt(d, power);
    text += decimalSeparator;
    text += DigitAt(d, -1);
    text += DigitAt(d, -2);
    return text;
}

} // namespace verrask
