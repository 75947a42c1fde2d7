// Geometry: turns the stratum depth D, the wall depth d and the blanket lengths L and R into
// grid columns and rows, and sizes the picture.
//
// Assumes: D > 0 and finite, and the blanket steps (BlanketSteps) add up to at most 200; the run
// control refuses other input. Every real is clamped before it is rounded, so even input outside
// that contract never reaches an integer conversion out of range: a wall depth of any negative
// size gives PileRows 0, a wall deeper than the stratum reaches row 49.
//
// Holds on return: LeftBlanketCol = 150 <= PileUpCol, PileDownCol = PileUpCol + 1 <=
// RightBlanketCol, LastCol = RightBlanketCol + 150 <= 501, 0 <= PileRows <= 49, the picture
// positions are four times their columns and NetBitmap is 4 x LastCol by 200 pixels.
#include "sheetpile/Geometry.h"

#include <algorithm>
#include <cmath>

namespace sheetpile {

long double BlanketSteps(long double length, long double D) {
    if (!(length > 0)) return 0; // negative lengths count as 0
    return std::nearbyint(length / D * 50);
}

void TModel::SetupGeometry(long double D, long double d, long double L, long double R) {
    if (D < d) d = D;
    long double rows = d / D * 50;
    rows = std::clamp(std::isnan(rows) ? 0.0L : rows, 0.0L, 50.0L);
    PileRows = static_cast<std::int32_t>(Round(rows));
    if (PileRows == 50) PileRows = MaxPileRows;

    // Clamped only for input outside the contract; valid input is never changed here.
    const long double leftSteps = std::min(BlanketSteps(L, D), 200.0L);
    const long double rightSteps = std::min(BlanketSteps(R, D), 200.0L - leftSteps);

    LeftBlanketCol = OpenSurfaceCols;
    PileUpCol = static_cast<std::int32_t>(leftSteps) + LeftBlanketCol;
    PileDownCol = PileUpCol + 1;
    RightBlanketCol = static_cast<std::int32_t>(rightSteps) + PileDownCol;
    LastCol = RightBlanketCol + OpenSurfaceCols;

    NetBitmap.SetSize(4 * LastCol, 200);

    LeftBlanketX = 4 * LeftBlanketCol;
    RightBlanketX = 4 * RightBlanketCol;
    PileUpX = 4 * PileUpCol;
    PileDownX = 4 * PileDownCol;
}

} // namespace sheetpile
