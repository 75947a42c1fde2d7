// Four significant digits, locale-proof (see FigureFormat.h).
#include "report/FigureFormat.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace verrask::report {

namespace {

// snprintf writes the locale's decimal point: put '.' where it is another text. Skips a
// leading '-' when `dropNegativeZero` and every digit is 0 (no "-0.00").
std::string WithDecimalPoint(const char* buffer, bool dropNegativeZero) {
    const char* point = std::localeconv()->decimal_point;
    const std::size_t pointSize = point && *point ? std::strlen(point) : 0;
    if (dropNegativeZero && buffer[0] == '-' &&
        std::strspn(buffer + 1, "0.,") == std::strlen(buffer + 1))
        ++buffer;
    std::string text;
    for (const char* p = buffer; *p;) {
        if (pointSize && std::strncmp(p, point, pointSize) == 0) {
            text += '.';
            p += pointSize;
        } else {
            text += *p++;
        }
    }
    return text;
}

} // namespace

std::string FormatFigure(long double value) {
    if (!std::isfinite(value)) return "n/a";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.4Lg", value);
    return WithDecimalPoint(buffer, false);
}

std::string FormatFixed(double value, int decimals) {
    if (!std::isfinite(value)) return "n/a";
    // Far beyond any axis or drawing: keeps the text short whatever the value.
    if (decimals < 0) decimals = 0;
    if (decimals > 12) decimals = 12;
    char buffer[384]; // the largest double in %f is 309 digits before the point
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return WithDecimalPoint(buffer, true);
}

} // namespace verrask::report
