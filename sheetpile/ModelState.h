// The seepage model's state: fixed grids and scalars that live as long as the model object.
//
// What it holds: the two solved coarse fields (head loss, stream function) in unsigned 32-bit
// fixed point where FullScale means 100 %, their refined copies at one value per picture pixel,
// the vertical gradient field, the geometry markers derived from the inputs, the run's results,
// the flow-net picture and the picture shown to the user.
//
// Assumes: one model object per program (tests build their own). Storage is sized for the
// widest geometry, so a run allocates nothing.
//
// Holds: making a model writes none of its grids (no start-up cost for storage a run may never
// use); InitModel writes the two coarse grids' seed (column 0 at 50 %, all else 0) and every
// other grid is written by the run step that first reads it. Every solve relaxes from what the
// previous run left; the markers always satisfy
// LeftBlanketCol = 150 <= PileUpCol, PileDownCol = PileUpCol + 1 <= RightBlanketCol,
// LastCol = RightBlanketCol + 150 <= 501, 0 <= PileRows <= 49 once SetupGeometry has run.
//
// Threads: SolveStreamFunction + RefineStream, SolveHeadLoss + RefineHead and FineHeadAt may run
// at the same time on three threads (they share no written data; FineHead is written and read
// with relaxed 32-bit atomic accesses). Every other member runs only while no worker runs.
#pragma once

#include "sheetpile/Canvas.h"
#include "sheetpile/SolverPlanes.h"

#include <array>
#include <cstdint>
#include <limits>

namespace sheetpile {

static_assert(std::numeric_limits<long double>::digits == 64,
              "the model computes in the 80-bit extended format");

// 100 % of the head loss or of the stream function.
inline constexpr std::uint32_t FullScale = 1000000000;

inline constexpr int CoarseRows = 51;  // ground surface (row 0) down to the impervious base (50)
inline constexpr int CoarseCols = 502; // widest geometry: 150 + 200 blanket steps + 1 + 150 + 1
inline constexpr int FineRows = 201;   // four fine steps per coarse step
inline constexpr int FineCols = 2005;  // 4 x 501 + 1
inline constexpr int BaseRow = CoarseRows - 1;
inline constexpr int OpenSurfaceCols = 150;     // open ground on each side: 3 stratum depths
inline constexpr int MaxBlanketSteps = 200;     // both blankets together: 4 stratum depths
inline constexpr int MaxPileRows = BaseRow - 1; // the wall tip never sits on the base

template <typename T, int Rows, int Cols> using TGrid = std::array<std::array<T, Cols>, Rows>;

using CoarseGrid = TGrid<std::uint32_t, CoarseRows, CoarseCols>;
using FineGrid = TGrid<std::uint32_t, FineRows, FineCols>;
// The gradient field's values are whole multiples of 1/16 within +-FullScale (see
// GradientField.cpp): double holds them, and every sum and mean of them, exactly, in half the
// storage of long double.
using CoarseRealGrid = TGrid<double, CoarseRows, CoarseCols>;
using FineRealGrid = TGrid<double, FineRows, FineCols>;

// Round to nearest, ties to even, in the default rounding mode; the caller keeps the value
// within the 64-bit range.
std::int64_t Round(long double x);

struct TModel {
    // Leaves the grids and the fast paths' storage unwritten (a constructor of its own, so that
    // value-initialisation, as in make_unique<TModel>(), does not zero-fill them either).
    TModel() {}

    // Fields (row index first).
    alignas(64) CoarseGrid StreamGrid;
    alignas(64) CoarseGrid HeadGrid;
    alignas(64) CoarseRealGrid GradGrid;
    alignas(64) FineGrid FineStream;
    alignas(64) FineGrid FineHead;
    alignas(64) FineRealGrid FineGrad;

    // Inputs stored by an accepted run.
    long double HeadDiff = 0;
    long double StratumDepth = 0;
    long double Permeability = 0;
    long double UnitWeightRatio = 0;

    // Geometry, written only by SetupGeometry.
    std::int32_t LeftBlanketCol = 0;
    std::int32_t PileUpCol = 0;
    std::int32_t PileDownCol = 0;
    std::int32_t RightBlanketCol = 0;
    std::int32_t LastCol = 0;
    std::int32_t PileRows = 0;
    std::int32_t LeftBlanketX = 0;
    std::int32_t RightBlanketX = 0;
    std::int32_t PileUpX = 0;
    std::int32_t PileDownX = 0;

    // Results.
    long double InflowSum = 0;
    long double OutflowSum = 0;
    std::uint32_t Nd = 0;
    std::uint32_t Nf = 0;
    long double ShapeFactor = 0;
    std::uint32_t DrawNd = 0;
    std::uint32_t DrawNf = 0;
    bool ShowCriticalZone = false;
    bool ShowPossibleHeave = false;
    bool ShowImminentHeave = false;
    bool ResultsReady = false;

    // Passes of the last solve of each field (diagnostics for the batch tool and the tests).
    std::uint64_t HeadPasses = 0;
    std::uint64_t StreamPasses = 0;

    // Solve with the fast paths where the processor has them (same results, bit for bit);
    // false runs the plain reference solvers.
    bool UseFastSolvers = true;
    // Working storage of the fast paths (and the checkpoints they return to for the last pass).
    TColumnPlanes HeadPlanes, HeadCheckpoint;
    TRowPlanes StreamPlanes, StreamCheckpoint;

    TBitmap NetBitmap;
    // What the window shows: the structure strip (rows 0..3) above NetBitmap (rows 4..203).
    TBitmap ShownPicture;
    // Scratch for the structure strip, rebuilt by every ShowNetPicture.
    TBitmap StripBitmap;

    void InitModel();
    void SetupGeometry(long double D, long double d, long double L, long double R);
    std::int32_t FineHeadAt(std::int32_t x, std::int32_t y) const;

    void SolveHeadLoss();       // the fast path if available, else the plain one
    void SolveStreamFunction(); // likewise
    void SolveHeadLossPlain();
    void SolveHeadLossFast();
    void SolveStreamFunctionPlain();
    void SolveStreamFunctionFast();
    void RefineStream();
    void RefineHead();
    void RefineGradient();
    void ComputeDischarge();
    void BuildGradientField();

    // The flow-net picture.
    void RenderNet(std::uint32_t nd, std::uint32_t nf);
    void DrawStructure();
    void RedrawNet();
    void ShowNetPicture();
    void ShowNetBitmap(); // a repainted NetBitmap into the shown picture, below the strip
    void DrawEquipotentials();
    void DrawFlowLines();
    void DrawZones();
    long double HeaveThreshold() const; // the critical gradient in FullScale per grid step
};

// The vertical gradient of `heads` (columns 0..lastCol) and its refinement, as BuildGradientField
// and RefineGradient make them in the model's own grids.
void BuildGradient(const CoarseGrid& heads, int lastCol, CoarseRealGrid& grad, FineRealGrid& fine);
void RefineGradient(const CoarseRealGrid& grad, int lastCol, FineRealGrid& fine);

// Whether this processor runs the fast solver paths (eight 32-bit lanes a vector).
bool FastSolversAvailable();

// Worker bodies: each solves its field, then refines it. The two may run at the same time.
void TThread1Execute(TModel& model); // stream function
void TThread2Execute(TModel& model); // head loss

} // namespace sheetpile
