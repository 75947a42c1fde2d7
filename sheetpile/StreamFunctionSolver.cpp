// Stream-function solver: relaxes StreamGrid in place (Gauss-Seidel order, truncating integer
// means) until a whole pass leaves every interior node unchanged.
//
// Assumes: the markers hold a geometry made by SetupGeometry and every node of rows 0..50,
// columns 0..LastCol lies in 0..FullScale. Sums of four such values stay below 2^32.
//
// Holds on return: StreamGrid is FullScale along the blankets and the wall (faces and tip), 0 on
// the left edge, the right edge and the base, and the last pass changed no interior node.
// StreamPasses counts the passes, the quiet one included. Columns above LastCol are neither read
// nor written. This is the plain reference order; it touches StreamGrid only.
#include "sheetpile/ModelState.h"

namespace sheetpile {

void TModel::SolveStreamFunctionPlain() {
    auto& S = StreamGrid;
    const int L = LeftBlanketCol, U = PileUpCol, D = PileDownCol, R = RightBlanketCol;
    const int N = LastCol, P = PileRows;
    constexpr int B = BaseRow;

    for (int c = L; c <= R; ++c) S[0][c] = FullScale;
    for (int r = 0; r <= P; ++r) S[r][U] = S[r][D] = FullScale;
    for (int r = 0; r <= B; ++r) S[r][0] = S[r][N] = 0;
    for (int c = 0; c <= N; ++c) S[B][c] = 0;

    auto surface = [&S](int c) { S[0][c] = (S[0][c - 1] + S[0][c + 1] + S[1][c]) / 3; };
    // Interior updates report a change by any set bit of `changed`. The value just written is
    // carried to the next node of the sweep and added last (the sum cannot wrap, so the order of
    // the additions does not matter): each update then waits for one add and one shift only.
    // Row r from column `first` rightwards to `last`, and from `last` leftwards to `first`.
    auto rightwards = [&S](int r, int first, int last, std::uint32_t& changed) {
        std::uint32_t left = S[r][first - 1];
#pragma GCC unroll 8
        for (int c = first; c <= last; ++c) {
            const std::uint32_t v = (left + (S[r][c + 1] + S[r - 1][c] + S[r + 1][c])) >> 2;
            changed |= v ^ S[r][c];
            S[r][c] = left = v;
        }
    };
    auto leftwards = [&S](int r, int first, int last, std::uint32_t& changed) {
        std::uint32_t right = S[r][last + 1];
#pragma GCC unroll 8
        for (int c = last; c >= first; --c) {
            const std::uint32_t v = (right + (S[r][c - 1] + S[r - 1][c] + S[r + 1][c])) >> 2;
            changed |= v ^ S[r][c];
            S[r][c] = right = v;
        }
    };

    std::uint64_t passes = 0;
    std::uint32_t changed = 1;
    while (changed != 0) {
        changed = 0;
        ++passes;

        // Open ground surfaces, there and back.
        for (int c = 1; c <= L - 1; ++c) surface(c);
        for (int c = L - 1; c >= 1; --c) surface(c);
        for (int c = R + 1; c <= N - 1; ++c) surface(c);
        for (int c = N - 1; c >= R + 1; --c) surface(c);

        // Beside the wall: upstream rows from the wall outwards and back, then downstream rows.
        for (int r = 1; r <= P; ++r) {
            leftwards(r, 1, U - 1, changed);
            rightwards(r, 1, U - 1, changed);
        }
        for (int r = 1; r <= P; ++r) {
            rightwards(r, D + 1, N - 1, changed);
            leftwards(r, D + 1, N - 1, changed);
        }
        // Below the wall tip, across the whole width.
        for (int r = P + 1; r <= B - 1; ++r) {
            rightwards(r, 1, N - 1, changed);
            leftwards(r, 1, N - 1, changed);
        }
    }
    StreamPasses = passes;
}

} // namespace sheetpile
