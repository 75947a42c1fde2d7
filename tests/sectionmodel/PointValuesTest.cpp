// Point values of the section model (exit gradient, Terzaghi's prism, the observed order) against
// closed forms and the reference values of layered and double-wall sections; Richardson's
// estimate and the nested grids it needs.
#include "sectionmodel/PointValues.h"
#include "sectionmodel/SectionGrid.h"
#include "sectionmodel/SectionSolve.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

using namespace verrask::section;
using namespace verrask::sectionmodel;

// The reference lies within the estimate's error (plus the reference's last-digit rounding).
void ExpectCovers(const TGridEstimate& e, double reference, double rounding) {
    EXPECT_LE(std::fabs(e.Value - reference), e.Error + rounding)
        << "value " << e.Value << " error " << e.Error;
}

TSectionResultPtr Solved(const TSection& s) {
    TSectionResultPtr r;
    EXPECT_EQ(SolveSection(s, r), "");
    return r;
}

// T = 1, ground 0 both sides, one wall at x = 0 with its toe at -0.5, H = 1 on the left.
TSection OneWall(std::vector<TLayer> layers, double reach) {
    TSection s;
    s.Layers = std::move(layers);
    s.Walls = {{0.0, -0.5}};
    s.Surface = {{0.0, 1.0, false, {}}, {0.0, 0.0, false, {}}};
    s.Extent = TExtent{-reach, reach};
    return s;
}

TLayer Soil(double bottom, double kx, double kz) {
    return {bottom, kx, kz, 20.0, ""};
}

TEST(PointValues, RichardsonRecoversAPowerLawAndRefusesAWrongOrder) {
    // f = 2 + 0.3 h^p on h = 4, 2, 1: the extrapolation is exact, GCI = 1.25 |f3 - f_ext|.
    const auto f = [](double h, double p) { return 2 + 0.3 * std::pow(h, p); };
    const TGridEstimate e = Richardson(f(4, 1.2), f(2, 1.2), f(1, 1.2), 1.0, false);
    EXPECT_TRUE(e.Asymptotic);
    EXPECT_NEAR(e.Order, 1.2, 1e-12);
    EXPECT_NEAR(e.Value, 2, 1e-12);
    EXPECT_NEAR(e.Gci, 1.25 * 0.3, 1e-12);
    // Order 2 where the theory says 1: the finest value with a conservative error covering the
    // slowest convergence the theory allows (order 1: |f3 - f2| / (2 - 1)).
    const TGridEstimate wrong = Richardson(f(4, 2), f(2, 2), f(1, 2), 1.0, false);
    EXPECT_FALSE(wrong.Asymptotic);
    EXPECT_TRUE(std::isnan(wrong.Extrapolated));
    EXPECT_EQ(wrong.Value, f(1, 2));
    EXPECT_GE(wrong.Error, std::fabs(f(1, 2) - f(2, 2)));
    // Oscillating values have no order; an indicative value is never extrapolated.
    EXPECT_FALSE(Richardson(1.0, 2.0, 1.5, 1.0, false).Asymptotic);
    const TGridEstimate corner = Richardson(f(4, 1), f(2, 1), f(1, 1), 1.0, true);
    EXPECT_FALSE(corner.Asymptotic);
    EXPECT_EQ(corner.Value, f(1, 1));
}

TEST(PointValues, DoubledGridsAreNested) {
    // Every line of a grid is a line of the grid doubled once: ratio 2 in every cell.
    TSection s = OneWall({Soil(-0.25, 1, 1), Soil(-1, 0.2, 0.2)}, 5);
    s.Surface[1].Covers = {{2.0, 3.0}};
    const TSectionGrid coarse = BuildGrid(s, 0.1, 1), fine = BuildGrid(s, 0.1, 2);
    EXPECT_EQ(fine.Columns(), 2 * coarse.Columns());
    EXPECT_EQ(fine.Rows(), 2 * coarse.Rows());
    for (std::size_t i = 0; i < coarse.X.size(); ++i) EXPECT_EQ(fine.X[2 * i], coarse.X[i]);
    for (std::size_t j = 0; j < coarse.Y.size(); ++j) EXPECT_EQ(fine.Y[2 * j], coarse.Y[j]);
    // The prism's far side, d/2 beside the wall on the outflow side, is a line of both grids.
    ASSERT_LT(s.Surface[1].Water, s.Surface[0].Water);
    const double edge =
        s.Walls[0].X + PrismWidth(s, 0, true, s.Surface[1].Ground - s.Walls[0].Toe);
    for (const TSectionGrid* g : {&coarse, &fine})
        EXPECT_NE(std::find(g->X.begin(), g->X.end(), edge), g->X.end());
}

TEST(PointValues, SingleWallMeetsTheClosedForms) {
    // i_E T / H = pi / (4 K(m) sin(pi s / 2T)), m = sin(pi s / 2T) (closed form); s/T = 0.5.
    const double m = std::sin(std::numbers::pi / 4);
    const double exit = std::numbers::pi / (4 * std::comp_ellint_1(m) * m);
    // Isotropic: also the prism's C_o = h_a / H = 0.3414 (reference, s/T = 0.5), FS = i_c d / h_a.
    // 1 %: the closed forms are exact for an infinite strip; the 6T extent moves them by < 1e-3.
    const TSectionResultPtr r = Solved(OneWall({Soil(-1, 1, 1)}, 6));
    ASSERT_TRUE(r && r->Walls.size() == 1 && r->Walls[0].Outflow);
    const TWallPoints& p = r->Walls[0];
    EXPECT_NEAR(p.ExitGradient.Value, exit, 0.01 * exit);
    ExpectCovers(p.ExitGradient, exit, 0);
    // A tip in one layer: order 1 on a uniform grid, 2 (the scheme's) on one graded as t^3 toward
    // it; within the asymptotic tolerance, so extrapolated.
    EXPECT_TRUE(p.ExitGradient.Asymptotic);
    EXPECT_NEAR(p.ExitGradient.Order, 2, 0.3);
    EXPECT_NEAR(r->QOrder, 2, 0.3);
    EXPECT_NEAR(p.PrismHead.Value, 0.3414, 0.01 * 0.3414);
    ExpectCovers(p.PrismHead, 0.3414, 5e-5);
    const double fs = (20 - GammaWater) / GammaWater * 0.5 / 0.3414;
    EXPECT_NEAR(p.PrismFs.Value, fs, 0.01 * fs);
    // The exit gradient is largest at the wall face: the column next to it.
    EXPECT_GT(p.ExitX, 0);
    EXPECT_LT(p.ExitX, 0.05);

    // kx = 4 kz: the vertical exit gradient at the face is that of the isotropic strip (reference:
    // 0.5991 "as isotropic", 8T each side).
    const TSectionResultPtr a = Solved(OneWall({Soil(-1, 4, 1)}, 8));
    ASSERT_TRUE(a && a->Walls.size() == 1);
    EXPECT_NEAR(a->Walls[0].ExitGradient.Value, exit, 0.01 * exit);
}

TEST(PointValues, TipOnALayerInterface) {
    // k = 1 above the tip's level 0.5, 5 below, 5T each side (reference: i_E = 0.8007,
    // h_a / H = 0.4315; order 2 lambda = 1.465 on a uniform grid, 3 x that capped at 2 on the
    // graded one). 1 %: the reference's own grid error.
    const TSectionResultPtr r = Solved(OneWall({Soil(-0.5, 1, 1), Soil(-1, 5, 5)}, 5));
    ASSERT_TRUE(r && r->Walls.size() == 1);
    const TWallPoints& p = r->Walls[0];
    EXPECT_NEAR(p.ExitGradient.Value, 0.8007, 0.01 * 0.8007);
    ExpectCovers(p.ExitGradient, 0.8007, 5e-5);
    EXPECT_NEAR(p.PrismHead.Value, 0.4315, 0.01 * 0.4315);
    ExpectCovers(p.PrismHead, 0.4315, 5e-5);
    EXPECT_NEAR(p.PrismHead.Order, 2, 0.3);
    // A less pervious layer under the tip (k_below / k_above = 0.2) slows it: 2 lambda = 0.535
    // on a uniform grid (reference), 3 x 0.535 graded.
    EXPECT_NEAR(TheoryOrder(OneWall({Soil(-0.5, 1, 1), Soil(-1, 0.2, 0.2)}, 5)), 3 * 0.535, 3e-3);
}

TEST(PointValues, CoversUpstreamAndAtTheExit) {
    // A blanket 1 m upstream ending at the wall, x in [-6, 4] (reference: i_E = 0.4445). 1 %: the
    // reference's grid error. Its far cover end lies on the inflow side: the exit gradient beside
    // the wall stays a regular, extrapolated value.
    TSection s = OneWall({Soil(-1, 1, 1)}, 6);
    s.Extent = TExtent{-6, 4};
    s.Surface[0].Covers = {{-1.0, 0.0}};
    const TSectionResultPtr r = Solved(s);
    ASSERT_TRUE(r && r->Walls.size() == 1);
    EXPECT_NEAR(r->Walls[0].ExitGradient.Value, 0.4445, 0.01 * 0.4445);
    EXPECT_FALSE(r->Walls[0].ExitGradient.Indicative);
    // A cover on the outflow ground from 0.5 m to 1 m: the gradient peaks at its ends, where it
    // diverges; reported as indicative, the finest grid's value, never extrapolated.
    s.Surface[0].Covers.clear();
    s.Surface[1].Covers = {{0.5, 1.0}};
    const TSectionResultPtr c = Solved(s);
    ASSERT_TRUE(c && c->Walls.size() == 1);
    const TGridEstimate& e = c->Walls[0].ExitGradient;
    EXPECT_TRUE(e.Indicative);
    EXPECT_FALSE(e.Asymptotic);
    EXPECT_EQ(e.Value, e.Finest);
    EXPECT_TRUE(std::isnan(e.Extrapolated));
    EXPECT_TRUE(std::fabs(c->Walls[0].ExitX - 0.5) < 0.05 ||
                std::fabs(c->Walls[0].ExitX - 1) < 0.05);
}

TEST(PointValues, DoubleWallPrismsAndExitGradients) {
    // Walls at +-0.5 to 0.5 below the ground, T = 1, H = 1 outside, 0 inside, 4.5T beyond
    // (reference: exit gradient at the inner face 0.8455, prism h_a / H = 0.4441). 1 %: the
    // reference's grid error.
    TSection s;
    s.Layers = {Soil(-1, 1, 1)};
    s.Walls = {{-0.5, -0.5}, {0.5, -0.5}};
    s.Surface = {{0.0, 1.0, false, {}}, {0.0, 0.0, false, {}}, {0.0, 1.0, false, {}}};
    s.Extent = TExtent{-5, 5};
    const TSectionResultPtr r = Solved(s);
    ASSERT_TRUE(r && r->Walls.size() == 2);
    for (const TWallPoints& p : r->Walls) {
        ASSERT_TRUE(p.Outflow);
        EXPECT_EQ(p.Stretch, 1u);
        EXPECT_NEAR(p.ExitGradient.Value, 0.8455, 0.01 * 0.8455);
        ExpectCovers(p.ExitGradient, 0.8455, 5e-5);
        EXPECT_NEAR(p.PrismHead.Value, 0.4441, 0.01 * 0.4441);
        ExpectCovers(p.PrismHead, 0.4441, 5e-5);
    }
}

} // namespace
