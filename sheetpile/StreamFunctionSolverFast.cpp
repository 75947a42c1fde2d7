// Stream-function solver, fast path: eight passes in flight in the eight lanes of one vector,
// giving bit for bit the grid, the pass count and the end of the plain solver.
//
// Why the values are the same. A pass is cut into row slots: slot 0 the two open ground
// surfaces; slot r (1..P) the rows beside the wall, upstream then downstream; slot r (P+1..49)
// the row below the tip. Every node of slot r reads the current pass's row r-1 and its own row,
// and the previous pass's row r+1. So pass k+1 may run slot r once pass k has finished slot
// r+1; pass k, then at slot r+2, reads nothing that pass k+1 writes. With the passes two rows
// apart, lane j (pass k+j) works on row t - 2j at step t and sees exactly the versions the plain
// order shows it. The plain order runs all upstream rows beside the wall before the downstream
// ones, and the upstream ground surface before the downstream one; those parts share no node
// and read none of each other's, so taking them row by row changes no value.
//
// Within a step the lanes walk the columns together, each sweeping its row in its own order:
// first leftwards from U-1 (upstream rows beside the wall), then rightwards across the grid
// (upstream parts back to U-1, downstream parts from D+1, rows below the tip from column 1), then
// leftwards back (downstream parts to D+1, rows below the tip to column 1). A lane that has no
// node at a column stores back what it loaded. The ground surfaces are swept by the one lane
// at slot 0, on its own, before the walk.
//
// Ending at the first quiet pass: as in the head-loss fast path, each lane keeps its own changed
// mark, and a group that holds a quiet pass is replayed from the last checkpoint up to it.
//
// Assumes what SolveStreamFunction assumes; columns above LastCol are neither read nor written.
#include "sheetpile/ModelState.h"
#include "sheetpile/SolverVector.h"

namespace sheetpile {

namespace {

using namespace lanes;
using TPlanes = TRowPlanes;
static_assert(StreamLanes == SolverLanes, "the passes in flight fill one vector");

constexpr int Stagger = TPlanes::Stagger;
constexpr int B = BaseRow;

struct TGeometry {
    int L, U, D, R, N, P;
};

class TStreamWave {
  public:
    TStreamWave(TPlanes& planes, const TGeometry& geometry) : G(planes), g(geometry) {}

    unsigned RunGroup(int lanes) {
        V changed(0u);
        const int lastStep = B - 1 + Stagger * (lanes - 1);
        for (int t = 0; t <= lastStep; ++t) {
            std::uint32_t beside[StreamLanes] = {}, below[StreamLanes] = {};
            bool any = false;
            for (int j = 0; j < lanes; ++j) {
                const int s = t - Stagger * j;
                if (s < 0 || s > B - 1) continue;
                const int e = StreamLanes - 1 - j; // vector element e is lane j
                if (s == 0)
                    GroundSurfaces();
                else
                    (s <= g.P ? beside : below)[e] = ~0u, any = true;
            }
            if (any)
                Walk(t, V(beside, stdx::element_aligned), V(below, stdx::element_aligned), changed);
        }
        unsigned result = 0;
        for (int j = 0; j < lanes; ++j)
            if (changed[StreamLanes - 1 - j] != 0) result |= 1u << j;
        return result;
    }

  private:
    std::uint32_t& S(int r, int c) { return G.At(r, c); }

    void GroundSurfaces() {
        auto surface = [this](int c) { S(0, c) = (S(0, c - 1) + S(0, c + 1) + S(1, c)) / 3; };
        for (int c = 1; c <= g.L - 1; ++c) surface(c);
        for (int c = g.L - 1; c >= 1; --c) surface(c);
        for (int c = g.R + 1; c <= g.N - 1; ++c) surface(c);
        for (int c = g.N - 1; c >= g.R + 1; --c) surface(c);
    }

    // The sweeps of one step: `own`, `up` and `down` index row 0 of the lanes' rows and of the
    // rows above and below them.
    struct TSweep {
        std::uint32_t* cells;
        int own, up, down;
        V changed{0u};

        // Columns from..to (inclusive) in direction Step for the lanes in `active`: the value just
        // written one column back chains into the next node (one add and one shift); the other
        // three neighbours are summed beside it. Idle lanes store back what they loaded.
        template <int Step> void Run(int from, int to, const V& active) {
            if (stdx::none_of(active != 0u)) return;
            if (stdx::all_of(active != 0u))
                Sweep<Step, true>(from, to, active);
            else
                Sweep<Step, false>(from, to, active);
        }
        template <int Step, bool AllLanes> void Sweep(int from, int to, const V& active) {
            constexpr std::ptrdiff_t Next = Step * TPlanes::ColumnStride;
            std::uint32_t* const node = cells + own + from * TPlanes::ColumnStride;
            const std::uint32_t* const above = cells + up + from * TPlanes::ColumnStride;
            const std::uint32_t* const beneath = cells + down + from * TPlanes::ColumnStride;
            V previous = Load(node - Next), current = Load(node);
            V moved{0u};
            const std::ptrdiff_t end = ((to - from) * Step + 1) * Next;
#pragma GCC unroll 4
            for (std::ptrdiff_t i = 0; i != end; i += Next) {
                const V next = Load(node + i + Next);
                const V v = (previous + SumFirst(next + Load(above + i) + Load(beneath + i))) >> 2;
                if constexpr (AllLanes) {
                    moved |= v ^ current;
                    Store(v, node + i);
                } else {
                    const V change = (v ^ current) & active;
                    moved |= change;
                    Store(current ^ change, node + i);
                }
                previous = v; // idle lanes chain garbage into idle lanes only
                current = next;
            }
            changed |= moved;
        }
    };

    // The rows t - 2j of all lanes: `beside` marks lanes on a row beside the wall, `below` lanes
    // on a row below the tip.
    void Walk(int t, const V& beside, const V& below, V& changedOut) {
        constexpr int Pad = TPlanes::RowPad - (StreamLanes - 1);
        auto base = [](int r) { return (r & 1) * TPlanes::PlaneOffset + (r >> 1) + Pad; };
        TSweep sweep{G.Cells.data(), base(t), base(t - 1), base(t + 1)};
        const V both = beside | below;
        const int U = g.U, D = g.D, N = g.N;
        sweep.Run<-1>(U - 1, 1, beside); // upstream beside the wall, leftwards first
        sweep.Run<1>(1, U - 1, both);
        sweep.Run<1>(U, D, below); // the wall's columns are held beside it
        sweep.Run<1>(D + 1, N - 1, both);
        sweep.Run<-1>(N - 1, D + 1, both);
        sweep.Run<-1>(D, U, below);
        sweep.Run<-1>(U - 1, 1, below);
        changedOut |= sweep.changed;
    }

    TPlanes& G;
    const TGeometry g;
};

} // namespace

void TModel::SolveStreamFunctionFast() {
    const TGeometry g{LeftBlanketCol, PileUpCol, PileDownCol, RightBlanketCol, LastCol, PileRows};
    auto& S = StreamGrid;
    for (int c = g.L; c <= g.R; ++c) S[0][c] = FullScale;
    for (int r = 0; r <= g.P; ++r) S[r][g.U] = S[r][g.D] = FullScale;
    for (int r = 0; r <= B; ++r) S[r][0] = S[r][g.N] = 0;
    for (int c = 0; c <= g.N; ++c) S[B][c] = 0;

    TPlanes& planes = StreamPlanes;
    for (int r = 0; r <= B; ++r)
        for (int c = 0; c <= g.N; ++c) planes.At(r, c) = S[r][c];

    TStreamWave wave(planes, g);
    StreamPasses = RunToFirstQuietPass<StreamLanes>(
        planes, StreamCheckpoint, [&wave](int lanes) { return wave.RunGroup(lanes); });
    for (int r = 0; r <= B; ++r)
        for (int c = 0; c <= g.N; ++c) S[r][c] = planes.At(r, c);
}

} // namespace sheetpile
