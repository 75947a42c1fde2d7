// Vertical gradient field: the head-loss difference per grid step downwards, in FullScale units,
// positive where the water rises. One-sided at the ground surface (row 0) and at the base
// (row 50), central in between; then refined to one value per picture pixel.
//
// Assumes: HeadGrid holds values within 0..FullScale; no worker is writing it.
//
// BuildGradient does the same from any heads into any pair of grids.
//
// Holds on return: GradGrid rows 0..50, columns 0..LastCol are exact (whole numbers in rows 0
// and 50, whole multiples of 1/2 in rows 1..49, all within +-FullScale) and FineGrad holds their
// refinement. Differences of two values within 0..FullScale and their halves are exact in
// double, so the field is the one extended precision gives.
#include "sheetpile/ModelState.h"

namespace sheetpile {

void BuildGradient(const CoarseGrid& heads, int lastCol, CoarseRealGrid& grad, FineRealGrid& fine) {
    auto head = [&heads](int r, int c) { return static_cast<double>(heads[r][c]); };
    for (int c = 0; c <= lastCol; ++c) {
        grad[0][c] = head(0, c) - head(1, c);
        grad[BaseRow][c] = head(BaseRow - 1, c) - head(BaseRow, c);
        for (int r = 1; r < BaseRow; ++r) grad[r][c] = (head(r - 1, c) - head(r + 1, c)) / 2;
    }
    RefineGradient(grad, lastCol, fine);
}

void TModel::BuildGradientField() {
    BuildGradient(HeadGrid, LastCol, GradGrid, FineGrad);
}

} // namespace sheetpile
