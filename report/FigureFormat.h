// The design figures as people read them, shared by the batch tool's text and the report.
//
// Computes: four significant digits in the C library's general format ("%.4Lg": 0.3414, 1.5,
// 1.234e+05), "n/a" for a figure without a value (NaN or infinite); and fixed notation for axis
// ticks and drawing coordinates.
//
// Assumes: nothing about the process's locale: the decimal point is always '.', even where a
// window's toolkit has switched the C locale to one with a decimal comma.
//
// Holds: the text is ASCII, the same on every platform for the same value.
#pragma once

#include <string>

namespace verrask::report {

std::string FormatFigure(long double value);

// Fixed notation with `decimals` digits after the point ("%.*f"), '.' whatever the locale; for
// axis ticks and drawing coordinates. "n/a" for a value that is not finite.
std::string FormatFixed(double value, int decimals);

} // namespace verrask::report
