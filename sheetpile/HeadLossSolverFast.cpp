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
// Within a step the columns of one residue lie side by side in their plane: eight to a vector,
// the base and blanket nodes first, then the scalar slots (edges, wall, below the tip), then the
// down-and-up sweeps, a few vectors at a time. A lane whose column is not swept (0, U, D, N, or
// beyond the grid), or whose pass is not wanted, stores back what it loaded.
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

unsigned Reversed8(unsigned bits) {
    unsigned r = 0;
    for (int e = 0; e < SolverLanes; ++e) r |= ((bits >> e) & 1u) << (SolverLanes - 1 - e);
    return r;
}

class THeadWave {
  public:
    THeadWave(TPlanes& planes, const TGeometry& geometry) : G(planes), g(geometry) {
        const int L = g.L, U = g.U, D = g.D, R = g.R, N = g.N;
        for (int c = 1; c <= N - 1; ++c) {
            if (c == U || c == D) continue;
            Sweeps[Slot(c)] = ~0u;
            if ((c > L && c < U) || (c > D && c < R)) Blankets[Slot(c)] = ~0u;
        }
    }

    // Runs passes 0..passes-1 of a segment from the planes' current state; returns the first
    // quiet one, or -1.
    int RunSegment(int passes) {
        Marks.fill(0);
        const int steps = 4 * (passes - 1) + g.N;
        for (int t = 0; t < steps; ++t) Step(t, passes);
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
    std::uint32_t& H(int r, int c) { return G.At(r, c); }

    // Marks the passes of the lanes in `bits` of the vector whose lane 0 runs pass `pass0` (lane e
    // runs pass0 - e) as changed.
    void Mark(int pass0, unsigned bits) {
        if (bits == 0) return;
        const int at = pass0 + Margin - (SolverLanes - 1);
        const std::uint64_t word = Reversed8(bits);
        const auto w = static_cast<std::size_t>(at >> 6);
        const int shift = at & 63;
        Marks[w] |= word << shift;
        if (shift > 64 - SolverLanes) Marks[w + 1] |= word >> (64 - shift);
    }

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

    void MarkBelowTip(int t) { Mark((t - g.U) / 4 + SolverLanes - 1, 1u << 7); }

    bool BelowTip() {
        std::uint32_t changed = 0;
        auto interior = [&](int r, int c) {
            const std::uint32_t v = (H(r - 1, c) + H(r + 1, c) + H(r, c - 1) + H(r, c + 1)) >> 2;
            changed |= v ^ H(r, c);
            H(r, c) = v;
        };
        for (int r = g.P + 1; r <= B - 1; ++r) {
            interior(r, g.U);
            interior(r, g.D);
        }
        return changed != 0;
    }

    // What a step does that follows from its residue m and its range first..last of wanted
    // columns alone: the vectors holding the swept columns and their masks, the groups that sweep
    // them and the scalar chains each group carries. Every step between a segment's filling and
    // its draining wants all columns, so the plans of the four residues are made once per solve.
    struct TGroup {
        int v, count;
        unsigned masked;
        TSweepFn sweep;
    };
    static constexpr std::size_t MaxVectors = TPlanes::Width / SolverLanes;
    struct TStepPlan {
        int m = 0, firstVector = 0, vectors = 0, groupCount = 0;
        bool swept = false;                               // some wanted column is swept
        bool leftEdge = false, wall = false, tip = false; // wanted(0), wanted(U-1), wanted(U)
        bool wallAlone = false, tipAlone = false, leftAlone = false, rightAlone = false;
        bool backwards = false;
        std::ptrdiff_t left = 0, right = 0;
        std::array<V, MaxVectors> sweepMasks, blanketMasks;
        std::array<unsigned, MaxVectors> sweepBits, blanketBits;
        std::array<TGroup, MaxVectors> groups;
    };

    void Plan(int m, int first, int last, TStepPlan& plan) {
        auto wanted = [&](int c) { return (c & 3) == m && c >= first && c <= last; };
        plan.m = m;
        plan.leftEdge = wanted(0);
        plan.wall = wanted(g.U - 1);
        plan.tip = wanted(g.U);
        // Slots of the wanted columns in plane m, and the vectors of eight slots that hold them.
        const int c0 = first + ((m - first) & 3), c1 = last - ((last - m) & 3);
        plan.swept = c0 <= c1;
        if (!plan.swept) return;
        const int k0 = (c0 >> 2) + Pad, k1 = (c1 >> 2) + Pad;
        const int firstVector = k0 & ~(SolverLanes - 1);
        const int vectors = (k1 - firstVector) / SolverLanes + 1;
        plan.firstVector = firstVector;
        plan.vectors = vectors;
        std::uint32_t* const own = G.Slots(m, 0, 0);
        // Column c - 1 lies in plane m - 1 at the same slot, or in plane 3 one slot back; c + 1
        // likewise.
        plan.left = G.Slots((m + 3) & 3, 0, m == 0 ? -1 : 0) - own;
        plan.right = G.Slots((m + 1) & 3, 0, m == 3 ? 1 : 0) - own;

        for (int v = 0; v < vectors; ++v) {
            const int k = firstVector + SolverLanes * v;
            const auto iv = static_cast<std::size_t>(v);
            const unsigned range = LaneRange(k0 - k, k1 - k);
            const std::size_t at = static_cast<std::size_t>(m * TPlanes::Width + k);
            const V rangeMask = range == 0xFFu ? V(~0u) : LaneMask(range);
            plan.sweepMasks[iv] = Load(&Sweeps[at]) & rangeMask;
            plan.sweepBits[iv] = LaneBits(plan.sweepMasks[iv]);
            plan.blanketMasks[iv] = Load(&Blankets[at]) & rangeMask;
            plan.blanketBits[iv] = LaneBits(plan.blanketMasks[iv]);
        }

        // Groups of up to GroupVectors vectors whose columns are swept. Column 0 lies in the first
        // vector (its lanes there store back what they load) and column N-1 in the last one: the
        // left edge goes with a later group of four, the right edge with an earlier one, and
        // otherwise each on its own before the sweeps.
        auto& groups = plan.groups;
        int groupCount = 0;
        for (int v = 0; v < vectors;) {
            while (v < vectors && plan.sweepBits[static_cast<std::size_t>(v)] == 0) ++v;
            int count = 0;
            unsigned masked = 0;
            while (count < GroupVectors && v + count < vectors &&
                   plan.sweepBits[static_cast<std::size_t>(v + count)] != 0) {
                if (plan.sweepBits[static_cast<std::size_t>(v + count)] != 0xFFu)
                    masked |= 1u << count;
                ++count;
            }
            if (count == 0) break;
            groups[static_cast<std::size_t>(groupCount++)] = {v, count, masked, nullptr};
            v += count;
        }
        plan.groupCount = groupCount;
        // The wall goes with a whole group before the one of column U-1, whose sweep reads it; the
        // nodes below the tip with one after the group of column U, whose lane there stores back
        // what it loads.
        auto groupOf = [&](int c) {
            const int v = ((c >> 2) + Pad - firstVector) / SolverLanes;
            int i = 0;
            while (i + 1 < groupCount && groups[static_cast<std::size_t>(i + 1)].v <= v) ++i;
            return i;
        };
        auto plainGroup = [&](int i) {
            const TGroup& group = groups[static_cast<std::size_t>(i)];
            return ChainsOf(group.count, group.masked) & WallFaces;
        };
        int wallAt = -1, tipAt = -1;
        if (plan.wall && g.P >= 1)
            for (int i = groupOf(g.U - 1) - 1; i >= 0 && wallAt < 0; --i)
                if (plainGroup(i)) wallAt = i;
        if (plan.tip)
            for (int i = groupOf(g.U) + 1; i < groupCount && tipAt < 0; ++i)
                if (plainGroup(i)) tipAt = i;
        int leftAt = -1, rightAt = -1;
        if (plan.leftEdge)
            for (int i = 1; i < groupCount && leftAt < 0; ++i)
                if (groups[static_cast<std::size_t>(i)].count == GroupVectors) leftAt = i;
        const bool rightEdge = wanted(g.N - 1);
        if (rightEdge)
            for (int i = 0; i + 1 < groupCount && rightAt < 0; ++i)
                if (groups[static_cast<std::size_t>(i)].count == GroupVectors) rightAt = i;
        plan.wallAlone = plan.wall && wallAt < 0;
        plan.tipAlone = plan.tip && tipAt < 0;
        plan.leftAlone = plan.leftEdge && leftAt < 0;
        plan.rightAlone = rightEdge && rightAt < 0;
        plan.backwards = (m & 1) && !plan.leftEdge && !rightEdge && wallAt < 0 && tipAt < 0;
        for (int i = 0; i < groupCount; ++i) {
            TGroup& group = groups[static_cast<std::size_t>(i)];
            const unsigned withEdges =
                (i == leftAt ? LeftEdge : 0u) | (i == rightAt ? RightEdge : 0u) |
                (i == wallAt ? WallFaces : 0u) | (i == tipAt ? BelowTipNodes : 0u);
            group.sweep = SweepTable[static_cast<std::size_t>(group.count - 1)]
                                    [group.masked * 16 + withEdges];
        }
    }

    // Step t of a segment of `passes` passes: every slot c of t's residue whose pass (t - c) / 4
    // lies in 0..passes-1.
    void Step(int t, int passes) {
        const int m = t & 3, first = std::max(0, t - 4 * (passes - 1)), last = std::min(g.N - 1, t);
        const TStepPlan* plan = &Edge;
        if (first == 0 && last == g.N - 1) {
            if (!Planned[static_cast<std::size_t>(m)]) {
                Plan(m, first, last, Steady[static_cast<std::size_t>(m)]);
                Planned[static_cast<std::size_t>(m)] = true;
            }
            plan = &Steady[static_cast<std::size_t>(m)];
        } else {
            Plan(m, first, last, Edge);
        }
        Run(*plan, t);
    }

    void Run(const TStepPlan& plan, int t) {
        if (!plan.swept) {
            if (plan.leftEdge) LeftEdgeAlone();
            if (plan.tip && BelowTip()) MarkBelowTip(t);
            return;
        }
        std::uint32_t* const own = G.Slots(plan.m, 0, 0);
        const std::ptrdiff_t left = plan.left, right = plan.right;
        for (int v = 0; v < plan.vectors; ++v) {
            const auto iv = static_cast<std::size_t>(v);
            if (plan.sweepBits[iv] == 0) continue;
            // The base node of every swept column, and the blanket node where there is one.
            std::uint32_t* const node = own + plan.firstVector + SolverLanes * v;
            const V base = Third(Load(node + (B - 1) * Row) + Load(node + left + B * Row) +
                                 Load(node + right + B * Row));
            Store(Blend(Load(node + B * Row), base, plan.sweepMasks[iv]), node + B * Row);
            if (plan.blanketBits[iv] != 0) {
                const V top = Third(Load(node + Row) + Load(node + left) + Load(node + right));
                Store(Blend(Load(node), top, plan.blanketMasks[iv]), node);
            }
        }
        if (plan.wall) {
            Base(g.U);
            Base(g.D);
        }
        if (plan.wallAlone) Wall();
        bool tipChanged = false;
        std::uint32_t tipMoved = 0;
        if (plan.tipAlone) tipChanged = BelowTip();
        if (plan.leftAlone) LeftEdgeAlone();
        if (plan.rightAlone) RightEdgeAlone();
        const TEdgeColumns edges{&H(0, 0),   &H(0, 1),       &H(0, g.N), &H(0, g.N - 1),
                                 &H(0, g.U), &H(0, g.U - 1), &H(0, g.D), &H(0, g.D + 1),
                                 g.P,        g.U > g.L,      g.R > g.D,  &tipMoved};

        // Lane 0 of the vector at slot k runs column 4 (k - Pad) + m, pass (t - m) / 4 - k + Pad.
        const int pass0 = (t - plan.m) / 4 + Pad;
        for (int n = 0; n < plan.groupCount; ++n) {
            const int i = plan.backwards ? plan.groupCount - 1 - n : n;
            const TGroup& group = plan.groups[static_cast<std::size_t>(i)];
            const int k = plan.firstVector + SolverLanes * group.v;
            V moved[GroupVectors];
            group.sweep(own + k, left, right, &plan.sweepMasks[static_cast<std::size_t>(group.v)],
                        moved, edges);
            for (int j = 0; j < group.count; ++j)
                Mark(pass0 - (k + SolverLanes * j), LaneBits(moved[j]));
        }
        if (tipChanged || tipMoved != 0) MarkBelowTip(t);
    }

    alignas(32) std::array<std::uint32_t, 4 * TPlanes::Width> Sweeps{}, Blankets{};
    std::array<std::uint64_t, MarkWords> Marks{};
    TPlanes& G;
    const TGeometry g;
    std::array<TStepPlan, 4> Steady;
    std::array<bool, 4> Planned{};
    TStepPlan Edge;
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
