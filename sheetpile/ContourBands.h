// Contour bands: the width of N equal bands of 0..FullScale and the band a value falls in.
//
// BandOfLinear is the plain search over the bands, kept as the reference; BandOfDivision gives
// the same answer with one division. They agree for every value v
// whenever s = BandWidth(n): then n x s <= FullScale + n / 2, so no 32-bit product wraps, the
// search matches k - 1 = floor(v / s) exactly when v < n x s, and nothing matches otherwise.
//
// TBandLookup, what the marking uses, gives BandOfDivision's answer without a division: for
// every 32-bit v and s >= 2, floor(v / s) is the high 64 bits of v x ceil(2^64 / s).
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

__extension__ using TWideProduct = unsigned __int128; // GCC and Clang, every 64-bit target

// BandOfDivision(v, n, BandWidth(n), b) with the quotient by a multiplication.
class TBandLookup {
  public:
    explicit TBandLookup(std::uint32_t n)
        : count_(n), width_(BandWidth(n)),
          reciprocal_(width_ >= 2 ? ~std::uint64_t{0} / width_ + 1 : 0) {}

    bool operator()(std::uint32_t v, std::uint32_t& b) const {
        if (width_ == 0) return false;
        const std::uint32_t q =
            width_ == 1 ? v : static_cast<std::uint32_t>((TWideProduct{reciprocal_} * v) >> 64);
        if (q >= count_) return false;
        b = q;
        return true;
    }

  private:
    std::uint32_t count_, width_;
    std::uint64_t reciprocal_; // ceil(2^64 / width_) for widths of 2 and more
};

} // namespace sheetpile
