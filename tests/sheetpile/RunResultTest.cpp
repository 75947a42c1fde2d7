// The shared result of a run: every field, figure and pixel the model's own, and nothing of a
// drawing that belongs to another geometry.
#include "sheetpile/RunResult.h"
#include "sheetpile/ZoneOverlays.h"
#include "tests/ModelFixtures.h"

#include <gtest/gtest.h>

namespace sheetpile::testing {
namespace {

// A completed default run with the critical zone shown, as a window leaves it.
std::unique_ptr<TModel> CompletedRun() {
    auto m = NewModel();
    m->HeadDiff = 4;
    m->StratumDepth = 2;
    m->Permeability = 1e-5L;
    m->UnitWeightRatio = 1;
    m->ShowCriticalZone = true;
    m->SetupGeometry(2, 1, 0, 0);
    TThread1Execute(*m);
    TThread2Execute(*m);
    m->ComputeDischarge();
    m->RenderNet(m->Nd, m->Nf);
    m->DrawStructure();
    m->ShowNetPicture();
    return m;
}

template <typename Grid>
void ExpectSameGrid(const verrask::section::TNodeGrid& got, const Grid& want, int rows, int cols) {
    ASSERT_EQ(got.Rows, rows);
    ASSERT_EQ(got.Cols, cols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            ASSERT_EQ(got[static_cast<std::size_t>(r)][c], want[r][c]) << r << ", " << c;
}

TEST(RunResult, CarriesTheRunsFieldsFiguresZonesAndPictureExactly) {
    const auto m = CompletedRun();
    const auto r = RunResult(*m);
    const int cols = m->LastCol + 1, fine = 4 * m->LastCol + 1;
    ExpectSameGrid(r->HeadGrid, m->HeadGrid, CoarseRows, cols);
    ExpectSameGrid(r->StreamGrid, m->StreamGrid, CoarseRows, cols);
    ExpectSameGrid(r->FineHead, m->FineHead, FineRows, fine);
    ExpectSameGrid(r->FineStream, m->FineStream, FineRows, fine);
    EXPECT_EQ(r->Nd, m->Nd);
    EXPECT_EQ(r->Nf, m->Nf);
    EXPECT_EQ(r->ShapeFactor, m->ShapeFactor);
    EXPECT_EQ(r->Q, m->HeadDiff * m->ShapeFactor * m->Permeability);
    EXPECT_EQ(r->HeadPasses, m->HeadPasses);
    EXPECT_EQ(r->StreamPasses, m->StreamPasses);
    EXPECT_FALSE(r->Partial);

    const TZoneExtent zones = ZoneExtent(*m);
    EXPECT_GT(zones.CriticalPixels, 0); // the exit face's gradient exceeds 1 at this head
    EXPECT_EQ(r->Zones.CriticalPixels, zones.CriticalPixels);
    EXPECT_EQ(r->Zones.PossibleColumns, zones.PossibleColumns);
    EXPECT_EQ(r->Zones.ImminentColumns, zones.ImminentColumns);

    const TBitmap& shown = m->ShownPicture;
    ASSERT_EQ(r->Picture.Width, shown.Width());
    ASSERT_EQ(r->Picture.Height, shown.Height());
    std::size_t at = 0;
    for (int y = 0; y < shown.Height(); ++y)
        for (int x = 0; x < shown.Width(); ++x, at += 3) {
            const TColor p = shown.GetPixel(x, y);
            ASSERT_EQ(r->Picture.Rgb[at], RedOf(p)) << x << ", " << y;
            ASSERT_EQ(r->Picture.Rgb[at + 1], GreenOf(p));
            ASSERT_EQ(r->Picture.Rgb[at + 2], BlueOf(p));
        }

    const auto coarse = RunResult(*m, false);
    EXPECT_TRUE(coarse->FineHead.empty() && coarse->FineStream.empty());
    EXPECT_EQ(coarse->Picture.Rgb, r->Picture.Rgb);
}

TEST(RunResult, LeavesOutTheDrawingOfAnotherGeometry) {
    const auto m = CompletedRun();
    m->SetupGeometry(2, 1, 2, 0); // a wider grid, not yet solved or drawn
    const auto r = RunResult(*m);
    EXPECT_EQ(r->HeadGrid.Cols, m->LastCol + 1);
    EXPECT_TRUE(r->FineHead.empty() && r->FineStream.empty());
    EXPECT_EQ(r->Zones.CriticalPixels, 0);
    EXPECT_TRUE(r->Picture.Rgb.empty());
    EXPECT_TRUE(TrialResult(*m)->Partial);
}

} // namespace
} // namespace sheetpile::testing
