// The vector types of the fast solver paths: eight 32-bit lanes in one AVX2 register (V), or
// several such registers side by side (TWide), and the few operations the kernels share.
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

// Parts x 8 lanes as that many vectors side by side in memory order: element e of the whole is
// element e % 8 of part e / 8. The operations act on every part.
template <int Parts> struct TWide {
    V P[Parts];

    static TWide Load(const std::uint32_t* p) {
        TWide w;
        for (int i = 0; i < Parts; ++i) w.P[i] = lanes::Load(p + SolverLanes * i);
        return w;
    }
    void Store(std::uint32_t* p) const {
        for (int i = 0; i < Parts; ++i) lanes::Store(P[i], p + SolverLanes * i);
    }
    static TWide Fill(std::uint32_t x) {
        TWide w;
        for (V& part : w.P) part = V(x);
        return w;
    }
    std::uint32_t operator[](int e) const { return P[e / SolverLanes][e % SolverLanes]; }
    bool AllSet() const {
        for (const V& part : P)
            if (!stdx::all_of(part != 0u)) return false;
        return true;
    }
    bool NoneSet() const {
        for (const V& part : P)
            if (!stdx::none_of(part != 0u)) return false;
        return true;
    }

    template <typename TOp> friend TWide Apply(TWide a, const TWide& b, TOp op) {
        for (int i = 0; i < Parts; ++i) a.P[i] = op(a.P[i], b.P[i]);
        return a;
    }
    friend TWide operator+(const TWide& a, const TWide& b) {
        return Apply(a, b, [](const V& x, const V& y) { return x + y; });
    }
    friend TWide operator^(const TWide& a, const TWide& b) {
        return Apply(a, b, [](const V& x, const V& y) { return x ^ y; });
    }
    friend TWide operator&(const TWide& a, const TWide& b) {
        return Apply(a, b, [](const V& x, const V& y) { return x & y; });
    }
    friend TWide operator|(const TWide& a, const TWide& b) {
        return Apply(a, b, [](const V& x, const V& y) { return x | y; });
    }
    TWide& operator|=(const TWide& b) { return *this = *this | b; }
    TWide& operator&=(const TWide& b) { return *this = *this & b; }
    friend TWide operator>>(TWide a, int n) {
        for (V& part : a.P) part = part >> n;
        return a;
    }
    friend TWide SumFirst(TWide a) {
        for (V& part : a.P) part = lanes::SumFirst(part);
        return a;
    }
    friend TWide Third(TWide a) {
        for (V& part : a.P) part = lanes::Third(part);
        return a;
    }
};

} // namespace sheetpile::lanes
