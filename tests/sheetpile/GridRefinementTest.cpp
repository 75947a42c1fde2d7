// Grid refinement: the 5 x 5 block in both arithmetics, shared edges, the last fine row and
// column, and sums that must not wrap.
#include "tests/ModelFixtures.h"

#include <gtest/gtest.h>

namespace sheetpile::testing {
namespace {

TEST(GridRefinement, IntegerBlockTruncatesEveryAverage) {
    auto m = NewModel();
    m->LastCol = 1;
    m->HeadGrid[0][0] = 3; // TL
    m->HeadGrid[0][1] = 5; // TR
    m->HeadGrid[1][1] = 8; // BR
    m->HeadGrid[1][0] = 1; // BL
    m->RefineHead();
    const std::uint32_t expected[5][5] = {
        {3, 3, 4, 4, 5}, {2, 3, 4, 4, 5}, {2, 3, 4, 5, 6}, {1, 2, 4, 6, 7}, {1, 2, 4, 6, 8}};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(m->FineHead[y][x], expected[y][x]) << y << "," << x;
}

TEST(GridRefinement, RealBlockIsExact) {
    auto m = NewModel();
    m->LastCol = 1;
    m->GradGrid[0][0] = 3;
    m->GradGrid[0][1] = 5;
    m->GradGrid[1][1] = 8;
    m->GradGrid[1][0] = 1;
    m->RefineGradient();
    const long double expected[5][5] = {{3, 3.5L, 4, 4.5L, 5},
                                        {2.5L, 3.625L, 4.125L, 4.625L, 5.75L},
                                        {2, 3.125L, 4.25L, 5.375L, 6.5L},
                                        {1.5L, 2.625L, 4.375L, 6.125L, 7.25L},
                                        {1, 2.75L, 4.5L, 6.25L, 8}};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(m->FineGrad[y][x], expected[y][x]) << y << "," << x;
}

TEST(GridRefinement, FullScaleEverywhereDoesNotWrap) {
    auto m = NewModel();
    m->LastCol = 501;
    for (auto& row : m->StreamGrid) row.fill(FullScale);
    for (auto& row : m->FineStream) row.fill(0);
    m->RefineStream();
    for (int y = 0; y < FineRows; ++y)
        for (int x = 0; x < FineCols; ++x)
            ASSERT_EQ(m->FineStream[y][x], FullScale) << y << "," << x;
}

TEST(GridRefinement, CoarseNodesCarryOverAndOnlyColumnsInUseAreWritten) {
    auto m = NewModel();
    m->LastCol = 301;
    std::uint32_t v = 12345;
    for (auto& row : m->HeadGrid)
        for (auto& cell : row) cell = (v = v * 1103515245u + 12345u) % (FullScale + 1);
    for (auto& row : m->FineHead) row.fill(7);
    m->RefineHead();
    for (int r = 0; r < CoarseRows; ++r)
        for (int c = 0; c <= m->LastCol; ++c)
            ASSERT_EQ(m->FineHead[4 * r][4 * c], m->HeadGrid[r][c]) << r << "," << c;
    for (int y = 0; y < FineRows; ++y)
        for (int x = 4 * m->LastCol + 1; x < FineCols; ++x) ASSERT_EQ(m->FineHead[y][x], 7u);
    // The last fine row and column interpolate along themselves only.
    const auto& F = m->FineHead;
    const auto& G = m->HeadGrid;
    EXPECT_EQ(F[200][2], (G[50][0] + G[50][1]) >> 1);
    const int last = 4 * m->LastCol;
    EXPECT_EQ(F[2][last], (G[0][m->LastCol] + G[1][m->LastCol]) >> 1);
}

TEST(GridRefinement, SolvedDefaultFieldsRefineToGoldenGrids) {
    auto m = NewModel();
    SetMarkers(*m, 25, 0, 0);
    TThread1Execute(*m);
    TThread2Execute(*m);
    EXPECT_EQ(FineHash(m->FineStream, *m), 5004324747628467730ull);
    EXPECT_EQ(FineHash(m->FineHead, *m), 6817480300195421856ull);
    EXPECT_EQ(m->FineHeadAt(0, 0), 0);
    EXPECT_EQ(m->FineHeadAt(4 * 301, 0), static_cast<std::int32_t>(FullScale));
}

} // namespace
} // namespace sheetpile::testing
