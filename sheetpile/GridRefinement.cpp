// Grid refinement: interpolates a coarse grid onto a grid four times finer in each direction by
// repeated halving inside each coarse cell (a fixed 5 x 5 table of averages per cell).
//
// Assumes: 1 <= LastCol <= 501; integer sources hold values within 0..FullScale, so the largest
// sum, 4 x FullScale, stays below 2^32; real sources hold whole multiples of 1/2.
//
// Holds on return: fine rows 0..200 and columns 0..4 x LastCol are written, nothing else;
// fine node [4r][4c] equals coarse [r][c]. Neighbouring cells write the same values on their
// shared edge (avg is symmetric), so the visiting order does not matter. Integer averages are
// truncated (shifts); real averages are exact for the gradient field's values: sums of four
// multiples of 1/2 within +-FullScale, and the means of means down to 1/16, need at most 35
// significant bits, well inside double's 53.
#include "sheetpile/ModelState.h"

#include <atomic>

namespace sheetpile {

namespace {

template <typename T, typename Grid, typename Avg, typename Centre, typename Store>
void RefineGrid(const Grid& G, int lastCol, Avg avg, Centre centre, Store store) {
    for (int i = 0; i < BaseRow; ++i) {
        for (int a = 0; a < lastCol; ++a) {
            const T TL = G[i][a], TR = G[i][a + 1], BR = G[i + 1][a + 1], BL = G[i + 1][a];
            const T MT = avg(TL, TR), MR = avg(TR, BR), MB = avg(BR, BL), ML = avg(BL, TL);
            const T CE = centre(TL, TR, BR, BL);
            const T block[5][5] = {
                {TL, avg(MT, TL), MT, avg(MT, TR), TR},
                {avg(ML, TL), avg(CE, TL), avg(MT, CE), avg(CE, TR), avg(MR, TR)},
                {ML, avg(ML, CE), CE, avg(MR, CE), MR},
                {avg(ML, BL), avg(CE, BL), avg(MB, CE), avg(CE, BR), avg(MR, BR)},
                {BL, avg(MB, BL), MB, avg(MB, BR), BR},
            };
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 5; ++x) store(4 * i + y, 4 * a + x, block[y][x]);
        }
    }
}

std::uint32_t IntAvg(std::uint32_t p, std::uint32_t q) {
    return (p + q) >> 1;
}
std::uint32_t IntCentre(std::uint32_t tl, std::uint32_t tr, std::uint32_t br, std::uint32_t bl) {
    return (tl + tr + br + bl) >> 2;
}

} // namespace

void TModel::RefineStream() {
    RefineGrid<std::uint32_t>(StreamGrid, LastCol, IntAvg, IntCentre,
                              [this](int y, int x, std::uint32_t v) { FineStream[y][x] = v; });
}

void TModel::RefineHead() {
    // The mouse probe may read FineHead meanwhile: store each word whole.
    RefineGrid<std::uint32_t>(
        HeadGrid, LastCol, IntAvg, IntCentre, [this](int y, int x, std::uint32_t v) {
            std::atomic_ref<std::uint32_t>(FineHead[y][x]).store(v, std::memory_order_relaxed);
        });
}

void RefineGradient(const CoarseRealGrid& grad, int lastCol, FineRealGrid& fine) {
    RefineGrid<double>(
        grad, lastCol, [](double p, double q) { return (p + q) / 2; },
        [](double tl, double tr, double br, double bl) { return (((tl + tr) + br) + bl) / 4; },
        [&fine](int y, int x, double v) { fine[y][x] = v; });
}

void TModel::RefineGradient() {
    sheetpile::RefineGradient(GradGrid, LastCol, FineGrad);
}

} // namespace sheetpile
