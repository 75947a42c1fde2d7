// The section's graded rectilinear grid (see SectionGrid.h).
#include "sectionmodel/SectionGrid.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace verrask::sectionmodel {

namespace {

struct TBreak {
    double At;
    bool Singular; // the grid is graded toward it
};

// With the power law the largest of n cells is about Grading L / n: twice the cells of a uniform
// interval keep it within 1.5 spacings.
constexpr double GradedCellsPerSpacing = 2;

// Each doubling halves every cell (in the grading's parameter): the coarser grid's lines are
// all lines of the finer one.
std::size_t CellsOver(double length, double spacing, double perSpacing) {
    return std::max<std::size_t>(
        1, static_cast<std::size_t>(std::ceil(perSpacing * length / spacing)));
}

// The lines in (a, b] of the map x(t) (t from 0 to 1, x(1) = b) over n << doublings cells, with
// each point of `through` (inside, increasing) on a line: the line that is nearest it on the
// coarsest grid moves there and the parameter between such lines is stretched linearly, so the
// grading keeps its shape and the grids of successive doublings stay nested. A point whose line
// another point took stays off the grid. Returns the number of cells.
template <typename Map>
std::size_t MappedLines(std::vector<double>* lines, double b, std::size_t n, unsigned doublings,
                        const std::vector<double>& through, const Map& x, const Map& inverse) {
    // Anchors: coarse line k at parameter t, on x = at; from (0, 0) to (n, 1, b).
    struct TAnchor {
        std::size_t K;
        double T, At;
    };
    std::vector<TAnchor> anchors{{0, 0.0, 0.0}};
    for (double p : through) {
        const double t = inverse(p);
        const auto k = static_cast<std::size_t>(std::llround(t * static_cast<double>(n)));
        if (k > anchors.back().K && k < n) anchors.push_back({k, t, p});
    }
    anchors.push_back({n, 1.0, b});
    if (lines)
        for (std::size_t a = 0; a + 1 < anchors.size(); ++a) {
            const std::size_t k0 = anchors[a].K << doublings, k1 = anchors[a + 1].K << doublings;
            const double t0 = anchors[a].T, t1 = anchors[a + 1].T;
            for (std::size_t k = k0 + 1; k < k1; ++k)
                lines->push_back(x(
                    t0 + (t1 - t0) * (static_cast<double>(k - k0) / static_cast<double>(k1 - k0))));
            lines->push_back(anchors[a + 1].At);
        }
    return n << doublings;
}

// The points of `through` in (a + MergeDistance, b - MergeDistance).
std::vector<double> Inside(const std::vector<double>& through, double a, double b) {
    std::vector<double> in;
    for (double p : through)
        if (p > a + MergeDistance && p < b - MergeDistance) in.push_back(p);
    return in;
}

// The lines in (a, b], graded toward a or b; returns how many.
std::size_t Graded(std::vector<double>* lines, double a, double b, bool towardA, double spacing,
                   unsigned doublings, const std::vector<double>& through, double near) {
    // A cell x from the graded end is 3 L^(1/3) x^(2/3) / n long: n = 2 L^(1/3) near^(2/3) /
    // spacing keeps the cells within `near` of it at most 1.5 spacings (all of them where L <=
    // near) and lets them grow beyond, where the head varies over lengths of `near` and more.
    const double L0 = b - a;
    const double effective = L0 <= near ? L0 : std::cbrt(L0) * std::cbrt(near * near);
    const std::size_t n = CellsOver(effective, spacing, GradedCellsPerSpacing);
    const double L = b - a;
    const auto x = [=](double t) {
        return towardA ? a + L * std::pow(t, Grading) : b - L * std::pow(1 - t, Grading);
    };
    const auto inverse = [=](double p) {
        return towardA ? std::pow((p - a) / L, 1 / Grading)
                       : 1 - std::pow((b - p) / L, 1 / Grading);
    };
    return MappedLines(lines, b, n, doublings, Inside(through, a, b),
                       std::function<double(double)>(x), std::function<double(double)>(inverse));
}

// The lines through the breakpoints and between them, and through every point of `through`
// without a break of the grading there; returns the number of cells.
std::size_t Lines(std::vector<TBreak> breaks, double spacing, unsigned doublings,
                  std::vector<double>* lines, std::vector<double> through = {},
                  double near = std::numeric_limits<double>::infinity()) {
    std::sort(breaks.begin(), breaks.end(),
              [](const TBreak& p, const TBreak& q) { return p.At < q.At; });
    std::sort(through.begin(), through.end());
    std::vector<TBreak> merged;
    for (const TBreak& b : breaks) {
        if (!merged.empty() && b.At - merged.back().At < MergeDistance)
            merged.back().Singular = merged.back().Singular || b.Singular;
        else
            merged.push_back(b);
    }
    if (lines) lines->assign(1, merged.front().At);
    std::size_t cells = 0;
    for (std::size_t k = 0; k + 1 < merged.size(); ++k) {
        const double a = merged[k].At, b = merged[k + 1].At;
        const bool sa = merged[k].Singular, sb = merged[k + 1].Singular;
        if (sa && sb) {
            const double middle = a + (b - a) / 2;
            cells += Graded(lines, a, middle, true, spacing, doublings, through, near);
            cells += Graded(lines, middle, b, false, spacing, doublings, through, near);
        } else if (sa || sb) {
            cells += Graded(lines, a, b, sa, spacing, doublings, through, near);
        } else {
            const std::size_t n = CellsOver(b - a, spacing, 1);
            const std::function<double(double)> x = [=](double t) { return a + (b - a) * t; };
            const std::function<double(double)> inverse = [=](double p) {
                return (p - a) / (b - a);
            };
            cells += MappedLines(lines, b, n, doublings, Inside(through, a, b), x, inverse);
        }
    }
    return cells;
}

// The transformed length: x spacing scales with sqrt(kx/kz), its geometric mean over the depth
// (a single soil's exactly; layers anisotropic each their own way get the spacing between).
double XStretch(const section::TSection& s) {
    double top = s.Top(), weighted = 0;
    for (const section::TLayer& l : s.Layers) {
        weighted += (top - l.Bottom) * std::log(l.Kx / l.Kz) / 2;
        top = l.Bottom;
    }
    return std::exp(weighted / (s.Top() - s.Base()));
}

std::vector<TBreak> XBreaks(const section::TSection& s) {
    std::vector<TBreak> breaks{{s.Extent->Left, false}, {s.Extent->Right, false}};
    for (const section::TWall& w : s.Walls) breaks.push_back({w.X, true});
    for (const section::TStretch& st : s.Surface)
        for (const section::TCover& c : st.Covers)
            for (double x : {c.X1, c.X2})
                breaks.push_back({x, x > s.Extent->Left && x < s.Extent->Right});
    return breaks;
}

// The far side of each wall's Terzaghi prism on its outflow (lower water) side: on a grid line,
// so the prism's base is whole cells, but no break of the grading toward the wall.
std::vector<double> PrismEdges(const section::TSection& s) {
    std::vector<double> edges;
    for (std::size_t w = 0; w < s.Walls.size(); ++w) {
        const double left = s.Surface[w].Water, right = s.Surface[w + 1].Water;
        if (left == right) continue;
        const bool toRight = right < left;
        const double depth = s.Surface[toRight ? w + 1 : w].Ground - s.Walls[w].Toe;
        if (!(depth > 0)) continue;
        const double width = PrismWidth(s, w, toRight, depth);
        edges.push_back(toRight ? s.Walls[w].X + width : s.Walls[w].X - width);
    }
    return edges;
}

// How far from a wall or cover end x cells stay about `spacing` long: the reach of a single
// layer's automatic extent, 3 depths in the transformed length. Only longer reaches (behind
// caps, whose leakage lengths ask for tens to thousands of depths) get coarser cells beyond it.
double Near(const section::TSection& s) {
    return 3 * (s.Top() - s.Base()) * XStretch(s);
}

std::vector<TBreak> YBreaks(const section::TSection& s) {
    std::vector<TBreak> breaks{{s.Base(), false}};
    for (const section::TLayer& l : s.Layers) breaks.push_back({l.Bottom, false});
    for (const section::TStretch& st : s.Surface) breaks.push_back({st.Ground, !st.Covers.empty()});
    for (const section::TWall& w : s.Walls) breaks.push_back({w.Toe, w.Toe > s.Base()});
    return breaks;
}

std::size_t Nearest(const std::vector<double>& lines, double v) {
    const auto it = std::lower_bound(lines.begin(), lines.end(), v);
    if (it == lines.end()) return lines.size() - 1;
    std::size_t k = static_cast<std::size_t>(it - lines.begin());
    if (k > 0 && v - lines[k - 1] < lines[k] - v) --k;
    return k;
}

} // namespace

double PrismWidth(const section::TSection& s, std::size_t w, bool right, double depth) {
    const double x = s.Walls[w].X;
    double width = std::min(depth / 2, right ? s.Extent->Right - x : x - s.Extent->Left);
    for (std::size_t o = 0; o < s.Walls.size(); ++o)
        if (o != w && (s.Walls[o].X > x) == right)
            width = std::min(width, std::fabs(s.Walls[o].X - x));
    return width;
}

std::size_t GridCells(const section::TSection& s, double spacing, unsigned doublings) {
    return Lines(XBreaks(s), spacing * XStretch(s), doublings, nullptr, PrismEdges(s), Near(s)) *
           Lines(YBreaks(s), spacing, doublings, nullptr);
}

TSectionGrid BuildGrid(const section::TSection& s, double spacing, unsigned doublings) {
    TSectionGrid g;
    Lines(XBreaks(s), spacing * XStretch(s), doublings, &g.X, PrismEdges(s), Near(s));
    Lines(YBreaks(s), spacing, doublings, &g.Y);
    for (const section::TWall& w : s.Walls) {
        g.WallLine.push_back(Nearest(g.X, w.X));
        g.ToeRow.push_back(Nearest(g.Y, w.Toe));
    }
    for (std::size_t i = 0; i < g.Columns(); ++i) {
        const double x = (g.X[i] + g.X[i + 1]) / 2;
        std::size_t stretch = 0;
        while (stretch < s.Walls.size() && s.Walls[stretch].X < x) ++stretch;
        const section::TStretch& st = s.Surface[stretch];
        bool open = !st.CoveredAll;
        for (const section::TCover& c : st.Covers) open = open && !(x > c.X1 && x < c.X2);
        g.ColumnStretch.push_back(stretch);
        g.OpenTop.push_back(open ? 1 : 0);
        g.TopRow.push_back(Nearest(g.Y, st.Ground));
    }
    for (std::size_t j = 0; j < g.Rows(); ++j) {
        const double y = (g.Y[j] + g.Y[j + 1]) / 2;
        std::size_t layer = 0;
        while (layer + 1 < s.Layers.size() && y < s.Layers[layer].Bottom) ++layer;
        g.RowLayer.push_back(layer);
    }
    return g;
}

} // namespace verrask::sectionmodel
