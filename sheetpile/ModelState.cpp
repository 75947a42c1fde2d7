// Model start-up, the probe's read of the refined head loss, rounding and the worker bodies.
//
// InitModel seeds column 0 of both coarse grids with 50 % and every other column with 0: it runs
// before any geometry exists, and a later run of any width relaxes from that seed. It writes
// nothing else; the other grids are written by the run steps that read them.
#include "sheetpile/ModelState.h"

#include <atomic>
#include <cmath>

namespace sheetpile {

std::int64_t Round(long double x) {
    return std::llrint(x);
}

void TModel::InitModel() {
    NetBitmap.SetSize(0, 0);
    constexpr std::uint32_t Seed = FullScale / 2; // a neutral start for both fields
    for (int r = 0; r < CoarseRows; ++r) {
        StreamGrid[r].fill(0);
        HeadGrid[r].fill(0);
        for (int c = 0; c <= LastCol; ++c) {
            StreamGrid[r][c] = Seed;
            HeadGrid[r][c] = Seed;
        }
    }
}

std::int32_t TModel::FineHeadAt(std::int32_t x, std::int32_t y) const {
    // RefineHead may be rewriting the cell on the head-loss worker: read the word whole.
    auto& cell = const_cast<std::uint32_t&>(
        FineHead[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]);
    return static_cast<std::int32_t>(
        std::atomic_ref<std::uint32_t>(cell).load(std::memory_order_relaxed));
}

bool FastSolversAvailable() {
#if defined(VERRASK_FAST_SOLVERS)
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

void TModel::SolveHeadLoss() {
    if (UseFastSolvers && FastSolversAvailable())
        SolveHeadLossFast();
    else
        SolveHeadLossPlain();
}

void TModel::SolveStreamFunction() {
    if (UseFastSolvers && FastSolversAvailable())
        SolveStreamFunctionFast();
    else
        SolveStreamFunctionPlain();
}

void TThread1Execute(TModel& model) {
    model.SolveStreamFunction();
    model.RefineStream();
}

void TThread2Execute(TModel& model) {
    model.SolveHeadLoss();
    model.RefineHead();
}

} // namespace sheetpile
