// Discharge and shape factor: the head-loss steps between rows 0 and 1, summed over the open
// upstream and downstream ground surfaces, estimate Nf/Nd where the water enters and leaves the
// soil (the grid step is the same both ways); their mean S gives Nf = Round(10 S) for Nd = 10
// and ShapeFactor = Round(80 S) / 80.
//
// Assumes: HeadGrid holds a solved field (row 0 held at 0 upstream and FullScale downstream,
// every value within 0..FullScale), so every step is non-negative and every sum is an exact
// whole number of at most 151 x FullScale.
//
// Holds on return: Nd = 10; Nf in 0..1510; ShapeFactor a whole multiple of 1/80. The two are
// rounded independently, so Nf / Nd may differ from ShapeFactor.
#include "sheetpile/ModelState.h"

namespace sheetpile {

void TModel::ComputeDischarge() {
    InflowSum = 0;
    OutflowSum = 0;
    for (int c = 0; c <= LeftBlanketCol; ++c)
        InflowSum = InflowSum + static_cast<std::uint32_t>(HeadGrid[1][c] - HeadGrid[0][c]);
    for (int c = RightBlanketCol; c <= LastCol; ++c)
        OutflowSum = OutflowSum + static_cast<std::uint32_t>(HeadGrid[0][c] - HeadGrid[1][c]);

    constexpr long double TwiceFullScale = 2000000000.0L; // the mean of the two estimates
    Nd = 10;
    const long double sum = InflowSum + OutflowSum;
    Nf = static_cast<std::uint32_t>(Round(static_cast<long double>(Nd) * sum / TwiceFullScale));
    ShapeFactor = static_cast<long double>(Round(sum * 80 / TwiceFullScale)) / 80;
}

} // namespace sheetpile
