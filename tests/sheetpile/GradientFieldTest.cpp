// Vertical gradient field: signs, one-sided ends, halves kept exact, and the refined copy.
#include "tests/ModelFixtures.h"

#include <gtest/gtest.h>

namespace sheetpile::testing {
namespace {

TEST(GradientField, ColumnsOfConstantAndGrowingHeadLoss) {
    auto m = NewModel();
    SetMarkers(*m, 25, 0, 0);
    for (int r = 0; r < CoarseRows; ++r) {
        m->HeadGrid[r][10] = 777;                                         // constant column
        m->HeadGrid[r][11] = 1000u + 37u * static_cast<std::uint32_t>(r); // grows by 37 per row
    }
    m->BuildGradientField();
    for (int r = 0; r < CoarseRows; ++r) {
        EXPECT_EQ(m->GradGrid[r][10], 0.0L) << r;
        EXPECT_EQ(m->GradGrid[r][11], -37.0L) << r;
    }
}

TEST(GradientField, SurfaceSignsAndHalves) {
    auto m = NewModel();
    SetMarkers(*m, 25, 0, 0);
    m->HeadGrid[0][300] = FullScale;
    m->HeadGrid[1][300] = 900000000; // rising water downstream
    m->HeadGrid[0][5] = 0;
    m->HeadGrid[1][5] = 50000000; // sinking water upstream
    m->HeadGrid[19][7] = 7;
    m->HeadGrid[21][7] = 4;
    m->HeadGrid[49][8] = 10;
    m->HeadGrid[50][8] = 3;
    m->BuildGradientField();
    EXPECT_EQ(m->GradGrid[0][300], 100000000.0L);
    EXPECT_EQ(m->GradGrid[0][5], -50000000.0L);
    EXPECT_EQ(m->GradGrid[20][7], 1.5L);
    EXPECT_EQ(m->GradGrid[50][8], 7.0L);
}

TEST(GradientField, RefinedCopyKeepsCoarseNodesAndInterpolatesTheLastRows) {
    auto m = NewModel();
    SetMarkers(*m, 25, 0, 0);
    m->SolveHeadLoss();
    m->BuildGradientField();
    for (int r = 0; r < CoarseRows; ++r)
        for (int c = 0; c <= m->LastCol; ++c)
            ASSERT_EQ(m->FineGrad[4 * r][4 * c], m->GradGrid[r][c]) << r << "," << c;
    const long double g49 = m->GradGrid[49][0], g50 = m->GradGrid[50][0];
    EXPECT_EQ(m->FineGrad[198][0], (g49 + g50) / 2);
    EXPECT_EQ(m->FineGrad[197][0], ((g49 + g50) / 2 + g49) / 2);
}

} // namespace
} // namespace sheetpile::testing
