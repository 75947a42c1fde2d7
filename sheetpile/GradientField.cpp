// Vertical gradient field: the head-loss difference per grid step downwards, in FullScale units,
// positive where the water rises. One-sided at the ground surface (row 0) and at the base
// (row 50), central in between; then refined to one value per picture pixel.
//
// Assumes: HeadGrid holds values within 0..FullScale; no worker is writing it.
//
// Holds on return: GradGrid rows 0..50, columns 0..LastCol are exact (whole numbers in rows 0
// and 50, whole multiples of 1/2 in rows 1..49, all within +-FullScale) and FineGrad holds their
// refinement. Differences of two values within 0..FullScale and their halves are exact in
// double, so the field is the one extended precision gives.
#include "sheetpile/ModelState.h"

namespace sheetpile {

void TModel::BuildGradientField() {
    auto head = [this](int r, int c) { return static_cast<double>(HeadGrid[r][c]); };
    for (int c = 0; c <= LastCol; ++c) {
        GradGrid[0][c] = head(0, c) - head(1, c);
        GradGrid[BaseRow][c] = head(BaseRow - 1, c) - head(BaseRow, c);
        for (int r = 1; r < BaseRow; ++r) GradGrid[r][c] = (head(r - 1, c) - head(r + 1, c)) / 2;
    }
    RefineGradient();
}

} // namespace sheetpile
