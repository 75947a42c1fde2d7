// The result of a run on a uniform node grid: the fields in fixed point at the nodes of rows
// from the ground surface (row 0) down to the impervious base (row BaseRow) and of columns left
// to right, both one step of StratumDepth / BaseRow apart, with the geometry's markers, the
// inputs solved for, q with its shape factor and flux sums, the overlays' extents and the picture
// as shown. Checks and reports read a run only through it. Built once from a completed run and
// then only read, it crosses threads as one value: TNodeResultPtr, a shared pointer to const.
//
// Holds: HeadGrid has BaseRow + 1 rows of LastCol + 1 values, and so has StreamGrid, FineHead
// and FineStream 4 BaseRow + 1 rows of 4 LastCol + 1, all within 0..FullScale; a partial result
// (a trial wall of the embedment search: Partial set) has the inputs, the markers, HeadGrid and
// HeadPasses only, every other field empty or 0; a whole one may leave the fine grids and the
// picture empty (not drawn for its geometry);
// the markers satisfy LeftBlanketCol <= PileUpCol < PileDownCol = PileUpCol + 1 <=
// RightBlanketCol <= LastCol, 0 <= PileRows < BaseRow; Picture holds Width x Height pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace verrask::section {

// The fields' fixed point: FullScale is 100 % of the head loss or of the stream function.
inline constexpr std::uint32_t FullScale = 1000000000;
inline constexpr int BaseRow = 50;  // grid steps from the ground surface to the base
inline constexpr int FineSteps = 4; // fine steps per grid step
inline constexpr int CoarseRows = BaseRow + 1;
inline constexpr int FineRows = FineSteps * BaseRow + 1;

// A field of Rows x Cols values, row by row; Grid[r][c] as for a two-dimensional array.
struct TNodeGrid {
    int Rows = 0, Cols = 0;
    std::vector<std::uint32_t> Values;

    const std::uint32_t* operator[](std::size_t r) const {
        return Values.data() + r * static_cast<std::size_t>(Cols);
    }
    bool empty() const { return Values.empty(); }
};

// Pixels as three bytes each (red, green, blue), row by row from the top.
struct TRgbPicture {
    int Width = 0, Height = 0;
    std::vector<unsigned char> Rgb;
};

// How much of each zone overlay a run has: zero exactly when that overlay draws nothing.
struct TZoneCounts {
    int CriticalPixels = 0;
    int PossibleColumns = 0;
    int ImminentColumns = 0;
};

struct TNodeResult {
    // Inputs the run was solved for.
    long double HeadDiff = 0;        // H, m
    long double StratumDepth = 0;    // D, m
    long double Permeability = 0;    // k, m/s
    long double UnitWeightRatio = 0; // Y'/Yw, the critical gradient

    // Geometry: columns of the blankets' far ends, of the wall's two faces, the last column and
    // the wall's rows below the surface.
    int LeftBlanketCol = 0, PileUpCol = 0, PileDownCol = 0, RightBlanketCol = 0;
    int LastCol = 0, PileRows = 0;

    bool Partial = false; // only the head loss of a trial wall, with its inputs and markers
    TNodeGrid HeadGrid;   // head loss, 0 upstream .. FullScale downstream
    TNodeGrid StreamGrid; // stream function, 0 .. FullScale
    TNodeGrid FineHead, FineStream;

    // Flux through the inflow and the outflow surfaces, in FullScale units of the shape factor.
    long double InflowSum = 0, OutflowSum = 0;
    std::uint32_t Nd = 0, Nf = 0;
    long double ShapeFactor = 0; // Nf/Nd as the run rounds it
    long double Q = 0;           // m3/s per metre: (H x ShapeFactor) x k
    std::uint64_t HeadPasses = 0, StreamPasses = 0;

    bool ShowCriticalZone = false, ShowPossibleHeave = false, ShowImminentHeave = false;
    TZoneCounts Zones;
    TRgbPicture Picture; // as the window shows it
};

using TNodeResultPtr = std::shared_ptr<const TNodeResult>;

} // namespace verrask::section
