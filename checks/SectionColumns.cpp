// EC7 HYD, heave and EC7 UPL on the soil columns of a solved section (see SectionColumns.h).
#include "checks/SectionColumns.h"

#include <algorithm>
#include <cmath>

namespace verrask::checks {

namespace {

using section::NoValue;

// A foot counts as deep as a toe this close above it (the grid holds both on one line).
constexpr double SameLevel = 1e-6;

// The deepest toe of the walls that bound stretch k, as a depth below its ground; 0 without one
// that reaches below it.
double WallDepthOfStretch(const section::TSection& s, std::size_t k) {
    double depth = 0;
    const double ground = s.Surface[k].Ground;
    for (std::size_t w : {k - 1, k})
        if (w < s.Walls.size()) depth = std::max(depth, ground - s.Walls[w].Toe);
    return depth;
}

// The bounding wall nearer x of stretch k: its depth below the ground, else the deeper one.
double VerdictDepth(const section::TSection& s, std::size_t k, double x) {
    const double ground = s.Surface[k].Ground;
    double nearest = -1, distance = 0;
    for (std::size_t w : {k - 1, k}) {
        if (w >= s.Walls.size()) continue;
        const double d = std::fabs(x - s.Walls[w].X);
        if (nearest < 0 || d < distance) {
            nearest = std::max(0.0, ground - s.Walls[w].Toe);
            distance = d;
        }
    }
    return nearest < 0 ? WallDepthOfStretch(s, k) : nearest;
}

void KeepLarger(TColumnFigure& f, double value, double x, double z, std::size_t layer) {
    if (std::isfinite(value) && !(value <= f.Value)) f = {value, x, z, layer};
}

void KeepSmaller(TColumnFigure& f, double value, double x, double z, std::size_t layer) {
    if (std::isfinite(value) && !(value >= f.Value)) f = {value, x, z, layer};
}

} // namespace

std::size_t NearestLine(const std::vector<double>& lines, double v) {
    const auto it = std::lower_bound(lines.begin(), lines.end(), v);
    if (it == lines.begin()) return 0;
    if (it == lines.end()) return lines.size() - 1;
    const std::size_t j = static_cast<std::size_t>(it - lines.begin());
    return v - lines[j - 1] < lines[j] - v ? j - 1 : j;
}

std::size_t LayerAt(const section::TSection& s, double y) {
    for (std::size_t l = 0; l < s.Layers.size(); ++l)
        if (y > s.Layers[l].Bottom) return l;
    return s.Layers.size() - 1;
}

std::size_t StretchAt(const section::TSection& s, double x) {
    std::size_t k = 0;
    while (k < s.Walls.size() && s.Walls[k].X < x) ++k;
    return k;
}

double HeadOnLine(const section::TSectionResult& r, std::size_t i, std::size_t j) {
    if (j >= r.Rows()) return NoValue;
    const double above = r.CellHead(i, j);
    if (j == 0 || std::isnan(above)) return j == 0 ? above : NoValue;
    const double below = r.CellHead(i, j - 1);
    const section::TSection& s = r.Section;
    const double ka = s.Layers[LayerAt(s, (r.Y[j] + r.Y[j + 1]) / 2)].Kz / (r.Y[j + 1] - r.Y[j]);
    const double kb = s.Layers[LayerAt(s, (r.Y[j - 1] + r.Y[j]) / 2)].Kz / (r.Y[j] - r.Y[j - 1]);
    return (ka * above + kb * below) / (ka + kb);
}

TSectionColumns ComputeSectionColumns(const section::TSectionResult& r, const TCheckSettings& s) {
    TSectionColumns out;
    const section::TSection& sec = r.Section;
    const double gw = static_cast<double>(s.GammaW);
    const double dst = static_cast<double>(s.FactorDst), stb = static_cast<double>(s.FactorStb);
    const double upDst = static_cast<double>(s.UpliftDst);
    const double upStb = static_cast<double>(s.UpliftStb);
    // The top and base of every layer less pervious than the one below: a verdict there at any
    // depth (a clay above the toes lifts off as a whole).
    std::vector<double> lessPervious;
    for (std::size_t l = 0; l + 1 < sec.Layers.size(); ++l)
        if (sec.Layers[l].Kz < sec.Layers[l + 1].Kz) {
            out.Uplift.push_back({l});
            lessPervious.push_back(sec.Layers[l].Bottom);
            if (l > 0) lessPervious.push_back(sec.Layers[l - 1].Bottom);
        }
    const auto atLessPervious = [&](double z) {
        return std::any_of(lessPervious.begin(), lessPervious.end(),
                           [&](double e) { return std::fabs(z - e) <= SameLevel; });
    };

    for (std::size_t i = 0; i < r.Columns(); ++i) {
        const double x = (r.X[i] + r.X[i + 1]) / 2;
        const std::size_t k = StretchAt(sec, x);
        const double ground = sec.Surface[k].Ground, water = sec.Surface[k].Water;
        const std::size_t top = NearestLine(r.Y, ground);
        // Only where the water pushes up: the head under the ground above the water on it (under
        // a cover too, whose own weight is not known and not counted).
        if (top == 0 || !(r.CellHead(i, top - 1) > water)) continue;
        const double verdict = VerdictDepth(sec, k, x);
        double sigma = gw * (water - ground), weight = 0; // total and submerged, kPa
        for (std::size_t j = top; j-- > 0;) {
            const double z = r.Y[j], t = r.Y[j + 1] - z;
            const std::size_t layer = LayerAt(sec, (z + r.Y[j + 1]) / 2);
            sigma += sec.Layers[layer].GammaSat * t;
            weight += (sec.Layers[layer].GammaSat - gw) * t;
            const double h = HeadOnLine(r, i, j);
            if (std::isnan(h)) break;
            const double u = gw * (h - z), seepage = gw * (h - water);
            const double fs = seepage > 0 ? weight / seepage : NoValue;
            KeepSmaller(out.ShallowHeave, fs, x, z, layer);
            if (ground - z >= verdict - SameLevel || atLessPervious(z)) {
                KeepLarger(out.Ec7a, dst * u / (stb * sigma), x, z, layer);
                KeepLarger(out.Ec7b, seepage > 0 ? dst * seepage / (stb * weight) : NoValue, x, z,
                           layer);
                KeepSmaller(out.Heave, fs, x, z, layer);
            }
            for (TLayerUplift& up : out.Uplift) {
                if (std::fabs(z - sec.Layers[up.Layer].Bottom) > SameLevel) continue;
                const double utilisation = upDst * u / (upStb * sigma);
                if (std::isfinite(utilisation) && !(utilisation <= up.Utilisation))
                    up = {up.Layer, utilisation, x, z, u, sigma};
            }
        }
    }
    // A layer the outflow ground does not reach (dug away, or under covers only) has no figure.
    std::erase_if(out.Uplift, [](const TLayerUplift& up) { return std::isnan(up.Utilisation); });
    return out;
}

} // namespace verrask::checks
