// Head-loss solver, fast path: sixteen passes in flight in the lanes of two vectors, giving bit
// for bit the grid, the pass count and the end of the plain solver.
//
// Why the values are the same. A pass is cut into column slots: slot 0 the left edge and its
// corner; slot c (1..N-1) the base node of column c, the blanket node of row 0 if column c
// carries one, and the down-and-up sweep of column c; slot U-1 also the base nodes of U and D
// and the wall (row 0 at U and D, faces, tips); slot U the nodes below the tip; slot D nothing;
// slot N-1 also the base corner and the right edge. Every node a slot updates reads, in the
// plain order, the current pass's value of the nodes to its left and of its own column, and
// the previous pass's value of the nodes to its right, where "right" reaches at most one column
// beyond, except that the wall (slot U-1) reads column D+1 = U+2, three slots on. So pass k+1
// may run slot s once pass k has finished slot s+3; pass k, then at slot s+4, reads nothing
// that pass k+1 writes there. With the passes four columns apart, lane j (pass k+j) works on
// column t - 4j at step t and sees exactly the versions the plain order shows it. The base row, the
// blankets and the edges, which the plain order runs before a pass's interior, are met column
// by column as the wave passes; their reads obey the same rule. Lanes ramp in and out at the
// ends of a group of sixteen passes: a lane beyond either end of the grid computes freely in
// scratch columns that nothing real reads, a lane on column 0, U, D or N (or not wanted in a
// shorter group) stores back the values it loaded.
//
// Ending at the first quiet pass: each lane keeps its own changed mark. When a group holds a
// quiet pass, the planes go back to the last checkpoint and the passes up to the quiet one are
// run again, the last group with only as many lanes as are still wanted.
//
// Assumes what SolveHeadLoss assumes; columns above LastCol are neither read nor written.
#include "sheetpile/ModelState.h"
#include "sheetpile/SolverVector.h"

namespace sheetpile {

namespace {

using namespace lanes;
using TPlanes = TColumnPlanes;
static_assert(HeadLanes % SolverLanes == 0, "the passes in flight fill whole vectors");
using W = TWide<HeadLanes / SolverLanes>; // one lane per pass in flight

constexpr int Stagger = TPlanes::Stagger;
constexpr int B = BaseRow;
constexpr int Reach = Stagger * (HeadLanes - 1); // columns from the first lane to the last

struct TGeometry {
    int L, U, D, R, N, P;
};

// One value per column in the planes' column order, so that the lanes' values of a step load
// as one wide vector: column c in plane c mod 4, slot c div 4 + ColumnPad.
struct TColumnMask {
    alignas(32) std::array<std::uint32_t, 4 * TPlanes::Width> Cells{};
    void Set(int c) {
        Cells[static_cast<std::size_t>((c & 3) * TPlanes::Width + (c >> 2) + TPlanes::ColumnPad)] =
            ~0u;
    }
    // Lane j's value at step t is that of column t - 4j (element HeadLanes - 1 - j).
    W At(int t) const {
        constexpr int Pad = TPlanes::ColumnPad - (HeadLanes - 1);
        return W::Load(&Cells[static_cast<std::size_t>((t & 3) * TPlanes::Width + (t >> 2) + Pad)]);
    }
};

class THeadWave {
  public:
    THeadWave(TPlanes& planes, const TGeometry& geometry) : G(planes), g(geometry) {
        const int L = g.L, U = g.U, D = g.D, R = g.R, N = g.N;
        for (int c = 1; c <= N - 1; ++c) {
            if (c == U || c == D) continue;
            Sweeps.Set(c);
            Free.Set(c);
            if ((c > L && c < U) || (c > D && c < R)) Blankets.Set(c);
        }
        // Columns left of 0 and right of N belong to no node: lanes ramping in or out there may
        // compute what they like, nothing real reads them.
        for (int c = -Reach; c <= -1; ++c) Free.Set(c);
        for (int c = N + 1; c <= N + Reach; ++c) Free.Set(c);
    }

    // Runs `lanes` (1..HeadLanes) passes from the planes' current state. Bit j of the result: pass
    // j of the group changed an interior node.
    unsigned RunGroup(int lanes) {
        W changed = W::Fill(0);
        unsigned scalarChanged = 0;
        alignas(32) std::uint32_t wanted[HeadLanes] = {};
        for (int j = 0; j < lanes; ++j) wanted[HeadLanes - 1 - j] = ~0u;
        const W wantedV = W::Load(wanted);
        const bool wholeGroup = lanes == HeadLanes;
        // The lane at slot s in step t, or -1.
        auto laneAt = [lanes](int t, int s) {
            const int d = t - s;
            return d >= 0 && d % Stagger == 0 && d / Stagger < lanes ? d / Stagger : -1;
        };
        const int lastStep = g.N - 1 + Stagger * (lanes - 1);
        for (int t = 0; t <= lastStep; ++t) {
            if (laneAt(t, 0) >= 0) LeftEdge();
            if (const int j = laneAt(t, g.U); j >= 0 && BelowTip()) scalarChanged |= 1u << j;
            const W sweeps = Sweeps.At(t) & wantedV;
            if (sweeps.NoneSet()) continue;
            BaseAndBlankets(t, sweeps, Blankets.At(t) & wantedV);
            if (laneAt(t, g.U - 1) >= 0) {
                Base(g.U);
                Base(g.D);
                Wall();
            }
            if (laneAt(t, g.N - 1) >= 0) RightEdge();
            if (wholeGroup && Free.At(t).AllSet())
                Sweep<true>(t, sweeps, changed);
            else
                Sweep<false>(t, sweeps, changed);
        }
        for (int j = 0; j < lanes; ++j)
            if (changed[HeadLanes - 1 - j] != 0) scalarChanged |= 1u << j;
        return scalarChanged;
    }

  private:
    std::uint32_t& H(int r, int c) { return G.At(r, c); }

    void LeftEdge() {
        for (int r = 1; r < B; ++r) H(r, 0) = (H(r - 1, 0) + H(r + 1, 0) + H(r, 1)) / 3;
        H(B, 0) = (H(B - 1, 0) + H(B, 1)) >> 1;
    }
    void Base(int c) { H(B, c) = (H(B - 1, c) + H(B, c - 1) + H(B, c + 1)) / 3; }

    void RightEdge() {
        const int N = g.N;
        H(B, N) = (H(B - 1, N) + H(B, N - 1)) >> 1;
        for (int r = B - 1; r >= 1; --r) H(r, N) = (H(r - 1, N) + H(r + 1, N) + H(r, N - 1)) / 3;
    }

    // Pointers to row 0 of the columns t - 4j (lane 7 first) and of their two neighbours.
    struct TColumns {
        std::uint32_t* own;
        const std::uint32_t* left;
        const std::uint32_t* right;
    };
    TColumns Columns(int t) {
        constexpr int Pad = TPlanes::ColumnPad - (HeadLanes - 1);
        return {G.Slots(t & 3, 0, (t >> 2) + Pad), G.Slots((t - 1) & 3, 0, ((t - 1) >> 2) + Pad),
                G.Slots((t + 1) & 3, 0, ((t + 1) >> 2) + Pad)};
    }
    // Stores v in the lanes of `mask`, the loaded value elsewhere.
    static void StoreWhere(std::uint32_t* p, const W& v, const W& mask) {
        const W current = W::Load(p);
        (current ^ ((v ^ current) & mask)).Store(p);
    }

    // The base node of every sweeping lane's column, and the blanket node where there is one.
    void BaseAndBlankets(int t, const W& active, const W& blanket) {
        const TColumns columns = Columns(t);
        std::uint32_t* const own = columns.own;
        const std::uint32_t *const left = columns.left, *const right = columns.right;
        constexpr std::ptrdiff_t Row = TPlanes::Width;
        StoreWhere(own + B * Row,
                   Third(W::Load(own + (B - 1) * Row) + W::Load(left + B * Row) +
                         W::Load(right + B * Row)),
                   active);
        if (!blanket.NoneSet())
            StoreWhere(own, Third(W::Load(own + Row) + W::Load(left) + W::Load(right)), blanket);
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

    // The down-and-up sweeps of the columns t - 4j of all lanes at once; `sweeps` marks the
    // lanes whose column is swept. With AllLanes the other lanes lie left of column 0 or right of
    // column N and compute freely; otherwise they store back what they loaded. The chain from one
    // node to the next is one add and one shift: the other three neighbours are summed first
    // (the sums cannot wrap, so the order of the additions is free).
    template <bool AllLanes> void Sweep(int t, const W& sweeps, W& changedOut) {
        constexpr std::ptrdiff_t Row = TPlanes::Width;
        const TColumns columns = Columns(t);
        std::uint32_t* const own = columns.own;
        const std::uint32_t *const left = columns.left, *const right = columns.right;
        auto sides = [&](int r) { return W::Load(left + r * Row) + W::Load(right + r * Row); };
        W changed = W::Fill(0);
        auto keep = [&](const W& v, const W& current, int r) {
            if constexpr (AllLanes) {
                changed |= v ^ current;
                v.Store(own + r * Row);
            } else {
                const W moved = (v ^ current) & sweeps;
                changed |= moved;
                (current ^ moved).Store(own + r * Row);
            }
        };

        W above = W::Load(own), current = W::Load(own + Row);
#pragma GCC unroll 7
        for (int r = 1; r <= B - 1; ++r) {
            const W down = W::Load(own + (r + 1) * Row);
            const W v = (above + SumFirst(down + sides(r))) >> 2;
            keep(v, current, r);
            above = v; // idle lanes chain garbage into idle lanes only
            current = down;
        }
        W below = W::Load(own + B * Row);
        current = W::Load(own + (B - 1) * Row);
#pragma GCC unroll 7
        for (int r = B - 1; r >= 1; --r) {
            const W up = W::Load(own + (r - 1) * Row);
            const W v = (below + SumFirst(up + sides(r))) >> 2;
            keep(v, current, r);
            below = v;
            current = up;
        }
        if constexpr (AllLanes) changed &= sweeps;
        changedOut |= changed;
    }

    TColumnMask Sweeps, Blankets, Free;
    TPlanes& G;
    const TGeometry g;
};

} // namespace

void TModel::SolveHeadLossFast() {
    const TGeometry g{LeftBlanketCol, PileUpCol, PileDownCol, RightBlanketCol, LastCol, PileRows};
    for (int c = 0; c <= g.U; ++c) HeadGrid[0][c] = 0;
    for (int c = g.D; c <= g.N; ++c) HeadGrid[0][c] = FullScale;

    TPlanes& planes = HeadPlanes;
    planes.Cells.fill(0); // the padding that lanes ramping in or out load as well
    for (int r = 0; r <= B; ++r)
        for (int c = 0; c <= g.N; ++c) planes.At(r, c) = HeadGrid[r][c];

    THeadWave wave(planes, g);
    HeadPasses = RunToFirstQuietPass<HeadLanes>(
        planes, HeadCheckpoint, [&wave](int lanes) { return wave.RunGroup(lanes); });
    for (int r = 0; r <= B; ++r)
        for (int c = 0; c <= g.N; ++c) HeadGrid[r][c] = planes.At(r, c);
}

} // namespace sheetpile
