// Point values with their error estimate from three nested grids (see PointValues.h).
#include "sectionmodel/PointValues.h"

#include "sectionmodel/FiniteVolumeSolve.h"
#include "sectionmodel/SectionGrid.h"
#include "sectionmodel/SectionSolve.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace verrask::sectionmodel {

namespace {

using section::NoValue;

// Figures this close relative to their size have converged: no order to observe.
constexpr double Converged = 1e-12;
// The observed order may differ this much from the theory and still count as asymptotic.
constexpr double OrderTolerance = 0.3;

// The figures of one wall on one grid.
struct TWallFigures {
    double Exit = NoValue, ExitX = NoValue, Head = NoValue;
    bool ExitAtCoverEnd = false;
};

double LayerK(const section::TLayer& l) {
    return std::sqrt(l.Kx * l.Kz);
}

// The lower-water side of wall w: its stretch index, or none (level water).
bool OutflowStretch(const section::TSection& s, std::size_t w, std::size_t& stretch) {
    const double left = s.Surface[w].Water, right = s.Surface[w + 1].Water;
    if (left == right) return false;
    stretch = left < right ? w : w + 1;
    return true;
}

// Whether column i's centre is nearer wall w than any other wall.
bool NearerThisWall(const section::TSection& s, std::size_t w, double x) {
    for (std::size_t o = 0; o < s.Walls.size(); ++o)
        if (o != w && std::fabs(x - s.Walls[o].X) < std::fabs(x - s.Walls[w].X)) return false;
    return true;
}

double ExitGradientOfColumn(const TSectionGrid& g, const std::vector<double>& head, std::size_t i,
                            double water) {
    const std::size_t top = g.TopRow[i];
    if (top == 0) return NoValue;
    const double ground = g.Y[top];
    const double d1 = (ground - g.Y[top - 1]) / 2;
    const double a1 = head[g.Cell(i, top - 1)] - water;
    if (top < 2 || g.RowLayer[top - 1] != g.RowLayer[top - 2]) return a1 / d1;
    const double d2 = 2 * d1 + (g.Y[top - 1] - g.Y[top - 2]) / 2;
    const double a2 = head[g.Cell(i, top - 2)] - water;
    return (a1 * d2 * d2 - a2 * d1 * d1) / (d1 * d2 * (d2 - d1));
}

TWallFigures Figures(const section::TSection& s, const TSectionGrid& g,
                     const std::vector<double>& head, std::size_t w, std::size_t stretch) {
    TWallFigures f;
    const section::TStretch& st = s.Surface[stretch];
    const section::TWall& wall = s.Walls[w];
    const bool right = stretch == w + 1;

    // Exit gradient: the open columns of the outflow stretch nearer this wall.
    for (std::size_t i = 0; i < g.Columns(); ++i) {
        const double x = (g.X[i] + g.X[i + 1]) / 2;
        if (g.ColumnStretch[i] != stretch || !g.OpenTop[i] || !NearerThisWall(s, w, x)) continue;
        const double gradient = ExitGradientOfColumn(g, head, i, st.Water);
        if (std::isnan(gradient) || gradient <= f.Exit) continue;
        f.Exit = gradient;
        f.ExitX = x;
        // Next to a cover end: a covered neighbour in the same stretch.
        f.ExitAtCoverEnd =
            (i > 0 && g.ColumnStretch[i - 1] == stretch && !g.OpenTop[i - 1]) ||
            (i + 1 < g.Columns() && g.ColumnStretch[i + 1] == stretch && !g.OpenTop[i + 1]);
    }

    // Prism: the toe-level head over [wall, wall + width] on the outflow side.
    const double depth = st.Ground - wall.Toe;
    const double width = PrismWidth(s, w, right, depth);
    const double a = right ? wall.X : wall.X - width, b = right ? wall.X + width : wall.X;
    const std::size_t toe = g.ToeRow[w];
    if (toe == 0 || toe >= g.Rows() || !(width > 0)) return f;
    const double da = (g.Y[toe + 1] - g.Y[toe]) / 2, db = (g.Y[toe] - g.Y[toe - 1]) / 2;
    const double ka = s.Layers[g.RowLayer[toe]].Kz / da, kb = s.Layers[g.RowLayer[toe - 1]].Kz / db;
    double sum = 0;
    for (std::size_t i = 0; i < g.Columns(); ++i) {
        const double overlap = std::min(b, g.X[i + 1]) - std::max(a, g.X[i]);
        if (overlap <= 0) continue;
        const double face = (ka * head[g.Cell(i, toe)] + kb * head[g.Cell(i, toe - 1)]) / (ka + kb);
        sum += overlap * (face - st.Water);
    }
    f.Head = sum / width;
    return f;
}

double ThicknessWeightedSubmerged(const section::TSection& s, double top, double bottom) {
    double weighted = 0, upper = s.Top();
    for (const section::TLayer& l : s.Layers) {
        const double overlap = std::min(upper, top) - std::max(l.Bottom, bottom);
        if (overlap > 0) weighted += overlap * (l.GammaSat - section::GammaWater);
        upper = l.Bottom;
    }
    return weighted / (top - bottom);
}

} // namespace

section::TGridEstimate Richardson(double f1, double f2, double f3, double theoryOrder,
                                  bool indicative) {
    section::TGridEstimate e;
    e.Finest = e.Value = f3;
    e.TheoryOrder = theoryOrder;
    e.Indicative = indicative;
    if (!std::isfinite(f1) || !std::isfinite(f2) || !std::isfinite(f3)) return e;
    const double e21 = f2 - f1, e32 = f3 - f2;
    if (std::fabs(e32) <= Converged * std::fabs(f3)) {
        // The three agree: nothing left to extrapolate (no order to observe).
        e.Asymptotic = !indicative;
        e.Error = std::fabs(e32);
        if (e.Asymptotic) {
            e.Extrapolated = f3;
            e.Gci = e.Error;
        }
        return e;
    }
    const double ratio = e21 / e32;
    if (ratio != 0) e.Order = std::log(std::fabs(ratio)) / std::numbers::ln2;
    e.Asymptotic = !indicative && ratio > 0 && std::fabs(e.Order - theoryOrder) <= OrderTolerance;
    if (e.Asymptotic) {
        const double divisor = std::exp2(e.Order) - 1;
        e.Extrapolated = e.Value = f3 + e32 / divisor;
        e.Gci = e.Error = 1.25 * std::fabs(e32) / divisor;
    } else {
        const double slowest = std::isfinite(theoryOrder) && theoryOrder > 0
                                   ? 1.25 / (std::exp2(std::min(theoryOrder, 1.0)) - 1)
                                   : 3;
        e.Error = std::max(3.0, slowest) * std::fabs(e32);
    }
    return e;
}

double TheoryOrder(const section::TSection& s) {
    // On a uniform grid: 1 at a cover end or a tip in one layer (r^1/2), 2 lambda at a tip on an
    // interface (r^lambda); the grid graded as x = a + L t^Grading toward each multiplies it by
    // Grading, up to the scheme's own second order.
    double uniform = 2; // no singular point: the scheme's order
    for (const section::TStretch& st : s.Surface)
        if (!st.Covers.empty()) uniform = std::min(uniform, 1.0);
    for (const section::TWall& w : s.Walls) {
        if (!(w.Toe > s.Base() + MergeDistance)) continue; // a wall to the base cuts the flow
        double tip = 1;
        for (std::size_t l = 0; l + 1 < s.Layers.size(); ++l)
            if (std::fabs(s.Layers[l].Bottom - w.Toe) < MergeDistance)
                tip = 4 / std::numbers::pi *
                      std::atan(std::sqrt(LayerK(s.Layers[l + 1]) / LayerK(s.Layers[l])));
        uniform = std::min(uniform, tip);
    }
    return std::min(2.0, Grading * uniform);
}

TPointValues EstimatePointValues(const section::TSection& s, double spacing) {
    TPointValues out;
    out.Walls.resize(s.Walls.size());
    const double theory = TheoryOrder(s);
    std::array<double, 3> q{};
    std::vector<std::array<TWallFigures, 3>> figures(s.Walls.size());
    // The finest of the three as fine as the final grid; coarser where rounding each interval's
    // count up to a multiple of 4 would take it past the solve's largest grid.
    double base = 4 * spacing;
    while (GridCells(s, base, 2) > MostCells) base *= 1.25;
    for (unsigned d = 0; d < 3; ++d) {
        const TSectionGrid g = BuildGrid(s, base, d);
        const TFiniteVolumes fv = SolveFiniteVolumes(s, g);
        if (!fv.Flows) return out;
        q[d] = fv.Inflow;
        for (std::size_t w = 0; w < s.Walls.size(); ++w) {
            std::size_t stretch = 0;
            if (OutflowStretch(s, w, stretch)) figures[w][d] = Figures(s, g, fv.Head, w, stretch);
        }
    }
    out.Q = Richardson(q[0], q[1], q[2], theory, false);
    out.QOrder = out.Q.Order;
    for (std::size_t w = 0; w < s.Walls.size(); ++w) {
        section::TWallPoints& p = out.Walls[w];
        if (!OutflowStretch(s, w, p.Stretch)) continue;
        p.Outflow = true;
        const auto& f = figures[w];
        p.ExitGradient = Richardson(f[0].Exit, f[1].Exit, f[2].Exit, theory, f[2].ExitAtCoverEnd);
        p.ExitX = f[2].ExitX;
        p.PrismDepth = s.Surface[p.Stretch].Ground - s.Walls[w].Toe;
        p.PrismWidth = PrismWidth(s, w, p.Stretch == w + 1, p.PrismDepth);
        p.GammaSubmerged =
            ThicknessWeightedSubmerged(s, s.Surface[p.Stretch].Ground, s.Walls[w].Toe);
        p.PrismHead = Richardson(f[0].Head, f[1].Head, f[2].Head, theory, false);
        std::array<double, 3> fs{};
        for (std::size_t d = 0; d < 3; ++d)
            fs[d] = p.GammaSubmerged * p.PrismDepth / (section::GammaWater * f[d].Head);
        for (double& v : fs)
            if (!(v > 0)) v = NoValue; // no excess head: no heave to check
        p.PrismFs = Richardson(fs[0], fs[1], fs[2], theory, false);
    }
    return out;
}

} // namespace verrask::sectionmodel
