// Stream-function solver: worked examples, held structure nodes, and a geometry change that
// turns former wall nodes into free ones.
#include "tests/ModelFixtures.h"

#include <gtest/gtest.h>

namespace sheetpile::testing {
namespace {

TEST(StreamFunctionSolver, DefaultGeometryFromSeedMatchesWorkedExample) {
    auto m = NewModel();
    SetMarkers(*m, 25, 0, 0);
    m->SolveStreamFunction();
    EXPECT_EQ(m->StreamPasses, 11599u);
    const auto& S = m->StreamGrid;
    EXPECT_EQ(S[0][1], 640730u);
    EXPECT_EQ(S[0][149], 976643584u);
    EXPECT_EQ(S[1][149], 976600836u);
    EXPECT_EQ(S[26][150], 871027125u);
    EXPECT_EQ(S[49][150], 25231778u);
    EXPECT_EQ(CoarseHash(S, *m), 10059062320370780371ull) << "whole field";

    const CoarseGrid before = S;
    m->SolveStreamFunction();
    EXPECT_EQ(m->StreamPasses, 1u);
    EXPECT_EQ(S, before);
}

TEST(StreamFunctionSolver, BlanketsAndDeepestPileSecondSolveIsQuiet) {
    auto m = NewModel();
    SetMarkers(*m, 49, 20, 30);
    m->SolveStreamFunction();
    EXPECT_EQ(m->StreamPasses, 11998u);
    const CoarseGrid before = m->StreamGrid;
    m->SolveStreamFunction();
    EXPECT_EQ(m->StreamPasses, 1u);
    EXPECT_EQ(m->StreamGrid, before);
}

TEST(StreamFunctionSolver, HeldNodesAndRangeForBoundaryGeometries) {
    struct Case {
        int pileRows, left, right;
        std::uint64_t hash;
    };
    const Case cases[] = {{0, 0, 0, 8280449032791701263ull},
                          {0, 7, 11, 8277741120744215247ull},
                          {1, 3, 2, 3397699375363140314ull},
                          {49, 0, 0, 2340021855234174335ull},
                          {25, 200, 0, 981303904211712848ull}};
    for (const Case& k : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "P=" << k.pileRows << " L=" << k.left << " R=" << k.right);
        auto m = NewModel();
        SetMarkers(*m, k.pileRows, k.left, k.right);
        constexpr std::uint32_t Outside = 987654321;
        for (auto& row : m->StreamGrid) std::fill(row.begin() + m->LastCol + 1, row.end(), Outside);
        m->SolveStreamFunction();
        const auto& S = m->StreamGrid;
        const int N = m->LastCol;
        for (int c = m->LeftBlanketCol; c <= m->RightBlanketCol; ++c) EXPECT_EQ(S[0][c], FullScale);
        for (int r = 0; r <= m->PileRows; ++r) {
            EXPECT_EQ(S[r][m->PileUpCol], FullScale);
            EXPECT_EQ(S[r][m->PileDownCol], FullScale);
        }
        for (int r = 0; r < CoarseRows; ++r) {
            EXPECT_EQ(S[r][0], 0u);
            EXPECT_EQ(S[r][N], 0u);
            for (int c = 0; c <= N; ++c) ASSERT_LE(S[r][c], FullScale);
            for (int c = N + 1; c < CoarseCols; ++c) ASSERT_EQ(S[r][c], Outside);
        }
        for (int c = 0; c <= N; ++c) EXPECT_EQ(S[BaseRow][c], 0u);
        EXPECT_EQ(CoarseHash(S, *m), k.hash);
    }
}

TEST(StreamFunctionSolver, FormerWallNodesStartFromFullScaleAfterGeometryChange) {
    auto m = NewModel();
    SetMarkers(*m, 40, 0, 0);
    m->SolveStreamFunction();
    SetMarkers(*m, 5, 0, 0); // rows 6..40 of the old wall are free now and start at FullScale
    m->SolveStreamFunction();
    EXPECT_EQ(CoarseHash(m->StreamGrid, *m), 1127822266475397911ull);
    EXPECT_LT(m->StreamGrid[40][150], FullScale);
}

} // namespace
} // namespace sheetpile::testing
