// Design checks of solved sections against closed forms and published cases: the net water
// pressure on a wall, the heave column at Craig's cofferdam, EC7 UPL of a clay over a leaky
// sand, and the required toe of a single wall.
#include "checks/SectionChecks.h"
#include "checks/SectionEmbedment.h"
#include "sectionmodel/SectionSolve.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace verrask;
using section::TSection;

section::TSectionResultPtr Solved(const TSection& s) {
    section::TSectionResultPtr r;
    EXPECT_EQ(sectionmodel::SolveSection(s, r), "");
    return r;
}

// T = 10 m, wall toe at -5 (d/D = 0.5), H = 3 m on the left, ground 0 both sides.
TSection SymmetricWall(double toe) {
    TSection s;
    s.Layers = {{-10.0, 1e-4, 1e-4, 20.0, "sand"}};
    s.Walls = {{0.0, toe}};
    s.Surface = {{0.0, 3.0, false, {}}, {0.0, 0.0, false, {}}};
    return s;
}

TEST(SectionChecks, NetWaterPressureOnAWallMatchesTheExactSolutionAndHydrostaticsAtTheBase) {
    const checks::TCheckSettings settings;
    const double gw = 9.81, H = 3, d = 5;
    // Exact net seepage pressure below the ground, d/D = 0.5 (engineering-checks section 4):
    // F = 0.6494 gw H d, M = 0.3918 gw H d^2 about the toe; plus the open water above the
    // left ground. 1 %: the faces' heads come from the cells beside the wall, whose error near
    // the toe's singularity shrinks only like the cell there.
    const auto r = Solved(SymmetricWall(-d));
    const checks::TSectionChecks c = checks::RunSectionChecks(*r, settings);
    ASSERT_EQ(c.Walls.size(), 1u);
    const double force = gw * H * H / 2 + 0.6494 * gw * H * d;
    const double moment = gw * H * H / 2 * (d + H / 3) + 0.3918 * gw * H * d * d;
    EXPECT_NEAR(c.Walls[0].NetForce, force, 0.01 * force);
    EXPECT_NEAR(c.Walls[0].NetMoment, moment, 0.01 * moment);
    // Net pressure vanishes at the toe (the faces meet) and is gw H at the ground.
    EXPECT_NEAR(c.Walls[0].Pressure.front().Net, 0, 0.05 * gw * H);

    // A wall to the base: nothing flows, both faces hydrostatic to the base (exact up to
    // rounding: the midpoint rule integrates linear pressures exactly).
    const auto cut = Solved(SymmetricWall(-10));
    const checks::TSectionChecks h = checks::RunSectionChecks(*cut, settings);
    EXPECT_FALSE(h.Walls[0].Outflow);
    const double hydrostatic = gw / 2 * (13.0 * 13.0 - 10.0 * 10.0);
    EXPECT_NEAR(h.Walls[0].NetForce, hydrostatic, 1e-9 * hydrostatic);
    EXPECT_FALSE(h.Governing.Present);

    // Dug to -3 on the right with the water at -2: between the water levels the net pressure is
    // linear, below -2 it is 2 gw. Exactly F = gw (2^2 / 2 + 2 x 8) = 18 gw and, about the toe
    // on the base at -10, M = gw (2 x 8^2 / 2 + integral from -2 to 0 of -y (y + 10)) =
    // gw (64 + 52 / 3): the water level, off the grid's lines, must split the midpoint rule.
    TSection dug = SymmetricWall(-10);
    dug.Surface = {{0.0, 0.0, false, {}}, {-3.0, -2.0, false, {}}};
    const checks::TSectionChecks e = checks::RunSectionChecks(*Solved(dug), settings);
    EXPECT_NEAR(e.Walls[0].NetForce, 18 * gw, 1e-9 * 18 * gw);
    EXPECT_NEAR(e.Walls[0].NetMoment, (64 + 52.0 / 3) * gw, 1e-9 * 82 * gw);
}

TEST(SectionChecks, HeaveColumnAtCraigsCofferdamUsesTheHeadAtTheToe) {
    // Knappett & Craig, Example 2.2: sand 8.25 m on rock, river 2.5 m deep, walls 5.5 m apart
    // driven 6 m below the bed, inside dug 2 m and pumped to that level. Mean excess head at the
    // toe beside the wall 2.5654 m (section-model.md section 6); with gamma_sat 20 the column from
    // the inside ground to the toe has FS = (20 - 9.81) 4 / (9.81 x 2.5654). 1.5 %: the column
    // is the cell beside the wall, half a (graded) cell from the face, where the head falls
    // steeply toward the toe.
    TSection s;
    s.Layers = {{-8.25, 2.6e-5, 2.6e-5, 20.0, "sand"}};
    s.Walls = {{-2.75, -6.0}, {2.75, -6.0}};
    s.Surface = {{0.0, 2.5, false, {}}, {-2.0, -2.0, false, {}}, {0.0, 2.5, false, {}}};
    const auto r = Solved(s);
    const checks::TSectionChecks c = checks::RunSectionChecks(*r, {});
    const double fs = (20 - 9.81) * 4 / (9.81 * 2.5654);
    EXPECT_NEAR(c.Columns.Heave.Value, fs, 0.015 * fs);
    EXPECT_NEAR(c.Columns.Heave.Z, -6.0, 0.01); // at the toe, or the line just below it
    // Both walls see the same outflow (symmetry), and the governing check is a verdict.
    EXPECT_NEAR(c.Walls[0].PrismFs, c.Walls[1].PrismFs, 1e-6 * c.Walls[0].PrismFs);
    EXPECT_TRUE(c.Governing.Present);
}

TEST(SectionChecks, UpliftOfAClayOverALeakySandFollowsOneDimensionalLeakage) {
    // Clay 9 m (kz 1e-9) over sand 11 m (1e-3) on both sides of a wall; the right side dug 6 m
    // and pumped to its floor. The sand, a million times more pervious, holds one head h fed
    // through 9 m of clay on the left and drained through 3 m on the right over equal widths:
    // (0 - h) / 9 = (h + 6) / 3, h = -4.5 m. At the clay's base (-9) u = 4.5 gw against 3 m of
    // clay at 19.62 kN/m3 (the reference's gamma_sat): utilisation 1.0 x 44.145 / (0.9 x 58.86)
    // = 0.8333. 1 %: the flow round the wall's toe disturbs the balance over a few clay
    // thicknesses of the 2 km each side.
    TSection s;
    s.Layers = {{-9.0, 1e-9, 1e-9, 19.62, "clay"}, {-20.0, 1e-3, 1e-3, 20.0, "sand"}};
    s.Walls = {{0.0, -12.0}};
    s.Surface = {{0.0, 0.0, false, {}}, {-6.0, -6.0, false, {}}};
    s.Extent = section::TExtent{-2000.0, 2000.0};
    const auto r = Solved(s);
    const checks::TSectionChecks c = checks::RunSectionChecks(*r, {});
    ASSERT_EQ(c.Columns.Uplift.size(), 1u);
    const checks::TLayerUplift& up = c.Columns.Uplift[0];
    EXPECT_EQ(up.Layer, 0u);
    EXPECT_NEAR(up.Z, -9.0, 1e-9);
    EXPECT_NEAR(up.Utilisation, 44.145 / (0.9 * 58.86), 0.01 * 0.8333);
}

TEST(SectionChecks, AClayThatLiftsOffAboveTheToesFailsTheSection) {
    // A 1 m clay under the excavation floor, on a sand fed from outside, its base above the
    // toes: its pore pressure exceeds its whole overburden (UPL utilisation above 1 even without
    // factors), so the column verdict at its base must fail whatever the toes' depth.
    TSection s;
    s.Layers = {{-5.0, 1e-4, 1e-4, 20.0, "sand"},
                {-6.0, 1e-8, 1e-8, 19.0, "clay"},
                {-30.0, 1e-4, 1e-4, 20.0, "sand"}};
    s.Walls = {{-10.0, -12.0}, {10.0, -12.0}};
    s.Surface = {{0.0, 0.0, false, {}}, {-3.5, -3.5, false, {}}, {0.0, 0.0, false, {}}};
    checks::TCheckSettings unfactored;
    unfactored.UpliftDst = unfactored.UpliftStb = 1;
    const checks::TSectionChecks c = checks::RunSectionChecks(*Solved(s), unfactored);
    ASSERT_EQ(c.Columns.Uplift.size(), 1u);
    EXPECT_GT(c.Columns.Uplift[0].Utilisation, 1.0);
    EXPECT_NEAR(c.Columns.Heave.Z, -6.0, 1e-9);
    EXPECT_LT(c.Columns.Heave.Value, 1.0);
    EXPECT_TRUE(c.Governing.Present);
    EXPECT_LT(c.Governing.Margin, 1.0L);
}

TEST(SectionEmbedment, SingleWallColumnCriterionFindsTheClosedFormDepth) {
    // Symmetric single wall, ground level both sides: the excess head at the toe is H/2 for any
    // depth, so the column beside the wall has FS = 2 i_c d / H and FS 1.5 needs
    // d = 1.5 H / (2 i_c) (engineering-checks section 1.1). 3 %: the search's resolution (depth
    // / 512) and the column's cell beside the wall.
    const TSection s = SymmetricWall(-5);
    checks::TCheckSettings settings;
    const checks::TSectionEmbedment e = checks::SearchSectionEmbedment(
        s, checks::TCriterion::Column, settings, sectionmodel::SolveSection);
    const double ic = (20 - 9.81) / 9.81, d = 1.5 * 3 / (2 * ic);
    ASSERT_TRUE(std::isfinite(e.Toe)) << e.Note;
    EXPECT_NEAR(-e.Toe, d, 0.03 * d);
    EXPECT_GT(e.FailingToe, e.Toe);
}

} // namespace
