// Stream-function solver, fast path: eight passes in flight in the eight lanes of one vector,
// giving bit for bit the grid, the pass count and the end of the plain solver.
//
// Why the values are the same. A pass is cut into row slots: slot 0 the two open ground
// surfaces; slot r (1..P) the rows beside the wall, upstream then downstream; slot r (P+1..49)
// the row below the tip. Every node of slot r reads the current pass's row r-1 and its own row,
// and the previous pass's row r+1. So pass k+1 may run slot r once pass k has finished slot
// r+1; pass k, then at slot r+2, reads nothing that pass k+1 writes. With the passes two rows
// apart, each pass works on the row two above the one of the pass before it and sees exactly
// the versions the plain order shows it. The plain order runs all upstream rows beside the wall
// before the downstream ones, and the upstream ground surface before the downstream one; those
// parts share no node and read none of each other's, so taking them row by row changes no value.
//
// The passes follow each other without a gap: pass p runs in lane p mod 8 and starts at row 0
// 52 steps after pass p - 8 did (its rows 0..49, then the base and a spare row idle), so at step
// t lane j is at virtual row t - 2j, the rows taken round a ring of 52 (see TRowPlanes).
//
// Within a step the lanes walk the columns together, each sweeping its row in its own order:
// first leftwards from U-1 (upstream rows beside the wall), then rightwards across the grid
// (upstream parts back to U-1, downstream parts from D+1, rows below the tip from column 1), then
// leftwards back (downstream parts to D+1, rows below the tip to column 1). A lane that has no
// node at a column stores back what it loaded. The ground surfaces are swept by the one lane at
// row 0, on its own, before the walk.
//
// Ending at the first quiet pass: passes run in batches of 128 from a checkpoint; each lane keeps
// the changed mark of its pass. At the first quiet pass the planes go back to the checkpoint and
// the batch is run again up to that pass.
//
// Assumes what SolveStreamFunction assumes; columns above LastCol are neither read nor written.
#include "sheetpile/ModelState.h"

#include <experimental/simd>

namespace sheetpile {

namespace {

namespace stdx = std::experimental;
using V = stdx::fixed_size_simd<std::uint32_t, SolverLanes>; // one AVX2 register
using TPlanes = TRowPlanes;

constexpr int Stagger = TPlanes::Stagger;
constexpr int Period = TPlanes::Period;
constexpr int Ring = TPlanes::RingSlots;
constexpr int B = BaseRow;
constexpr int PassesPerBatch = 128; // a checkpoint each: at most 128 passes are run twice

struct TGeometry {
    int L, U, D, R, N, P;
};

int RingSlot(int halfRow) {
    return ((halfRow % Ring) + Ring) % Ring;
}

class TStreamWave {
  public:
    TStreamWave(TPlanes& planes, const TGeometry& geometry) : G(planes), g(geometry) {}

    // Runs passes 0..count-1 of a batch from the planes' current state; stops after the first
    // quiet one if `stopAtQuiet`. Returns the index of that pass, or -1 if none was quiet.
    int RunBatch(int count, bool stopAtQuiet) {
        V changed(0u);
        const int last = count - 1;
        const int lastStep = Period * (last / SolverLanes) + Stagger * (last % SolverLanes) + B - 1;
        for (int t = 0; t <= lastStep; ++t) {
            std::uint32_t beside[SolverLanes] = {}, below[SolverLanes] = {};
            bool any = false;
            int finishing = -1; // the lane whose pass ends at this step
            for (int j = 0; j < SolverLanes; ++j) {
                const int v = t - Stagger * j;
                if (v < 0 || SolverLanes * (v / Period) + j >= count) continue;
                const int row = v % Period, e = SolverLanes - 1 - j; // vector element e is lane j
                if (row == 0) {
                    GroundSurfaces();
                } else if (row <= B - 1) {
                    (row <= g.P ? beside : below)[e] = ~0u;
                    any = true;
                    if (row == B - 1) finishing = j;
                }
            }
            if (any)
                Walk(t, V(beside, stdx::element_aligned), V(below, stdx::element_aligned), changed);
            if (finishing >= 0) {
                const int e = SolverLanes - 1 - finishing;
                const int pass = SolverLanes * ((t - Stagger * finishing) / Period) + finishing;
                if (stopAtQuiet && changed[e] == 0) return pass;
                changed[e] = 0;
            }
        }
        return -1;
    }

  private:
    void GroundSurfaces() {
        auto surface = [this](int c) {
            G.Set(0, c, (G.Get(0, c - 1) + G.Get(0, c + 1) + G.Get(1, c)) / 3);
        };
        for (int c = 1; c <= g.L - 1; ++c) surface(c);
        for (int c = g.L - 1; c >= 1; --c) surface(c);
        for (int c = g.R + 1; c <= g.N - 1; ++c) surface(c);
        for (int c = g.N - 1; c >= g.R + 1; --c) surface(c);
    }

    static V Load(const std::uint32_t* p) { return V(p, stdx::element_aligned); }

    // The sweeps of one step: `own`, `up` and `down` point at column 0 of the eight lanes' rows
    // and of the rows above and below them; `repeat` is where the ring keeps a second copy of
    // the lanes' rows (0 if it keeps none of them).
    struct TSweep {
        std::uint32_t* own;
        const std::uint32_t* up;
        const std::uint32_t* down;
        std::ptrdiff_t repeat;
        V changed{0u};

        // Columns from..to (inclusive) in direction Step for the lanes in `active`: the value
        // just written one column back chains into the next node (one add and one shift); the
        // other three neighbours are summed beside it. Idle lanes store back what they loaded.
        template <int Step> void Run(int from, int to, const V& active) {
            if (stdx::none_of(active != 0u)) return;
            const bool all = stdx::all_of(active != 0u);
            if (repeat == 0) {
                if (all)
                    Sweep<Step, true, false>(from, to, active);
                else
                    Sweep<Step, false, false>(from, to, active);
            } else {
                if (all)
                    Sweep<Step, true, true>(from, to, active);
                else
                    Sweep<Step, false, true>(from, to, active);
            }
        }
        template <int Step, bool AllLanes, bool Repeat>
        void Sweep(int from, int to, const V& active) {
            constexpr std::ptrdiff_t Next = Step * TPlanes::Height;
            std::uint32_t* const node = own + from * TPlanes::Height;
            const std::uint32_t* const above = up + from * TPlanes::Height;
            const std::uint32_t* const beneath = down + from * TPlanes::Height;
            V previous = Load(node - Next), current = Load(node);
            V moved{0u};
            const std::ptrdiff_t end = ((to - from) * Step + 1) * Next;
#pragma GCC unroll 4
            for (std::ptrdiff_t i = 0; i != end; i += Next) {
                const V next = Load(node + i + Next);
                const V v = (previous + (next + Load(above + i) + Load(beneath + i))) >> 2;
                V kept = v;
                if constexpr (AllLanes) {
                    moved |= v ^ current;
                } else {
                    const V change = (v ^ current) & active;
                    moved |= change;
                    kept = current ^ change;
                }
                kept.copy_to(node + i, stdx::element_aligned);
                if constexpr (Repeat) kept.copy_to(node + i + repeat, stdx::element_aligned);
                previous = v; // idle lanes chain garbage into idle lanes only
                current = next;
            }
            changed |= moved;
        }
    };

    // The rows t - 2j of all lanes: `beside` marks lanes on a row beside the wall, `below` lanes
    // on a row below the tip.
    void Walk(int t, const V& beside, const V& below, V& changedOut) {
        // Lane j's virtual row t - 2j lies in plane t mod 2 at ring slot (t div 2) - j: the eight
        // slots start at lane 7's and run consecutively through the ring and its repeat.
        auto rows = [this](int virtualRow) {
            return G.Slots(virtualRow & 1, 0, RingSlot((virtualRow >> 1) - (SolverLanes - 1)));
        };
        const int start = RingSlot((t >> 1) - (SolverLanes - 1));
        const std::ptrdiff_t repeat = start < TPlanes::Mirrored    ? Ring
                                      : start + SolverLanes > Ring ? -Ring
                                                                   : 0;
        TSweep sweep{rows(t), rows(t - 1), rows(t + 1), repeat};
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
    for (int c = 0; c <= g.N; ++c) {
        for (int r = 0; r <= B; ++r) planes.Set(r, c, S[r][c]);
        planes.Set(Period - 1, c, 0); // the spare row, never read by a sweeping lane
    }

    TStreamWave wave(planes, g);
    std::uint64_t passes = 0;
    for (;;) {
        StreamCheckpoint = planes;
        const int quiet = wave.RunBatch(PassesPerBatch, true);
        if (quiet < 0) {
            passes += PassesPerBatch;
            continue;
        }
        planes = StreamCheckpoint;
        wave.RunBatch(quiet + 1, false);
        StreamPasses = passes + static_cast<std::uint64_t>(quiet) + 1;
        break;
    }
    for (int r = 0; r <= B; ++r)
        for (int c = 0; c <= g.N; ++c) S[r][c] = planes.Get(r, c);
}

} // namespace sheetpile
