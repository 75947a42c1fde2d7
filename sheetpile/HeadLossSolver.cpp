// Head-loss solver: relaxes HeadGrid in place (Gauss-Seidel order, truncating integer means)
// until a whole pass leaves every interior node unchanged.
//
// Assumes: the markers hold a geometry made by SetupGeometry and every node of rows 0..50,
// columns 0..LastCol lies in 0..FullScale. Sums of four such values stay below 2^32.
//
// Holds on return: HeadGrid is 0 on the upstream ground surface and the left blanket's start
// values, FullScale on the downstream ground surface, and the last pass changed no interior
// node. HeadPasses counts the passes, the quiet one included. Columns above LastCol are neither
// read nor written. This is the plain reference order; it touches HeadGrid only.
#include "sheetpile/ModelState.h"

namespace sheetpile {

void TModel::SolveHeadLossPlain() {
    auto& H = HeadGrid;
    const int L = LeftBlanketCol, U = PileUpCol, D = PileDownCol, R = RightBlanketCol;
    const int N = LastCol, P = PileRows;
    constexpr int B = BaseRow;

    for (int c = 0; c <= U; ++c) H[0][c] = 0;
    for (int c = D; c <= N; ++c) H[0][c] = FullScale;

    // Interior updates report a change by any set bit of `changed`. The value just written is
    // carried to the next node of the sweep and added last (the sum cannot wrap, so the order of
    // the additions does not matter): each update then waits for one add and one shift only.
    auto interior = [&H](int r, int c, std::uint32_t& changed) {
        const std::uint32_t v = (H[r - 1][c] + H[r + 1][c] + H[r][c - 1] + H[r][c + 1]) >> 2;
        changed |= v ^ H[r][c];
        H[r][c] = v;
    };
    // Rows 1 -> 49 of column c, then 49 -> 1.
    auto column = [&H](int c, std::uint32_t& changed) {
        std::uint32_t above = H[0][c];
#pragma GCC unroll 7
        for (int r = 1; r <= B - 1; ++r) {
            const std::uint32_t v = (above + (H[r + 1][c] + H[r][c - 1] + H[r][c + 1])) >> 2;
            changed |= v ^ H[r][c];
            H[r][c] = above = v;
        }
        std::uint32_t below = H[B][c];
#pragma GCC unroll 7
        for (int r = B - 1; r >= 1; --r) {
            const std::uint32_t v = (below + (H[r - 1][c] + H[r][c - 1] + H[r][c + 1])) >> 2;
            changed |= v ^ H[r][c];
            H[r][c] = below = v;
        }
    };

    std::uint64_t passes = 0;
    std::uint32_t changed = 1;
    while (changed != 0) {
        changed = 0;
        ++passes;

        // Impervious boundaries: left edge, base, right edge.
        for (int r = 1; r < B; ++r) H[r][0] = (H[r - 1][0] + H[r + 1][0] + H[r][1]) / 3;
        H[B][0] = (H[B - 1][0] + H[B][1]) >> 1;
        for (int c = 1; c < N; ++c) H[B][c] = (H[B - 1][c] + H[B][c - 1] + H[B][c + 1]) / 3;
        H[B][N] = (H[B - 1][N] + H[B][N - 1]) >> 1;
        for (int r = B - 1; r >= 1; --r) H[r][N] = (H[r - 1][N] + H[r + 1][N] + H[r][N - 1]) / 3;

        // Left blanket.
        for (int c = L + 1; c <= U - 1; ++c) H[0][c] = (H[1][c] + H[0][c - 1] + H[0][c + 1]) / 3;

        // The wall: its top at the blankets, both faces and the two tip nodes.
        if (P >= 1) {
            if (U > L) H[0][U] = (H[0][U - 1] + H[1][U]) >> 1;
            for (int r = 1; r <= P - 1; ++r)
                H[r][U] = (H[r - 1][U] + H[r + 1][U] + H[r][U - 1]) / 3;
            H[P][U] = (H[P - 1][U] + H[P + 1][U] + H[P][U - 1] + H[P][D]) >> 2;
            H[P][D] = (H[P - 1][D] + H[P + 1][D] + H[P][U] + H[P][D + 1]) >> 2;
            for (int r = P - 1; r >= 1; --r)
                H[r][D] = (H[r - 1][D] + H[r + 1][D] + H[r][D + 1]) / 3;
            if (R > D) H[0][D] = (H[0][D + 1] + H[1][D]) >> 1;
        } else {
            if (U > L) H[0][U] = (H[1][U] + H[0][U - 1] + H[0][U + 1]) / 3;
            if (R > D) H[0][D] = (H[1][D] + H[0][D - 1] + H[0][D + 1]) / 3;
        }

        // Right blanket.
        for (int c = D + 1; c <= R - 1; ++c) H[0][c] = (H[1][c] + H[0][c - 1] + H[0][c + 1]) / 3;

        // Upstream interior: each column down, then up again.
        for (int c = 1; c <= U - 1; ++c) column(c, changed);
        // Below the wall tip, where columns U and D see each other.
        for (int r = P + 1; r <= B - 1; ++r) {
            interior(r, U, changed);
            interior(r, D, changed);
        }
        // Downstream interior.
        for (int c = D + 1; c <= N - 1; ++c) column(c, changed);
    }
    HeadPasses = passes;
}

} // namespace sheetpile
