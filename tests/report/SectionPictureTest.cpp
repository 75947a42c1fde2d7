// The section's picture against closed forms of a wall half way into a homogeneous layer and of
// a wall to the base, read back from its pixels.
#include "report/SectionPicture.h"

#include "sectionmodel/SectionSolve.h"

#include <gtest/gtest.h>

#include <cmath>

namespace verrask::report {
namespace {

using namespace verrask::section;

// One wall at x = 0 in a layer 10 m deep, grounds at 0, water 1 m against none, 30 m each side.
TSectionResultPtr OneWall(double toe) {
    TSection s;
    s.Layers = {{-10.0, 1e-5, 1e-5, 20.0, "sand"}};
    s.Walls = {{0.0, toe}};
    s.Surface = {{0.0, 1.0, false, {}}, {0.0, 0.0, false, {}}};
    s.Extent = TExtent{-30, 30};
    TSectionResultPtr r;
    EXPECT_EQ(sectionmodel::SolveSection(s, r), "");
    return r;
}

// Runs of pixels of `colour` down column px between rows y1 and y2.
int RunsDown(const TRgbRaster& raster, int px, int y1, int y2, TColor colour) {
    int runs = 0;
    for (int y = y1; y <= y2; ++y)
        runs += raster.Get(px, y) == colour && raster.Get(px, y - 1) != colour;
    return runs;
}

TEST(SectionPicture, HalfDepthWallGivesTheClosedFormFlowNetAtNaturalScale) {
    // s/T = 0.5: q = k H / 2 exactly, so Nd = 10 drops go with Nf = 10 x 0.5 = 5 channels (the
    // model's q is within 0.5 % of it, far from a rounding boundary).
    const TSectionResultPtr r = OneWall(-5);
    ASSERT_TRUE(r);
    TSectionPicture p;
    ASSERT_EQ(SectionPicture(*r, {}, p), "");
    EXPECT_EQ(p.Nd, 10);
    EXPECT_EQ(p.Nf, 5);
    EXPECT_LE(p.Raster.Width(), MostWidth);
    EXPECT_GE(p.Raster.Width(), MinWidth);
    EXPECT_LE(p.Raster.Height(), MostHeight);

    // Natural scale: the soil is 60 m by 10 m on the raster, to a pixel each way. Its colour is
    // read deep in the far field, where no line passes.
    const TColor soil = p.Raster.Get(p.PixelX(-28), p.PixelY(-9.5));
    const int row = p.PixelY(-9.9), column = p.PixelX(-29);
    int across = 0, down = 0;
    for (int x = 0; x < p.Raster.Width(); ++x) across += p.Raster.Get(x, row) == soil;
    for (int y = 0; y < p.Raster.Height(); ++y) down += p.Raster.Get(column, y) == soil;
    EXPECT_NEAR(across, 6.0 * down, 6 + 1) << across << " x " << down;

    // Antisymmetry: below the toe the head is half way, H / 2, the 5th of the 9 equipotentials,
    // on every row down to the base, beside the wall's line.
    const int toe = p.PixelY(-5), base = p.PixelY(-10), wall = p.PixelX(0);
    for (int y = toe + 3; y < base - 1; ++y) {
        bool red = false;
        for (int x = wall - 1; x <= wall + 1; ++x)
            red = red || p.Raster.Get(x, y) == EquipotentialColor ||
                  p.Raster.Get(x, y) == FlowLineColor; // a flow line crossing it
        EXPECT_TRUE(red) << "row " << y;
    }
    // Every one of the Nf - 1 inner flow lines passes once under the toe, on either side of it.
    EXPECT_EQ(RunsDown(p.Raster, wall - 3, toe + 3, base - 1, FlowLineColor), 4);
    EXPECT_EQ(RunsDown(p.Raster, wall + 3, toe + 3, base - 1, FlowLineColor), 4);

    // Nf given: its lines; out of range, or no solved fields: refused with the reason, nothing
    // drawn.
    ASSERT_EQ(SectionPicture(*r, {10, 3}, p), "");
    EXPECT_EQ(RunsDown(p.Raster, wall - 3, toe + 3, base - 1, FlowLineColor), 2);
    EXPECT_NE(SectionPicture(*r, {0, 0}, p).find("Nd = 0"), std::string::npos);
    EXPECT_NE(SectionPicture(*r, {10, 101}, p).find("Nf = 101"), std::string::npos);
    EXPECT_EQ(p.Raster.Width(), 0);
    EXPECT_EQ(SectionPicture(TSectionResult{}, {}, p), "the section has no solved fields to draw");
}

TEST(SectionPicture, WallToTheBaseLeavesBothSidesHydrostaticWithoutLines) {
    // Nothing flows (q = 0) and each side keeps its water's head: no equipotential, no flow line
    // anywhere in the soil.
    const TSectionResultPtr r = OneWall(-10);
    ASSERT_TRUE(r);
    TSectionPicture p;
    ASSERT_EQ(SectionPicture(*r, {}, p), "");
    EXPECT_EQ(p.Nf, 0);
    for (int y = p.FrameTop; y < p.FrameBottom; ++y)
        for (int x = p.FrameLeft; x < p.FrameRight; ++x) {
            const TColor c = p.Raster.Get(x, y);
            ASSERT_TRUE(c != EquipotentialColor && c != FlowLineColor) << x << ", " << y;
        }
}

} // namespace
} // namespace verrask::report
