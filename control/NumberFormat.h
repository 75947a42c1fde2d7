// Decimal text of results for display: the general format with four significant digits (shape
// factor and discharge) and the two-decimal fixed format (probed depth). Both first write the
// magnitude as 18 significant digits, correctly rounded, then round that decimal text with a
// following digit of 5 or more rounding up. Locale-independent apart from the separator given.
#pragma once

#include <string>

namespace verrask {

// General format, four significant digits: "0" for zero; "-" and the magnitude's text for a
// negative value; with the rounded magnitude 0.d1..dk x 10^E (trailing zeros dropped), fixed
// notation for -3 <= E <= 4, otherwise d1[sep d2..dk]E<E-1>. Non-finite: "INF", "-INF", "NAN".
std::string FormatGeneral(long double value, char decimalSeparator);

// Fixed notation with exactly two decimals and at most 8 significant digits (digits beyond the
// eighth are zeros), no thousands separator; "-" only when the rounded value is not zero.
// Meant for finite input; non-finite values give "INF", "-INF", "NAN".
std::string FormatFixed2(long double value, char decimalSeparator);

} // namespace verrask
