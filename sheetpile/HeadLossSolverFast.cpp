// Head-loss solver, fast path: a quarter of the columns in flight at once, each for its own
// pass, giving bit for bit the grid, the pass count and the end of the plain solver.
//
// Why the values are the same. A pass is cut into column slots: slot 0 the left edge and its
// corner; slot c (1..N-1) the base node of column c, the blanket node of row 0 if column c
// carries one, and the down-and-up sweep of column c; slot U-1 also the base nodes of U and D
// and the wall (row 0 at U and D, faces, tips); slot U the nodes below the tip; slot D nothing;
// slot N-1 also the base corner and the right edge. Every node a slot updates reads, in the
// plain order, the current pass's value of the nodes to its left and of its own column, and
// the previous pass's value of the nodes to its right, where "right" reaches at most one column
// beyond, except that the wall (slot U-1) reads column D+1 = U+2, three slots on. So pass p may
// run slot c at step t = 4p + c: the columns it reads were last written at steps t-1 (to its
// left, pass p) and t-3 or earlier (to its right, pass p-1), and the wall's column U+2 at step
// t-1 by pass p-1. Step t therefore runs every slot c of the residue of t modulo 4, each for its
// own pass (t - c) / 4, and the slots of one step neither write what another reads nor read what
// another writes. The base row, the blankets and the edges, which the plain order runs before a
// pass's interior, are met slot by slot; their reads obey the same rule.
//
// Within a step the columns of one residue lie side by side in their plane, eight to a vector:
// vector K of plane m holds slots 8K..8K+7, lane e of it column 4 (8K + e - Pad) + m at pass
// s - 8 (K - 1) - e, where s = (t - m) / 4 is the vector's iteration. A lane whose column is not
// swept (0, U, D, N, or beyond the grid), or whose pass is not wanted, stores back what it loads.
//
// Order of the work: running every step over all columns would stream the whole grid from L2 once
// per step. Instead the units (vector K, plane m, iteration s) run in bands of the skewed index
// K + s + [m >= j], BandVectors wide, band after band, and in each band iteration by iteration,
// plane by plane: a unit reads units of no later skewed index and of an earlier (s, m) only
// (plane m-1 at s and plane m+1 at s-1 at the same K; plane 3 at s-1 at K-1 and K for plane 0;
// plane 0 at s at K and K+1 for plane 3), and the units reading what it overwrites likewise come
// before it; so every value read is the one the plain order reads. Each band keeps a few vectors'
// columns of the four planes in L1 while it walks left through the grid. The wall reads column
// U+2 of the step before, which lies in plane m-1 of the same iteration and possibly one vector
// on; j = m (the residue of U-1, when it is not 0) keeps that unit at a lower skewed index, and
// the nodes below the tip, which read U+2 two steps back, too.
//
// Within a unit: the base and blanket nodes of its vectors, then the down-and-up sweeps with the
// scalar chain of the unit, if any, alongside. The left edge and the nodes below the tip go with
// the vector holding their column, whose lane there stores back what it loads before the chain
// writes it. The wall and the right edge read their left neighbour column's old values and are
// read by its sweep: they go with the unit's other vector (or alone), before that column's one.
//
// Ending at the first quiet pass: passes run in segments (8 passes, doubling up to 256) that fill
// and drain the wave; each column's changed mark is gathered into its pass's bit. When a segment
// holds a quiet pass, the planes go back to the segment's start and only the passes up to the
// quiet one are run again.
//
// Assumes what SolveHeadLoss assumes; columns above LastCol are neither read nor written.
#include "sheetpile/HeadLossSweep.h"
#include "sheetpile/ModelState.h"
#include "sheetpile/SolverVector.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace sheetpile {

namespace {

using namespace lanes;
using namespace headloss;
using TPlanes = TColumnPlanes;

constexpr int Pad = TPlanes::ColumnPad;
constexpr int FirstGroup = 8;     // passes of the first segment: a second run is often 1 pass
constexpr int LargestGroup = 256; // longer segments fill and drain less often, replay more
constexpr int MarkWords = (LargestGroup + 2 * SolverLanes + 63) / 64;

struct TGeometry {
    int L, U, D, R, N, P;
};

// Bit e of `bits` moved to bit 7 - e.
constexpr std::array<std::uint8_t, 256> ReversedBits = [] {
    std::array<std::uint8_t, 256> table{};
    for (unsigned bits = 0; bits < 256; ++bits)
        for (int e = 0; e < SolverLanes; ++e)
            table[bits] = static_cast<std::uint8_t>(table[bits] | ((bits >> e) & 1u)
                                                                      << (SolverLanes - 1 - e));
    return table;
}();

constexpr int BandVectors = GroupVectors; // vectors of one plane a band runs at each iteration
constexpr int MaxVectors = TPlanes::Width / SolverLanes;

class THeadWave {
  public:
    THeadWave(TPlanes& planes, const TGeometry& geometry)
        : G(planes), g(geometry),
          Vectors(((g.N >> 2) + Pad) / SolverLanes), Edges{&H(0, 0),   &H(0, 1),
                                                           &H(0, g.N), &H(0, g.N - 1),
                                                           &H(0, g.U), &H(0, g.U - 1),
                                                           &H(0, g.D), &H(0, g.D + 1),
                                                           g.P,        g.U > g.L,
                                                           g.R > g.D,  &TipMoved} {
        const int L = g.L, U = g.U, D = g.D, R = g.R, N = g.N;
        alignas(32) std::array<std::uint32_t, 4 * TPlanes::Width> sweeps{}, blankets{};
        for (int c = 1; c <= N - 1; ++c) {
            if (c == U || c == D) continue;
            sweeps[Slot(c)] = ~0u;
            if ((c > L && c < U) || (c > D && c < R)) blankets[Slot(c)] = ~0u;
        }
        for (int m = 0; m < 4; ++m) {
            const auto im = static_cast<std::size_t>(m);
            for (int K = 1; K <= Vectors; ++K) {
                const auto at = static_cast<std::size_t>(m * TPlanes::Width + SolverLanes * K);
                const auto iK = static_cast<std::size_t>(K);
                SweepMasks[im][iK] = Load(&sweeps[at]);
                BlanketMasks[im][iK] = Load(&blankets[at]);
                BlanketBits[im][iK] = LaneBits(BlanketMasks[im][iK]);
            }
            std::uint32_t* const own = G.Slots(m, 0, 0);
            // Column c - 1 lies in plane m - 1 at the same slot, or in plane 3 one slot back;
            // c + 1 likewise.
            Left[im] = G.Slots((m + 3) & 3, 0, m == 0 ? -1 : 0) - own;
            Right[im] = G.Slots((m + 1) & 3, 0, m == 3 ? 1 : 0) - own;
        }
        Drop = (U - 1) & 3 ? (U - 1) & 3 : 3;
    }

    // Runs passes 0..passes-1 of a segment from the planes' current state; returns the first
    // quiet one, or -1.
    int RunSegment(int passes) {
        Marks.fill(0);
        const int lastIteration = SolverLanes * (Vectors - 1) + passes + SolverLanes - 2;
        const int lastIndex = Vectors + lastIteration + 1;
        for (int band = 1; band <= lastIndex; band += BandVectors) {
            const int firstS = std::max(0, band - Vectors - 1);
            const int lastS = std::min(lastIteration, band + BandVectors - 1);
            for (int s = firstS; s <= lastS; ++s) {
                // The vectors with a wanted lane at iteration s.
                const int activeFirst = 1 + std::max(0, (s - passes - 6 + 7) >> 3);
                const int activeLast = std::min(Vectors, 1 + (s >> 3));
                for (int m = 0; m < 4; ++m) {
                    const int skew = band - s - (m >= Drop ? 1 : 0);
                    const int k0 = std::max(activeFirst, skew);
                    const int k1 = std::min(activeLast, skew + BandVectors - 1);
                    if (k0 <= k1) Unit(m, s, k0, k1, passes);
                }
            }
        }
        for (int p = 0; p < passes; ++p)
            if (!((Marks[static_cast<std::size_t>((p + Margin) >> 6)] >> ((p + Margin) & 63)) & 1u))
                return p;
        return -1;
    }

  private:
    static constexpr int Margin = SolverLanes; // mark bits below pass 0 for lanes not wanted

    // Column c's place in the planes' column order (plane c mod 4, slot c div 4 + Pad).
    static std::size_t Slot(int c) {
        return static_cast<std::size_t>((c & 3) * TPlanes::Width + (c >> 2) + Pad);
    }
    // The vector holding column c in its plane.
    static int VectorOf(int c) { return ((c >> 2) + Pad) / SolverLanes; }
    std::uint32_t& H(int r, int c) { return G.At(r, c); }

    // Marks the passes of the lanes in `bits` of the vector whose lane 0 runs pass `pass0` (lane e
    // runs pass0 - e) as changed.
    void Mark(int pass0, unsigned bits) {
        if (bits == 0) return;
        const int at = pass0 + Margin - (SolverLanes - 1);
        const std::uint64_t word = ReversedBits[bits];
        const auto w = static_cast<std::size_t>(at >> 6);
        const int shift = at & 63;
        Marks[w] |= word << shift;
        if (shift > 64 - SolverLanes) Marks[w + 1] |= word >> (64 - shift);
    }
    void MarkPass(int pass) { Mark(pass + SolverLanes - 1, 1u << 7); }

    void LeftEdgeAlone() {
        for (int r = 1; r < B; ++r) H(r, 0) = (H(r - 1, 0) + H(r + 1, 0) + H(r, 1)) / 3;
        H(B, 0) = (H(B - 1, 0) + H(B, 1)) >> 1;
    }
    void Base(int c) { H(B, c) = (H(B - 1, c) + H(B, c - 1) + H(B, c + 1)) / 3; }

    void RightEdgeAlone() {
        const int N = g.N;
        H(B, N) = (H(B - 1, N) + H(B, N - 1)) >> 1;
        for (int r = B - 1; r >= 1; --r) H(r, N) = (H(r - 1, N) + H(r + 1, N) + H(r, N - 1)) / 3;
    }

    void Wall() {
        const int L = g.L, U = g.U, D = g.D, R = g.R, P = g.P;
        if (P >= 1) {
            if (U > L) H(0, U) = (H(0, U - 1) + H(1, U)) >> 1;
            for (int r = 1; r <= P - 1; ++r)
                H(r, U) = (H(r - 1, U) + H(r + 1, U) + H(r, U - 1)) / 3;
            H(P, U) = (H(P - 1, U) + H(P + 1, U) + H(P, U - 1) + H(P, D)) >> 2;
            H(P, D) = (H(P - 1, D) + H(P + 1, D) + H(P, U) + H(P, D + 1)) >> 2;
            for (int r = P - 1; r >= 1; --r)
                H(r, D) = (H(r - 1, D) + H(r + 1, D) + H(r, D + 1)) / 3;
            if (R > D) H(0, D) = (H(0, D + 1) + H(1, D)) >> 1;
        } else {
            if (U > L) H(0, U) = (H(1, U) + H(0, U - 1) + H(0, U + 1)) / 3;
            if (R > D) H(0, D) = (H(1, D) + H(0, D - 1) + H(0, D + 1)) / 3;
        }
    }

    // Whether column c runs a wanted pass at iteration s.
    static bool Wanted(int c, int s, int passes) {
        const int pass = s - (c >> 2);
        return pass >= 0 && pass < passes;
    }

    // Sweeps vectors k0..k1 of plane m at iteration s (masks from k0 on), with `chain`.
    void Sweep(int m, int s, int k0, int k1, const V* masks, unsigned masked, unsigned chain) {
        const int count = k1 - k0 + 1;
        std::uint32_t* const own = G.Slots(m, 0, SolverLanes * k0);
        V moved[GroupVectors];
        const auto im = static_cast<std::size_t>(m);
        SweepTable[static_cast<std::size_t>(count - 1)][masked * 16 + chain](
            own, Left[im], Right[im], masks, moved, Edges);
        for (int i = 0; i < count; ++i) Mark(s - SolverLanes * (k0 + i - 1), LaneBits(moved[i]));
    }

    // Unit (vectors k0..k1, plane m, iteration s) of a segment of `passes` passes.
    void Unit(int m, int s, int k0, int k1, int passes) {
        const auto im = static_cast<std::size_t>(m);
        std::uint32_t* const own = G.Slots(m, 0, 0);
        const std::ptrdiff_t left = Left[im], right = Right[im];
        V masks[GroupVectors];
        unsigned masked = 0;
        for (int K = k0; K <= k1; ++K) {
            const auto iK = static_cast<std::size_t>(K);
            const int i = K - k0;
            // Lane e runs pass pass0 - e; all are wanted between the wave's filling and draining.
            const int pass0 = s - SolverLanes * (K - 1);
            V mask = SweepMasks[im][iK], blanket = BlanketMasks[im][iK];
            unsigned blanketBits = BlanketBits[im][iK];
            if (pass0 < SolverLanes - 1 || pass0 > passes - 1) {
                const V range = LaneMask(LaneRange(pass0 - passes + 1, pass0));
                mask &= range;
                blanket &= range;
                blanketBits = LaneBits(blanket);
            }
            masks[i] = mask;
            if (LaneBits(~mask) != 0) masked |= 1u << i;
            // The base node of every swept column, and the blanket node where there is one.
            std::uint32_t* const node = own + SolverLanes * K;
            const V base = Third(Load(node + (B - 1) * Row) + Load(node + left + B * Row) +
                                 Load(node + right + B * Row));
            Store(Blend(Load(node + B * Row), base, mask), node + B * Row);
            if (blanketBits != 0) {
                const V top = Third(Load(node + Row) + Load(node + left) + Load(node + right));
                Store(Blend(Load(node), top, blanket), node);
            }
        }

        // A chain read by the sweep of its left neighbour column, in vector `first`: with the
        // unit's vectors left of it (or right of it, or alone), then `first` and those right of it.
        auto before = [&](int first, unsigned chain, auto alone) {
            const int i = first - k0;
            if (first > k0) {
                Sweep(m, s, k0, first - 1, masks, masked & ((1u << i) - 1), chain);
                Sweep(m, s, first, k1, masks + i, masked >> i, NoEdge);
            } else if (k1 > k0) {
                Sweep(m, s, k0 + 1, k1, masks + 1, masked >> 1, chain);
                Sweep(m, s, k0, k0, masks, masked & 1u, NoEdge);
            } else {
                alone();
                Sweep(m, s, k0, k0, masks, masked & 1u, NoEdge);
            }
        };
        const int U = g.U, N = g.N;
        if (m == ((U - 1) & 3) && Wanted(U - 1, s, passes) && VectorOf(U - 1) >= k0 &&
            VectorOf(U - 1) <= k1) {
            Base(U);
            Base(g.D);
            if (g.P >= 1)
                before(VectorOf(U - 1), WallFaces, [this] { Wall(); });
            else {
                Wall();
                Sweep(m, s, k0, k1, masks, masked, NoEdge);
            }
            return;
        }
        if (m == ((N - 1) & 3) && Wanted(N - 1, s, passes) && VectorOf(N - 1) >= k0 &&
            VectorOf(N - 1) <= k1) {
            before(VectorOf(N - 1), RightEdge, [this] { RightEdgeAlone(); });
            return;
        }
        unsigned chain = NoEdge;
        if (m == 0 && k0 == 1 && Wanted(0, s, passes)) chain = LeftEdge;
        bool tip = false;
        if (m == (U & 3) && Wanted(U, s, passes) && VectorOf(U) >= k0 && VectorOf(U) <= k1) {
            chain = BelowTipNodes;
            tip = true;
            TipMoved = 0;
        }
        Sweep(m, s, k0, k1, masks, masked, chain);
        if (tip && TipMoved != 0) MarkPass(s - (U >> 2));
    }

    TPlanes& G;
    const TGeometry g;
    const int Vectors; // vectors 1..Vectors of each plane hold columns 0..N
    int Drop = 3;      // planes m >= Drop count one more in the skewed index
    std::uint32_t TipMoved = 0;
    const TEdgeColumns Edges;
    std::array<std::array<V, MaxVectors + 1>, 4> SweepMasks, BlanketMasks;
    std::array<std::array<unsigned, MaxVectors + 1>, 4> BlanketBits;
    std::array<std::ptrdiff_t, 4> Left, Right;
    std::array<std::uint64_t, MarkWords> Marks{};
};

} // namespace

void TModel::SolveHeadLossFast() {
    const TGeometry g{LeftBlanketCol, PileUpCol, PileDownCol, RightBlanketCol, LastCol, PileRows};
    for (int c = 0; c <= g.U; ++c) HeadGrid[0][c] = 0;
    for (int c = g.D; c <= g.N; ++c) HeadGrid[0][c] = FullScale;

    TPlanes& planes = HeadPlanes;
    planes.Cells.fill(0); // the slots of no column that the vectors load as well
    for (int r = 0; r <= B; ++r)
        for (int c = 0; c <= g.N; ++c) planes.At(r, c) = HeadGrid[r][c];

    THeadWave wave(planes, g);
    std::uint64_t passes = 0;
    for (int group = FirstGroup;; group = std::min(2 * group, LargestGroup)) {
        HeadCheckpoint.Cells = planes.Cells;
        const int quiet = wave.RunSegment(group);
        if (quiet >= 0) {
            planes.Cells = HeadCheckpoint.Cells;
            wave.RunSegment(quiet + 1);
            passes += static_cast<std::uint64_t>(quiet) + 1;
            break;
        }
        passes += static_cast<std::uint64_t>(group);
    }
    HeadPasses = passes;
    for (int r = 0; r <= B; ++r)
        for (int c = 0; c <= g.N; ++c) HeadGrid[r][c] = planes.At(r, c);
}

} // namespace sheetpile
