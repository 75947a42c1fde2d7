// Head-loss solver: worked examples, state carried between solves, and the boundary cases
// where the update order or the wall's links are easy to get wrong.
#include "tests/ModelFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace sheetpile::testing {
namespace {

TEST(HeadLossSolver, DefaultGeometryFromSeedMatchesWorkedExample) {
    auto m = NewModel();
    SetMarkers(*m, 25, 0, 0);
    m->SolveHeadLoss();
    EXPECT_EQ(m->HeadPasses, 18759u);
    const auto& H = m->HeadGrid;
    EXPECT_EQ(H[1][149], 12056827u);
    EXPECT_EQ(H[1][150], 12080826u);
    EXPECT_EQ(H[25][150], 461419102u);
    EXPECT_EQ(H[25][151], 538576894u);
    EXPECT_EQ(H[50][0], 9897549u);
    EXPECT_EQ(H[50][301], 990097134u);
    EXPECT_EQ(CoarseHash(H, *m), 17438052890329030368ull) << "whole field";

    // A second solve from the relaxed field is quiet at once and changes nothing.
    const CoarseGrid before = H;
    m->SolveHeadLoss();
    EXPECT_EQ(m->HeadPasses, 1u);
    EXPECT_EQ(H, before);
}

TEST(HeadLossSolver, BlanketNodesResetSoARepeatedSolveRelaxesAgain) {
    auto m = NewModel();
    SetMarkers(*m, 49, 20, 30); // U = 170, D = 171, R = 201, N = 351
    ASSERT_EQ(m->LastCol, 351);
    m->SolveHeadLoss();
    EXPECT_EQ(m->HeadPasses, 23509u);
    const CoarseGrid first = m->HeadGrid;

    m->SolveHeadLoss();
    EXPECT_EQ(m->HeadPasses, 10249u);
    int changedNodes = 0;
    std::uint32_t largest = 0;
    for (int r = 0; r < CoarseRows; ++r)
        for (int c = 0; c <= m->LastCol; ++c) {
            const std::uint32_t a = first[r][c], b = m->HeadGrid[r][c];
            if (a != b) ++changedNodes;
            largest = std::max(largest, a > b ? a - b : b - a);
        }
    EXPECT_EQ(changedNodes, 17650);
    EXPECT_EQ(largest, 2299u);
}

TEST(HeadLossSolver, WidestGeometryFromSeed) {
    auto m = NewModel();
    SetMarkers(*m, 25, 200, 0);
    ASSERT_EQ(m->LastCol, 501);
    m->SolveHeadLoss();
    EXPECT_EQ(m->HeadPasses, 120635u);
    EXPECT_EQ(CoarseHash(m->HeadGrid, *m), 18236201760282053134ull);
}

// Checks the invariants that hold after every solve: range, held surfaces, untouched columns.
void ExpectSolvedInvariants(const TModel& m, std::uint32_t outside) {
    const auto& H = m.HeadGrid;
    for (int c = 0; c <= m.LeftBlanketCol; ++c) EXPECT_EQ(H[0][c], 0u) << c;
    for (int c = m.RightBlanketCol; c <= m.LastCol; ++c) EXPECT_EQ(H[0][c], FullScale) << c;
    for (int r = 0; r < CoarseRows; ++r) {
        for (int c = 0; c <= m.LastCol; ++c) ASSERT_LE(H[r][c], FullScale) << r << "," << c;
        for (int c = m.LastCol + 1; c < CoarseCols; ++c)
            ASSERT_EQ(H[r][c], outside) << r << "," << c;
    }
}

TEST(HeadLossSolver, EndsWithinRangeForBoundaryGeometries) {
    struct Case {
        int pileRows, left, right;
        std::uint64_t hash;
    };
    // No pile and no blankets; no pile with blankets; one-step blankets; a pile of one row with
    // and without blankets; the deepest pile.
    // A one-row pile without blankets relaxes to the same field as no pile: only held surface
    // nodes lie above its tip.
    const Case cases[] = {{0, 0, 0, 1692760922314380941ull},   {0, 7, 11, 11274221524138012094ull},
                          {25, 1, 1, 10269922205989302737ull}, {1, 0, 0, 1692760922314380941ull},
                          {1, 3, 2, 15751931453317726804ull},  {49, 0, 0, 9172036037212942206ull}};
    for (const Case& k : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "P=" << k.pileRows << " L=" << k.left << " R=" << k.right);
        auto m = NewModel();
        SetMarkers(*m, k.pileRows, k.left, k.right);
        constexpr std::uint32_t Outside = 123456789; // beyond LastCol: must survive the solve
        for (auto& row : m->HeadGrid) std::fill(row.begin() + m->LastCol + 1, row.end(), Outside);
        m->SolveHeadLoss();
        ExpectSolvedInvariants(*m, Outside);
        EXPECT_EQ(CoarseHash(m->HeadGrid, *m), k.hash);
    }
}

TEST(HeadLossSolver, NoPileAndNoBlanketsHoldsTheTwoSurfacesSideBySide) {
    auto m = NewModel();
    SetMarkers(*m, 0, 0, 0);
    m->SolveHeadLoss();
    EXPECT_EQ(m->HeadGrid[0][150], 0u);
    EXPECT_EQ(m->HeadGrid[0][151], FullScale);
}

TEST(HeadLossSolver, GeometryChangeKeepsOldValuesAsStartValues) {
    // Default run, then a run with blankets: the second relaxes from the first run's field.
    auto chained = NewModel();
    SetMarkers(*chained, 25, 0, 0);
    chained->SolveHeadLoss();
    SetMarkers(*chained, 10, 40, 60);
    chained->SolveHeadLoss();

    auto fresh = NewModel();
    SetMarkers(*fresh, 10, 40, 60);
    fresh->SolveHeadLoss();

    EXPECT_NE(chained->HeadPasses, fresh->HeadPasses);
    EXPECT_EQ(CoarseHash(chained->HeadGrid, *chained), 10897166063696845278ull);
}

} // namespace
} // namespace sheetpile::testing
