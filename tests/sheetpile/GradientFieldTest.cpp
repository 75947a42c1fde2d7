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

// Any head-loss values at all, the widest grid: the field and its refinement hold what the same
// formulas give in extended precision, bit for bit.
TEST(GradientField, StoredFieldsEqualTheExtendedPrecisionOnes) {
    auto m = NewModel();
    SetMarkers(*m, 30, 120, 80);
    std::uint64_t x = 12345;
    for (auto& row : m->HeadGrid)
        for (auto& v : row) {
            x = x * 6364136223846793005ull + 1442695040888963407ull;
            v = static_cast<std::uint32_t>((x >> 33) % (FullScale + 1ull));
        }
    m->HeadGrid[0][7] = FullScale; // the largest steps both ways
    m->HeadGrid[1][7] = 0;
    m->HeadGrid[2][9] = FullScale;
    m->BuildGradientField();

    using TReal = long double;
    auto head = [&m](int r, int c) { return static_cast<TReal>(m->HeadGrid[r][c]); };
    auto grad = [&](int r, int c) {
        if (r == 0) return head(0, c) - head(1, c);
        if (r == BaseRow) return head(BaseRow - 1, c) - head(BaseRow, c);
        return (head(r - 1, c) - head(r + 1, c)) / 2;
    };
    auto avg = [](TReal p, TReal q) { return (p + q) / 2; };
    for (int i = 0; i < BaseRow; ++i)
        for (int a = 0; a < m->LastCol; ++a) {
            const TReal TL = grad(i, a), TR = grad(i, a + 1), BR = grad(i + 1, a + 1),
                        BL = grad(i + 1, a);
            ASSERT_EQ(static_cast<TReal>(m->GradGrid[i][a]), TL) << i << "," << a;
            const TReal MT = avg(TL, TR), MR = avg(TR, BR), MB = avg(BR, BL), ML = avg(BL, TL);
            const TReal CE = (((TL + TR) + BR) + BL) / 4;
            const TReal block[5][5] = {
                {TL, avg(MT, TL), MT, avg(MT, TR), TR},
                {avg(ML, TL), avg(CE, TL), avg(MT, CE), avg(CE, TR), avg(MR, TR)},
                {ML, avg(ML, CE), CE, avg(MR, CE), MR},
                {avg(ML, BL), avg(CE, BL), avg(MB, CE), avg(CE, BR), avg(MR, BR)},
                {BL, avg(MB, BL), MB, avg(MB, BR), BR},
            };
            for (int y = 0; y < 5; ++y)
                for (int z = 0; z < 5; ++z)
                    ASSERT_EQ(static_cast<TReal>(m->FineGrad[4 * i + y][4 * a + z]), block[y][z])
                        << 4 * i + y << "," << 4 * a + z;
        }
}

} // namespace
} // namespace sheetpile::testing
