// The vector type of the fast solver paths: eight 32-bit lanes, one AVX2 register, and the few
// operations on it that the kernels share.
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

// x / 3 in every lane, exact for all 32-bit x.
inline V Third(const V& x) {
    using W = stdx::fixed_size_simd<std::uint64_t, SolverLanes>;
    const W wide = stdx::static_simd_cast<W>(x);
    return stdx::static_simd_cast<V>((wide * W(0xAAAAAAABull)) >> 33);
}

} // namespace sheetpile::lanes
