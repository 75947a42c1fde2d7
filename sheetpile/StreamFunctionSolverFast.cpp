// Stream-function solver, fast path: about 25 passes in flight at once, one per row of one
// parity, giving bit for bit the grid, the pass count and the end of the plain solver.
//
// Why the values are the same. A pass is cut into row slots: slot 0 the two open ground
// surfaces; slot r (1..P) the row beside the wall, upstream part then downstream part; slot r
// (P+1..49) the row below the tip. Every node of slot r reads the current pass's row r-1 and its
// own row, and the previous pass's row r+1. So pass p may run slot r at step t = 2p + r: at that
// step rows r-1 and r+1 were last written at step t-1, by passes p and p-1, and no row of the
// same parity (all written at step t) is read. Step t therefore updates every row r of the
// parity of t, each for its own pass (t - r) / 2, and the rows of one step are independent of one
// another. The plain order runs all upstream rows beside the wall before the downstream ones, and
// the upstream ground surface before the downstream one; those parts share no node and read none
// of each other's, so taking them row by row changes no value.
//
// Within a step the rows walk the columns together, each sweeping in its own order: first
// leftwards from U-1 (rows beside the wall), then rightwards across the grid (parts beside the
// wall back to U-1 and from D+1, rows below the tip from column 1, the surfaces), then leftwards
// back. Rows 2..48 and 1..47 are eight to a vector; row 0 (the surfaces, even steps) and row 49
// (odd steps) go alongside on their own. A lane whose row has no node at a column, or whose pass
// is not wanted, stores back what it loaded.
//
// Ending at the first quiet pass: passes run in segments (8 passes, doubling up to 256) that
// fill and drain the wave; each row's changed mark is kept per step and gathered per pass after
// the segment. When a segment holds a quiet pass, the planes go back to the segment's start and
// only the passes up to the quiet one are run again.
//
// Assumes what SolveStreamFunction assumes; columns above LastCol are neither read nor written.
#include "sheetpile/ModelState.h"
#include "sheetpile/SolverVector.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace sheetpile {

namespace {

using namespace lanes;
using TPlanes = TRowPlanes;

constexpr int B = BaseRow;
constexpr std::ptrdiff_t Stride = TPlanes::ColumnStride;
constexpr int Vectors = 3;        // of eight rows each: rows 2..48 or 1..47
constexpr int FirstGroup = 8;     // passes of the first segment: a second run is often 1 pass
constexpr int LargestGroup = 256; // longer segments fill and drain less often, replay more
constexpr int MaxSteps = 2 * LargestGroup + B - 1;

// Offsets in a column block of the first vector's rows and of the rows above them (the rows
// below lie one slot further). Vector v lies 8 v slots on; its lanes hold rows 2 - q + 16 v + 2e.
constexpr int OwnBase(int q) {
    return TPlanes::Offset(2 - q);
}
constexpr int AboveBase(int q) {
    return TPlanes::Offset(1 - q);
}
static_assert(TPlanes::Offset(2 - 0 + 16 * 2 + 14) == OwnBase(0) + 8 * 2 + 7, "rows 2..48 fill");
static_assert(TPlanes::Offset(1 + 16 * 2 + 14) == OwnBase(1) + 8 * 2 + 7, "rows 1..47 fill");
static_assert(TPlanes::Offset(0) == OwnBase(0) - 1 && TPlanes::Offset(1) == AboveBase(0),
              "row 0 and row 1 beside the even vectors");
constexpr int Row50 = TPlanes::Offset(50) - AboveBase(1); // row 50 from the odd steps' rows above
static_assert(TPlanes::Offset(49) == OwnBase(1) + 24 && TPlanes::Offset(48) == AboveBase(1) + 24,
              "row 49 and the row above it beside the odd vectors");
static_assert(OwnBase(0) % 8 == 0 && OwnBase(1) % 8 == 0, "own rows load aligned");

// The row that goes alongside the vectors: row 0 (a ground surface: the mean of three) or row 49
// (an interior node: the mean of four, its change marked).
enum class TSingle { None, Surface, Interior };

struct TSweepArgs {
    std::uint32_t* own;         // the first vector's rows at the first column
    const std::uint32_t* above; // the rows above them
    const V* masks;             // lanes that keep their result, for masked sweeps
    V* moved;                   // per vector: the bits that changed
    std::uint32_t* singleMoved;
};

// How a vector takes part in a sweep: not at all, with every lane, or with the lanes of its mask.
enum TPart : unsigned { Out = 0, Whole = 1, Masked = 2 };
constexpr int PartCombinations = 27; // three parts for each of three vectors
constexpr TPart PartOf(unsigned parts, int v) {
    return static_cast<TPart>(v == 0 ? parts % 3 : v == 1 ? parts / 3 % 3 : parts / 9);
}

// `count` columns from the first in direction Step for the vectors as Parts says (digit v in base
// 3: vector v's part). Each node's three settled neighbours are summed first and the value just
// written one column back is added last, so the chain from node to node is one add and one
// shift (the sums cannot wrap, so the order of the additions is free).
template <int Step, unsigned Parts, TSingle Single>
void SweepColumns(const TSweepArgs& args, int count) {
    constexpr std::ptrdiff_t Next = Step * Stride;
    std::uint32_t* own = args.own;
    const std::uint32_t* above = args.above;
    V previous[Vectors], current[Vectors], moved[Vectors], mask[Vectors];
#pragma GCC unroll 3
    for (int v = 0; v < Vectors; ++v) {
        if (PartOf(Parts, v) == Out) continue;
        previous[v] = Load(own - Next + 8 * v);
        current[v] = Load(own + 8 * v);
        moved[v] = V(0u);
        if (PartOf(Parts, v) == Masked) mask[v] = args.masks[v];
    }
    std::uint32_t single = 0, singleMoved = 0;
    if constexpr (Single == TSingle::Surface) single = own[-Next - 1];
    if constexpr (Single == TSingle::Interior) single = own[-Next + 24];
    for (int i = 0; i < count; ++i, own += Next, above += Next) {
#pragma GCC unroll 3
        for (int v = 0; v < Vectors; ++v) {
            if (PartOf(Parts, v) == Out) continue;
            const V next = Load(own + Next + 8 * v);
            const V sum = next + Load(above + 8 * v) + Load(above + 8 * v + 1);
            const V value = (previous[v] + SumFirst(sum)) >> 2;
            if (PartOf(Parts, v) == Masked) {
                const V kept = V(_mm256_blendv_epi8(static_cast<__m256i>(current[v]),
                                                    static_cast<__m256i>(value),
                                                    static_cast<__m256i>(mask[v])));
                moved[v] |= kept ^ current[v];
                Store(kept, own + 8 * v);
            } else {
                moved[v] |= value ^ current[v];
                Store(value, own + 8 * v);
            }
            previous[v] = value; // lanes that keep their load chain into themselves only
            current[v] = next;
        }
        if constexpr (Single == TSingle::Surface) {
            single = (single + (own[Next - 1] + above[0])) / 3;
            own[-1] = single;
        }
        if constexpr (Single == TSingle::Interior) {
            const std::uint32_t value = (single + (own[Next + 24] + above[24] + above[Row50])) >> 2;
            singleMoved |= value ^ own[24];
            own[24] = single = value;
        }
    }
#pragma GCC unroll 3
    for (int v = 0; v < Vectors; ++v)
        if (PartOf(Parts, v) != Out) args.moved[v] |= moved[v];
    if constexpr (Single == TSingle::Interior) *args.singleMoved |= singleMoved;
}

using TSweepFn = void (*)(const TSweepArgs&, int);
constexpr std::size_t SweepKinds = PartCombinations * 3;

// Every SweepColumns of one direction, by index Parts x 3 + Single.
template <int Step> constexpr std::array<TSweepFn, SweepKinds> SweepTable() {
    return []<std::size_t... I>(std::index_sequence<I...>) {
        return std::array<TSweepFn, SweepKinds>{
            &SweepColumns<Step, I / 3, static_cast<TSingle>(I % 3)>...};
    }
    (std::make_index_sequence<SweepKinds>{});
}
constexpr std::array<TSweepFn, SweepKinds> Rightwards = SweepTable<1>(),
                                           Leftwards = SweepTable<-1>();

struct TGeometry {
    int L, U, D, R, N, P;
};

class TStreamWave {
  public:
    TStreamWave(TPlanes& planes, const TGeometry& geometry) : G(planes), g(geometry) {}

    // Runs passes 0..passes-1 of a segment from the planes' current state; returns the first
    // quiet one, or -1.
    int RunSegment(int passes) {
        const int steps = 2 * passes + B - 1;
        for (int t = 0; t < steps; ++t) Marks[static_cast<std::size_t>(t)] = Step(t, passes);
        for (int p = 0; p < passes; ++p) {
            unsigned changed = 0;
            for (int i = 0; i < 8 * Vectors; ++i) // rows 2 + 2i, at step 2 (p + 1 + i)
                changed |= Marks[static_cast<std::size_t>(2 * (p + 1 + i))] >> i;
            for (int i = 0; i <= 8 * Vectors; ++i) // rows 1 + 2i, at step 2 (p + i) + 1
                changed |= Marks[static_cast<std::size_t>(2 * (p + i) + 1)] >> i;
            if (!(changed & 1u)) return p;
        }
        return -1;
    }

  private:
    enum TRowKind : unsigned { Beside = 1, Below = 2, Both = 3 };

    // Step t of a segment of `passes` passes: the rows of t's parity whose pass (t - r) / 2 lies in
    // 0..passes-1. Bit i of the result: row 2 + 2i (even t) or 1 + 2i (odd t) changed a node.
    unsigned Step(int t, int passes) {
        const int q = t & 1;
        std::array<unsigned, Vectors> beside{}, below{};
        for (int v = 0; v < Vectors; ++v) {
            const int first = 2 - q + 16 * v, newest = (t - first) / 2; // lane 0's pass
            const unsigned active = first > t ? 0u : LaneRange(newest - passes + 1, newest);
            const unsigned near = g.P < first ? 0u : LaneRange(0, (g.P - first) / 2);
            beside[static_cast<std::size_t>(v)] = active & near;
            below[static_cast<std::size_t>(v)] = active & ~near;
        }
        // Row 0 in even steps, row 49 in odd ones.
        const int singleRow = q ? B - 1 : 0, singlePass = (t - singleRow) / 2;
        const bool singleActive = t >= singleRow && singlePass < passes;
        const unsigned singleKind = !singleActive      ? 0u
                                    : q == 0           ? 0u
                                    : g.P >= singleRow ? Beside
                                                       : Below;
        const bool surface = singleActive && q == 0;

        std::uint32_t* const cells = G.Cells.data();
        V moved[Vectors] = {V(0u), V(0u), V(0u)};
        std::uint32_t singleMoved = 0;
        V masks[Vectors];
        auto run = [&](int step, int from, int to, unsigned kind, bool withSurface) {
            const int count = (to - from) * step + 1;
            if (count <= 0) return;
            unsigned parts = 0;
            for (int v = Vectors - 1; v >= 0; --v) {
                const auto k = static_cast<std::size_t>(v);
                const unsigned bits =
                    ((kind & Beside) ? beside[k] : 0u) | ((kind & Below) ? below[k] : 0u);
                const TPart part = bits == 0 ? Out : bits == 0xFFu ? Whole : Masked;
                if (part == Masked) masks[v] = LaneMask(bits);
                parts = 3 * parts + part;
            }
            TSingle single = TSingle::None;
            if (q == 0 && withSurface && surface) single = TSingle::Surface;
            if (q == 1 && (singleKind & kind)) single = TSingle::Interior;
            if (parts == 0 && single == TSingle::None) return;
            const TSweepArgs args{cells + from * Stride + OwnBase(q),
                                  cells + from * Stride + AboveBase(q), masks, moved, &singleMoved};
            const std::size_t index = parts * 3 + static_cast<unsigned>(single);
            (step > 0 ? Rightwards : Leftwards)[index](args, count);
        };
        const int L = g.L, U = g.U, D = g.D, R = g.R, N = g.N;
        run(-1, U - 1, 1, Beside, false); // beside the wall upstream, leftwards first
        run(1, 1, L - 1, Both, true);
        run(1, L, U - 1, Both, false);
        run(1, U, D, Below, false); // the wall's columns are held beside it
        run(1, D + 1, R, Both, false);
        run(1, R + 1, N - 1, Both, true);
        run(-1, N - 1, R + 1, Both, true);
        run(-1, R, D + 1, Both, false);
        run(-1, D, U, Below, false);
        run(-1, U - 1, L, Below, false);
        run(-1, L - 1, 1, Below, true);

        unsigned marks = singleMoved != 0 ? 1u << (8 * Vectors) : 0u;
        for (int v = 0; v < Vectors; ++v) marks |= LaneBits(moved[v]) << (8 * v);
        return marks;
    }

    TPlanes& G;
    const TGeometry g;
    std::array<unsigned, MaxSteps> Marks{};
};

void CopyColumns(TPlanes& to, TPlanes& from, int lastCol) {
    std::memcpy(to.Column(0), from.Column(0),
                static_cast<std::size_t>((lastCol + 1) * Stride) * sizeof(std::uint32_t));
}

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
        std::uint32_t* const block = planes.Column(c);
        std::fill_n(block, Stride, 0u); // the slots of no row as well
        for (int r = 0; r <= B; ++r) block[TPlanes::Offset(r)] = S[r][c];
    }

    TStreamWave wave(planes, g);
    std::uint64_t passes = 0;
    for (int group = FirstGroup;; group = std::min(2 * group, LargestGroup)) {
        CopyColumns(StreamCheckpoint, planes, g.N);
        const int quiet = wave.RunSegment(group);
        if (quiet >= 0) {
            CopyColumns(planes, StreamCheckpoint, g.N);
            wave.RunSegment(quiet + 1);
            passes += static_cast<std::uint64_t>(quiet) + 1;
            break;
        }
        passes += static_cast<std::uint64_t>(group);
    }
    StreamPasses = passes;
    for (int c = 0; c <= g.N; ++c)
        for (int r = 0; r <= B; ++r) S[r][c] = planes.At(r, c);
}

} // namespace sheetpile
