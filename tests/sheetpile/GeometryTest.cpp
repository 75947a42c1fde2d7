// Geometry: markers, picture size, ties to even, clamped wall depths and blanket lengths.
#include "tests/ModelFixtures.h"

#include <gtest/gtest.h>

#include <limits>

namespace sheetpile::testing {
namespace {

TEST(Geometry, DefaultInputs) {
    auto m = NewModel();
    m->SetupGeometry(2, 1, 0, 0);
    EXPECT_EQ(m->PileRows, 25);
    EXPECT_EQ(m->LeftBlanketCol, 150);
    EXPECT_EQ(m->PileUpCol, 150);
    EXPECT_EQ(m->PileDownCol, 151);
    EXPECT_EQ(m->RightBlanketCol, 151);
    EXPECT_EQ(m->LastCol, 301);
    EXPECT_EQ(m->NetBitmap.Width(), 1204);
    EXPECT_EQ(m->NetBitmap.Height(), 200);
    EXPECT_EQ(m->LeftBlanketX, 600);
    EXPECT_EQ(m->PileUpX, 600);
    EXPECT_EQ(m->PileDownX, 604);
    EXPECT_EQ(m->RightBlanketX, 604);
}

TEST(Geometry, WidestGridAndBlankets) {
    auto m = NewModel();
    m->SetupGeometry(2, 1, 8, 0);
    EXPECT_EQ(m->PileUpCol, 350);
    EXPECT_EQ(m->LastCol, 501);
    EXPECT_EQ(m->NetBitmap.Width(), 2004);
    m->SetupGeometry(10, 3, 1.12L, 2.88L); // 5.6 and 14.4 grid steps
    EXPECT_EQ(m->PileRows, 15);
    EXPECT_EQ(m->PileUpCol, 156);
    EXPECT_EQ(m->RightBlanketCol, 157 + 14);
    EXPECT_EQ(m->LastCol, 157 + 14 + 150);
    m->SetupGeometry(2, 1, -3, -0.5L); // negative lengths count as 0
    EXPECT_EQ(m->PileUpCol, 150);
    EXPECT_EQ(m->RightBlanketCol, 151);
}

TEST(Geometry, WallDepthRoundsTiesToEvenAndStaysOffTheBase) {
    auto m = NewModel();
    m->SetupGeometry(100, 25, 0, 0); // 12.5
    EXPECT_EQ(m->PileRows, 12);
    m->SetupGeometry(100, 27, 0, 0); // 13.5
    EXPECT_EQ(m->PileRows, 14);
    m->SetupGeometry(100, 99, 0, 0); // 49.5 rounds to 50, the base
    EXPECT_EQ(m->PileRows, 49);
    m->SetupGeometry(2, 5, 0, 0); // deeper than the stratum: reaches the base
    EXPECT_EQ(m->PileRows, 49);
    m->SetupGeometry(2, -1, 0, 0);
    EXPECT_EQ(m->PileRows, 0);
}

TEST(Geometry, HugeValuesNeverReachAnOutOfRangeConversion) {
    auto m = NewModel();
    const long double big = std::numeric_limits<long double>::max();
    m->SetupGeometry(1, -big, 0, 0); // the quotient is far below any integer range
    EXPECT_EQ(m->PileRows, 0);
    m->SetupGeometry(std::numeric_limits<long double>::denorm_min(), -1, 0, 0); // -inf quotient
    EXPECT_EQ(m->PileRows, 0);
    // Outside the callers' contract, yet still a valid geometry.
    m->SetupGeometry(1, 0.5L, big, big);
    EXPECT_EQ(m->PileUpCol, 350);
    EXPECT_EQ(m->RightBlanketCol, 351);
    EXPECT_EQ(m->LastCol, 501);
}

TEST(Geometry, SeedCoversColumnZeroOnly) {
    auto m = NewModel();
    for (int r = 0; r < CoarseRows; ++r) {
        EXPECT_EQ(m->HeadGrid[r][0], 500000000u);
        EXPECT_EQ(m->StreamGrid[r][0], 500000000u);
        EXPECT_EQ(m->HeadGrid[r][1], 0u);
        EXPECT_EQ(m->StreamGrid[r][501], 0u);
    }
    EXPECT_EQ(m->NetBitmap.Width(), 0);
}

} // namespace
} // namespace sheetpile::testing
