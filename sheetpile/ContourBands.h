// Contour bands: the width of N equal bands of 0..FullScale and the band a value falls in.
//
// BandOfLinear is the plain search over the bands, kept as the reference; BandOfDivision gives
// the same answer with one division and is what the marking uses. They agree for every value v
// whenever s = BandWidth(n): then n x s <= FullScale + n / 2, so no 32-bit product wraps, the
// search matches k - 1 = floor(v / s) exactly when v < n x s, and nothing matches otherwise.
//
// Holds: a lookup that finds no band leaves b untouched and returns false, so the caller keeps
// its running band.
#pragma once

#include "sheetpile/ModelState.h"

#include <cstdint>

namespace sheetpile {

// Round(FullScale / n) in extended precision, ties to even; n >= 1. At most FullScale, and 0
// once n exceeds 2 x FullScale (every band is then empty).
inline std::uint32_t BandWidth(std::uint32_t n) {
    return static_cast<std::uint32_t>(
        Round(static_cast<long double>(FullScale) / static_cast<long double>(n)));
}

// b = k - 1 for the k in 1..n with (k - 1) s <= v < k s, products and comparisons in unsigned
// 32 bits; false and b unchanged if no k matches.
inline bool BandOfLinear(std::uint32_t v, std::uint32_t n, std::uint32_t s, std::uint32_t& b) {
    for (std::uint64_t k = 1; k <= n; ++k) {
        const auto lower = static_cast<std::uint32_t>(k - 1) * s;
        const auto upper = static_cast<std::uint32_t>(k) * s;
        if (lower <= v && v < upper) {
            b = static_cast<std::uint32_t>(k - 1);
            return true;
        }
    }
    return false;
}

// The same lookup as BandOfLinear: b = floor(v / s) if that is below n, else no band.
inline bool BandOfDivision(std::uint32_t v, std::uint32_t n, std::uint32_t s, std::uint32_t& b) {
    if (s == 0) return false;
    const std::uint32_t q = v / s;
    if (q >= n) return false;
    b = q;
    return true;
}

} // namespace sheetpile
