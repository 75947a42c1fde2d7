// The section's fields read anywhere in the soil (see SectionFields.h).
#include "report/SectionFields.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace verrask::report {

namespace {

using section::NoValue;
using section::TSectionResult;

// Grid lines through a feature lie within the model's merge distance (1e-6 m) of it.
constexpr double OnLine = 1e-6;

double Centre(const std::vector<double>& lines, std::size_t k) {
    return (lines[k] + lines[k + 1]) / 2;
}

// The index k with lines[k] <= v < lines[k + 1], clamped to the cells.
std::size_t Interval(const std::vector<double>& lines, double v) {
    const auto above = std::upper_bound(lines.begin(), lines.end(), v);
    const std::size_t k =
        static_cast<std::size_t>(std::max<std::ptrdiff_t>(above - lines.begin() - 1, 0));
    return std::min(k, lines.size() - 2);
}

// gamma_sat - gamma_w times the thickness between elevations `bottom` and `top`.
double SubmergedWeight(const section::TSection& s, double bottom, double top) {
    double sum = 0, above = std::numeric_limits<double>::infinity();
    for (const section::TLayer& l : s.Layers) {
        const double overlap = std::min(above, top) - std::max(l.Bottom, bottom);
        if (overlap > 0) sum += overlap * (l.GammaSat - section::GammaWater);
        above = l.Bottom;
    }
    return sum;
}

} // namespace

TSectionFields::TSectionFields(const TSectionResult& r) : r_(r) {
    const section::TSection& s = r.Section;
    lineToe_.assign(r.X.size(), std::numeric_limits<double>::infinity());
    for (const section::TWall& w : s.Walls) {
        const std::size_t line = static_cast<std::size_t>(
            std::min_element(
                r.X.begin(), r.X.end(),
                [&](double a, double b) { return std::fabs(a - w.X) < std::fabs(b - w.X); }) -
            r.X.begin());
        lineToe_[line] = w.Toe;
    }
    for (std::size_t i = 0; i < r.Columns(); ++i) {
        const double x = Centre(r.X, i);
        const section::TStretch& st = s.Surface[Stretch(x)];
        std::size_t top = 0;
        while (top < r.Rows() && r.Y[top + 1] <= st.Ground + OnLine) ++top;
        topRow_.push_back(top);
        bool open = !st.CoveredAll;
        for (const section::TCover& c : st.Covers) open = open && !(c.X1 < x && x < c.X2);
        openTop_.push_back(open ? 1 : 0);
    }
    bool any = false;
    for (double p : r.Psi) {
        if (std::isnan(p)) continue;
        psiMin_ = any ? std::min(psiMin_, p) : p;
        psiMax_ = any ? std::max(psiMax_, p) : p;
        any = true;
    }
    FindHeave();
}

std::size_t TSectionFields::Stretch(double x) const {
    std::size_t k = 0;
    for (const section::TWall& w : r_.Section.Walls) k += w.X <= x ? 1 : 0;
    return k;
}

std::size_t TSectionFields::Layer(double z) const {
    const auto& layers = r_.Section.Layers;
    std::size_t k = 0;
    while (k + 1 < layers.size() && z < layers[k].Bottom) ++k;
    return k;
}

bool TSectionFields::WallBetween(double x1, double x2, double z) const {
    for (const section::TWall& w : r_.Section.Walls)
        if (std::min(x1, x2) < w.X && w.X <= std::max(x1, x2) && z >= w.Toe) return true;
    return false;
}

std::size_t TSectionFields::Column(double x) const {
    return Interval(r_.X, x);
}
std::size_t TSectionFields::Row(double z) const {
    return Interval(r_.Y, z);
}

bool TSectionFields::Blocked(std::size_t line, std::size_t row) const {
    return r_.Y[row] >= lineToe_[line] - OnLine;
}

double TSectionFields::RowHead(std::size_t i, std::size_t j, double x) const {
    const double h = r_.CellHead(i, j), xc = Centre(r_.X, i);
    const bool right = x >= xc;
    if (right ? i + 1 >= r_.Columns() : i == 0) return h;
    const std::size_t n = right ? i + 1 : i - 1;
    const double hn = r_.CellHead(n, j);
    if (j >= topRow_[n] || std::isnan(hn) || Blocked(right ? i + 1 : i, j)) return h;
    return h + (hn - h) * (x - xc) / (Centre(r_.X, n) - xc);
}

double TSectionFields::Head(double x, double z) const {
    const std::size_t i = Column(x), j = Row(z);
    if (j >= topRow_[i] || z < r_.Y.front()) return NoValue;
    const double h = RowHead(i, j, x), zc = Centre(r_.Y, j);
    const bool up = z >= zc;
    if (up && j + 1 >= topRow_[i]) {
        if (!openTop_[i]) return h;
        // Toward the ground, where the head is the stretch's water level.
        const double ground = r_.Y[j + 1];
        const double water = r_.Section.Surface[Stretch(Centre(r_.X, i))].Water;
        return h + (water - h) * (z - zc) / (ground - zc);
    }
    if (!up && j == 0) return h;
    const std::size_t n = up ? j + 1 : j - 1;
    const double hn = RowHead(i, n, x);
    if (std::isnan(hn)) return h;
    return h + (hn - h) * (z - zc) / (Centre(r_.Y, n) - zc);
}

double TSectionFields::Psi(double x, double z) const {
    const std::size_t i = Column(x), j = Row(z);
    if (j >= topRow_[i] || z < r_.Y.front()) return NoValue;
    const double tx = std::clamp((x - r_.X[i]) / (r_.X[i + 1] - r_.X[i]), 0.0, 1.0);
    const double tz = std::clamp((z - r_.Y[j]) / (r_.Y[j + 1] - r_.Y[j]), 0.0, 1.0);
    const double low = r_.CornerPsi(i, j) + tx * (r_.CornerPsi(i + 1, j) - r_.CornerPsi(i, j));
    const double high =
        r_.CornerPsi(i, j + 1) + tx * (r_.CornerPsi(i + 1, j + 1) - r_.CornerPsi(i, j + 1));
    return low + tz * (high - low);
}

bool TSectionFields::Critical(double x, double z) const {
    const std::size_t i = Column(x), j = Row(z);
    return j < topRow_[i] && critical_[j * r_.Columns() + i];
}

bool TSectionFields::AnyCritical() const {
    return std::find(critical_.begin(), critical_.end(), 1) != critical_.end();
}

void TSectionFields::FindHeave() {
    const section::TSection& s = r_.Section;
    heave_.assign(r_.Columns(), TColumn{});
    critical_.assign(r_.Columns() * r_.Rows(), 0);
    for (std::size_t i = 0; i < r_.Columns(); ++i) {
        const std::size_t stretch = Stretch(Centre(r_.X, i)), top = topRow_[i];
        if (!openTop_[i] || top == 0 || stretch >= r_.StretchFlux.size() ||
            !(r_.StretchFlux[stretch] < 0))
            continue;
        const double ground = s.Surface[stretch].Ground, water = s.Surface[stretch].Water;
        double peakMean = 0, peakCritical = 0, peakDepth = NoValue;
        // Down the column: the head above the cell, where it is (the water on the ground first).
        double above = water, aboveZ = ground;
        for (std::size_t j = top; j-- > 0;) {
            const double h = r_.CellHead(i, j), zc = Centre(r_.Y, j);
            if (std::isnan(h)) break;
            const double depth = ground - zc, mean = (h - water) / depth;
            if (std::isnan(peakDepth) || mean > peakMean) {
                peakMean = mean;
                peakDepth = zc;
                peakCritical = SubmergedWeight(s, zc, ground) / (section::GammaWater * depth);
            }
            // Its own gradient: centred where a cell lies below, one-sided at the base.
            const double below = j > 0 ? r_.CellHead(i, j - 1) : h;
            const double belowZ = j > 0 ? Centre(r_.Y, j - 1) : zc;
            const section::TLayer& layer = s.Layers[Layer(zc)];
            const double own = (below - above) / (aboveZ - belowZ);
            if (own > (layer.GammaSat - section::GammaWater) / section::GammaWater)
                critical_[j * r_.Columns() + i] = 1;
            above = h, aboveZ = zc;
        }
        if (peakMean > 0) heave_[i] = {peakDepth, peakMean > peakCritical};
    }
}

int DefaultFlowChannels(const TSectionResult& r, const TSectionFields& fields, int nd) {
    const section::TSection& s = r.Section;
    double low = s.Surface.front().Water, high = low, kmax = 0;
    for (const section::TStretch& st : s.Surface) {
        low = std::min(low, st.Water);
        high = std::max(high, st.Water);
    }
    for (const section::TLayer& l : s.Layers) kmax = std::max({kmax, l.Kx, l.Kz});
    const double q = fields.PsiMax() - fields.PsiMin(), H = high - low;
    // Rounding leaves some 1e-12 of k H where nothing flows (a wall to the base).
    if (!(H > 0) || !(q > 1e-9 * kmax * H)) return 0;
    // The layer carrying the most flow: the largest change of psi across it on one line.
    std::vector<double> carried(s.Layers.size(), 0);
    for (std::size_t i = 0; i < r.X.size(); ++i) {
        double top = std::numeric_limits<double>::infinity();
        for (std::size_t l = 0; l < s.Layers.size(); ++l) {
            double first = NoValue, last = NoValue;
            for (std::size_t j = 0; j < r.Y.size(); ++j) {
                const double p = r.CornerPsi(i, j);
                if (r.Y[j] < s.Layers[l].Bottom - OnLine || r.Y[j] > top + OnLine || std::isnan(p))
                    continue;
                if (std::isnan(first)) first = p;
                last = p;
            }
            if (!std::isnan(first)) carried[l] = std::max(carried[l], std::fabs(last - first));
            top = s.Layers[l].Bottom;
        }
    }
    const section::TLayer& most = s.Layers[static_cast<std::size_t>(
        std::max_element(carried.begin(), carried.end()) - carried.begin())];
    const double k = std::sqrt(most.Kx * most.Kz);
    const double channels = std::round(nd * q / (k * H));
    return static_cast<int>(std::clamp(channels, 1.0, 1000.0));
}

} // namespace verrask::report
