// The section's graded rectilinear grid (see SectionGrid.h).
#include "sectionmodel/SectionGrid.h"

#include <algorithm>
#include <cmath>

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
std::size_t CellsOver(double length, double spacing, double perSpacing, unsigned doublings) {
    return std::max<std::size_t>(1,
                                 static_cast<std::size_t>(std::ceil(perSpacing * length / spacing)))
           << doublings;
}

// The lines in (a, b], graded toward a or b; returns how many.
std::size_t Graded(std::vector<double>* lines, double a, double b, bool towardA, double spacing,
                   unsigned doublings) {
    const std::size_t n = CellsOver(b - a, spacing, GradedCellsPerSpacing, doublings);
    if (lines)
        for (std::size_t k = 1; k <= n; ++k) {
            const double t = static_cast<double>(k) / static_cast<double>(n);
            lines->push_back(k == n    ? b
                             : towardA ? a + (b - a) * std::pow(t, Grading)
                                       : b - (b - a) * std::pow(1 - t, Grading));
        }
    return n;
}

// The lines through the breakpoints and between them; returns the number of cells.
std::size_t Lines(std::vector<TBreak> breaks, double spacing, unsigned doublings,
                  std::vector<double>* lines) {
    std::sort(breaks.begin(), breaks.end(),
              [](const TBreak& p, const TBreak& q) { return p.At < q.At; });
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
            cells += Graded(lines, a, middle, true, spacing, doublings);
            cells += Graded(lines, middle, b, false, spacing, doublings);
        } else if (sa || sb) {
            cells += Graded(lines, a, b, sa, spacing, doublings);
        } else {
            const std::size_t n = CellsOver(b - a, spacing, 1, doublings);
            if (lines)
                for (std::size_t i = 1; i <= n; ++i)
                    lines->push_back(
                        i == n ? b : a + (b - a) * static_cast<double>(i) / static_cast<double>(n));
            cells += n;
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

std::size_t GridCells(const section::TSection& s, double spacing, unsigned doublings) {
    return Lines(XBreaks(s), spacing * XStretch(s), doublings, nullptr) *
           Lines(YBreaks(s), spacing, doublings, nullptr);
}

TSectionGrid BuildGrid(const section::TSection& s, double spacing, unsigned doublings) {
    TSectionGrid g;
    Lines(XBreaks(s), spacing * XStretch(s), doublings, &g.X);
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
