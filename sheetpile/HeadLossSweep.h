// The head-loss fast path's sweep kernel: the down-and-up sweeps of up to GroupVectors vectors of
// columns of one residue modulo 4, with the scalar chain (an edge, the wall or the nodes below the
// tip) that may go alongside them, and the table of its variants. Only HeadLossSolverFast.cpp
// includes it.
//
// Assumes: the caller gives each chain a call whose vectors neither write what the chain reads
// nor read what it writes before the chain has written it (see HeadLossSolverFast.cpp); all loads
// stay inside the planes.
#pragma once

#include "sheetpile/ModelState.h"
#include "sheetpile/SolverVector.h"

#include <array>
#include <cstdint>
#include <utility>

namespace sheetpile::headloss {

using namespace lanes;

inline constexpr int B = BaseRow;
inline constexpr std::ptrdiff_t Row = TColumnPlanes::Width;
// Vectors swept together: independent chains side by side. Three keep the columns a band works
// on (the four planes of about four vectors) in L1.
inline constexpr int GroupVectors = 3;

// The scalar chains a sweep may carry alongside its vectors: column 0 (rows 1 -> 49, then its
// base corner), column N (its base corner, then rows 49 -> 1), the wall (row 0 at U, the upstream
// face down, the tips, the downstream face up, row 0 at D) and the nodes below the tip.
enum TEdges : unsigned {
    NoEdge = 0,
    LeftEdge = 1,
    RightEdge = 2,
    WallFaces = 4,
    BelowTipNodes = 8
};

struct TEdgeColumns {
    std::uint32_t* left;         // row 0 of column 0
    const std::uint32_t* second; // row 0 of column 1
    std::uint32_t* right;        // row 0 of column N
    const std::uint32_t* before; // row 0 of column N-1
    std::uint32_t* up;           // row 0 of column U
    const std::uint32_t* beside; // row 0 of column U-1
    std::uint32_t* down;         // row 0 of column D
    const std::uint32_t* after;  // row 0 of column D+1
    int P;
    bool leftBlanket, rightBlanket; // U > L, R > D
    std::uint32_t* tipChanged;      // marks a change below the tip
};

// The down-and-up sweeps of Count consecutive vectors of columns, row 0 of the first at `own`;
// their left and right neighbours lie `left` and `right` slots on. Vector i keeps its result
// only in the lanes of masks[i] if bit i of Masked is set. The chain from one node to the next
// is one add and one shift: the other three neighbours are summed first (the sums cannot wrap,
// so the order of the additions is free). The edges in Edges go alongside the downward sweep,
// each row's step after the vectors' one.
template <int Count, unsigned Masked, unsigned Edges>
void SweepColumns(std::uint32_t* own, std::ptrdiff_t left, std::ptrdiff_t right, const V* masks,
                  V* moved, const TEdgeColumns& edges) {
    // The masks in registers: read through `masks`, they would be loaded again at every row, as
    // the stores might alias them.
    V chain[Count], current[Count], change[Count], keep[Count];
#pragma GCC unroll 4
    for (int i = 0; i < Count; ++i) {
        chain[i] = Load(own + SolverLanes * i);
        current[i] = Load(own + Row + SolverLanes * i);
        change[i] = V(0u);
        keep[i] = Masked & (1u << i) ? masks[i] : V(0u);
    }
    std::uint32_t* const e0 = edges.left;
    const std::uint32_t* const e1 = edges.second;
    std::uint32_t* const eN = edges.right;
    const std::uint32_t* const eM = edges.before;
    std::uint32_t leftChain = 0, rightChain = 0, upChain = 0, downChain = 0, tipChanged = 0;
    std::uint32_t* const wu = edges.up;
    const std::uint32_t* const wb = edges.beside;
    std::uint32_t* const wd = edges.down;
    const std::uint32_t* const wa = edges.after;
    const int P = edges.P;
    if constexpr (Edges & WallFaces) {
        if (edges.leftBlanket) wu[0] = (wb[0] + wu[Row]) >> 1;
        upChain = wu[0];
    }
    if constexpr (Edges & BelowTipNodes) {
        upChain = wu[P * Row];
        downChain = wd[P * Row];
    }
    if constexpr (Edges & LeftEdge) leftChain = e0[0];
    if constexpr (Edges & RightEdge)
        eN[B * Row] = rightChain = (eN[(B - 1) * Row] + eM[B * Row]) >> 1;
    // Rows 1 -> 49 (Step 1), then 49 -> 1 (Step -1).
    for (int pass = 0; pass < 2; ++pass) {
        const std::ptrdiff_t step = pass == 0 ? Row : -Row;
        std::uint32_t* node = own + (pass == 0 ? Row : (B - 1) * Row);
        if (pass == 1) {
            if constexpr (Edges & LeftEdge) e0[B * Row] = (leftChain + e1[B * Row]) >> 1;
#pragma GCC unroll 4
            for (int i = 0; i < Count; ++i) {
                chain[i] = Load(own + B * Row + SolverLanes * i);
                current[i] = Load(node + SolverLanes * i);
            }
        }
#pragma GCC unroll 7
        for (int r = 1; r <= B - 1; ++r, node += step) {
#pragma GCC unroll 4
            for (int i = 0; i < Count; ++i) {
                std::uint32_t* const at = node + SolverLanes * i;
                const V next = Load(at + step);
                const V value =
                    (chain[i] + SumFirst(next + Load(at + left) + Load(at + right))) >> 2;
                if (Masked & (1u << i)) {
                    const V kept = Blend(current[i], value, keep[i]);
                    change[i] |= kept ^ current[i];
                    Store(kept, at);
                } else {
                    change[i] |= value ^ current[i];
                    Store(value, at);
                }
                chain[i] = value; // lanes that keep their load chain into themselves only
                current[i] = next;
            }
            if constexpr (Edges & WallFaces) {
                if (pass == 0 && r < P) {
                    upChain = (upChain + (wu[(r + 1) * Row] + wb[r * Row])) / 3;
                    wu[r * Row] = upChain;
                } else if (pass == 0 && r == P) {
                    const std::uint32_t tipUp =
                        (upChain + (wu[(P + 1) * Row] + wb[P * Row] + wd[P * Row])) >> 2;
                    wu[P * Row] = tipUp;
                    downChain = (wd[(P - 1) * Row] + wd[(P + 1) * Row] + tipUp + wa[P * Row]) >> 2;
                    wd[P * Row] = downChain;
                } else if (pass == 1 && r <= P - 1) {
                    const int face = P - r; // rows P-1 -> 1
                    downChain = (downChain + (wd[(face - 1) * Row] + wa[face * Row])) / 3;
                    wd[face * Row] = downChain;
                }
            }
            if constexpr (Edges & BelowTipNodes) {
                if (pass == 0 && r > P) {
                    const std::uint32_t u =
                        (upChain + (wu[(r + 1) * Row] + wb[r * Row] + wd[r * Row])) >> 2;
                    tipChanged |= u ^ wu[r * Row];
                    wu[r * Row] = upChain = u;
                    const std::uint32_t d =
                        (downChain + (wd[(r + 1) * Row] + u + wa[r * Row])) >> 2;
                    tipChanged |= d ^ wd[r * Row];
                    wd[r * Row] = downChain = d;
                }
            }
            if (pass == 0) {
                if constexpr (Edges & LeftEdge) {
                    leftChain = (leftChain + (e0[(r + 1) * Row] + e1[r * Row])) / 3;
                    e0[r * Row] = leftChain;
                }
                if constexpr (Edges & RightEdge) {
                    const int up = B - r;
                    rightChain = (rightChain + (eN[(up - 1) * Row] + eM[up * Row])) / 3;
                    eN[up * Row] = rightChain;
                }
            }
        }
    }
    if constexpr (Edges & WallFaces)
        if (edges.rightBlanket) wd[0] = (wa[0] + wd[Row]) >> 1;
    if constexpr (Edges & BelowTipNodes) *edges.tipChanged |= tipChanged;
#pragma GCC unroll 4
    for (int i = 0; i < Count; ++i) moved[i] = change[i];
}

using TSweepFn = void (*)(std::uint32_t*, std::ptrdiff_t, std::ptrdiff_t, const V*, V*,
                          const TEdgeColumns&);

// SweepColumns by [Count - 1][Masked x 16 + Edges].
inline constexpr std::size_t SweepKinds = (1u << GroupVectors) * 16;
template <int Count> constexpr auto SweepRow() {
    return []<std::size_t... M>(std::index_sequence<M...>) {
        return std::array<TSweepFn, SweepKinds>{
            &SweepColumns<Count, (M / 16) % (1u << Count), M % 16>...};
    }
    (std::make_index_sequence<SweepKinds>{});
}
inline constexpr auto SweepTable = []<int... C>(std::integer_sequence<int, C...>) {
    return std::array<std::array<TSweepFn, SweepKinds>, GroupVectors>{SweepRow<C + 1>()...};
}
(std::make_integer_sequence<int, GroupVectors>{});

} // namespace sheetpile::headloss
