// The vector type of the fast solver paths, eight 32-bit lanes in one AVX2 register, and the few
// operations the kernels share.
#pragma once

#include "sheetpile/SolverPlanes.h"

#include <experimental/simd>
#include <immintrin.h>

namespace sheetpile::lanes {

namespace stdx = std::experimental;
using V = stdx::simd<std::uint32_t, stdx::simd_abi::deduce_t<std::uint32_t, SolverLanes>>;
static_assert(sizeof(V) == sizeof(__m256i), "one vector is one AVX2 register");

inline V Load(const std::uint32_t* p) {
    return V(p, stdx::element_aligned);
}
inline void Store(const V& v, std::uint32_t* p) {
    v.copy_to(p, stdx::element_aligned);
}

// v, with the promise that the compiler does not fold the additions that made it into the
// additions that use it. A sweep sums a node's three settled neighbours first and adds the value
// just written last, so that the chain from node to node stays one add and one shift; left to
// itself the compiler may rebalance the sum and put two adds on that chain.
inline V SumFirst(const V& v) {
    auto x = static_cast<__m256i>(v);
    asm("" : "+x"(x));
    return V(x);
}

// x / 3 in every lane, exact for all 32-bit x: (x * 0xAAAAAAAB) >> 33 on the even and the odd
// lanes' 64-bit products.
inline V Third(const V& x) {
    const auto v = static_cast<__m256i>(x);
    const __m256i k = _mm256_set1_epi64x(0xAAAAAAAB);
    const __m256i even = _mm256_srli_epi64(_mm256_mul_epu32(v, k), 33);
    const __m256i odd = _mm256_srli_epi64(_mm256_mul_epu32(_mm256_srli_epi64(v, 32), k), 1);
    return V(_mm256_blend_epi32(even, odd, 0xAA));
}

// `value` in the lanes of `mask`, `kept` elsewhere.
inline V Blend(const V& kept, const V& value, const V& mask) {
    return V(_mm256_blendv_epi8(static_cast<__m256i>(kept), static_cast<__m256i>(value),
                                static_cast<__m256i>(mask)));
}

// Bit e set where lane e is not 0.
inline unsigned LaneBits(const V& x) {
    const __m256i zero = _mm256_cmpeq_epi32(static_cast<__m256i>(x), _mm256_setzero_si256());
    return ~static_cast<unsigned>(_mm256_movemask_ps(_mm256_castsi256_ps(zero))) & 0xFFu;
}

// All ones in the lanes of the set bits.
inline V LaneMask(unsigned bits) {
    return V([bits](auto e) { return (bits >> e) & 1u ? ~0u : 0u; });
}

// The bits of lanes first..last, clamped to 0..7.
inline unsigned LaneRange(int first, int last) {
    first = first < 0 ? 0 : first;
    last = last > SolverLanes - 1 ? SolverLanes - 1 : last;
    return first > last ? 0u : (2u << last) - (1u << first);
}

} // namespace sheetpile::lanes
