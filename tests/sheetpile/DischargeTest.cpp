// Discharge and shape factor: the sums over both ground surfaces and the two independent
// roundings (ties to even).
#include "tests/ModelFixtures.h"

#include <gtest/gtest.h>

namespace sheetpile::testing {
namespace {

// Puts `total` head-loss steps onto the upstream surface (row 1 above row 0 held at 0).
void SetSteps(TModel& m, std::uint32_t inflow, std::uint32_t outflow) {
    SetMarkers(m, 25, 0, 0);
    for (auto& row : m.HeadGrid) row.fill(0);
    for (int c = m.RightBlanketCol; c <= m.LastCol; ++c)
        m.HeadGrid[0][c] = m.HeadGrid[1][c] = FullScale;
    m.HeadGrid[1][3] = inflow;
    m.HeadGrid[1][m.LastCol - 2] = FullScale - outflow;
}

TEST(Discharge, RoundsNfAndShapeFactorIndependentlyTiesToEven) {
    struct Case {
        std::uint32_t inflow, outflow;
        std::uint32_t nf;
        long double shape;
    };
    const Case cases[] = {
        {0, 0, 0, 0},
        {60000000, 40000000, 0, 4 / 80.0L},    // S = 0.05: Nf = Round(0.5) = 0
        {150000000, 150000000, 2, 12 / 80.0L}, // S = 0.15: Nf = Round(1.5) = 2
        {12500000, 0, 0, 0},                   // 80 S = 0.5: ShapeFactor 0
        {0, 37500000, 0, 2 / 80.0L},           // 80 S = 1.5: 2/80
        {500000000, 375000000, 4, 0.4375L},    // S = 0.4375
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(::testing::Message() << k.inflow << " + " << k.outflow);
        auto m = NewModel();
        SetSteps(*m, k.inflow, k.outflow);
        m->Nd = 17;
        m->ComputeDischarge();
        EXPECT_EQ(m->InflowSum, static_cast<long double>(k.inflow));
        EXPECT_EQ(m->OutflowSum, static_cast<long double>(k.outflow));
        EXPECT_EQ(m->Nd, 10u);
        EXPECT_EQ(m->Nf, k.nf);
        EXPECT_EQ(m->ShapeFactor, k.shape);
    }
}

TEST(Discharge, SumsCoverBothOpenSurfacesInclusive) {
    auto m = NewModel();
    SetMarkers(*m, 25, 10, 20);
    for (auto& row : m->HeadGrid) row.fill(0);
    for (int c = m->RightBlanketCol; c <= m->LastCol; ++c) m->HeadGrid[0][c] = FullScale;
    // Row 1 upstream: 1 per column 0..150; downstream: 2 per column R..N (row 1 = FullScale - 2).
    for (int c = 0; c <= m->LastCol; ++c) m->HeadGrid[1][c] = 1;
    for (int c = m->RightBlanketCol; c <= m->LastCol; ++c) m->HeadGrid[1][c] = FullScale - 2;
    m->ComputeDischarge();
    EXPECT_EQ(m->InflowSum, 151.0L);
    EXPECT_EQ(m->OutflowSum, 302.0L);
}

TEST(Discharge, DefaultRunGivesItsShapeFactor) {
    auto m = NewModel();
    SetMarkers(*m, 25, 0, 0);
    m->SolveHeadLoss();
    m->ComputeDischarge();
    EXPECT_EQ(m->Nd, 10u);
    EXPECT_EQ(m->InflowSum, 505573718.0L);
    EXPECT_EQ(m->OutflowSum, 505605440.0L);
    EXPECT_EQ(m->Nf, 5u);
    EXPECT_EQ(m->ShapeFactor, 0.5L);
}

} // namespace
} // namespace sheetpile::testing
