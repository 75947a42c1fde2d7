// The design checks of a solved section (see SectionChecks.h).
#include "checks/SectionChecks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace verrask::checks {

namespace {

using section::NoValue;

// The figure at the unfavourable end of its error estimate (the error taken as 0 where the
// estimate has none).
double Unfavourable(const section::TGridEstimate& e) {
    return e.Value + (std::isfinite(e.Error) ? e.Error : 0);
}

// u on one face at elevation y: from the soil cell beside it, hydrostatic in open water above
// the ground, 0 above the water; and its slope in y (the hydrostatic part's, -gamma_w, below the
// water). NaN where the soil's head is undetermined.
double FacePressure(const section::TSectionResult& r, std::size_t i, std::size_t j, double y,
                    const section::TStretch& st, double gw) {
    if (y < st.Ground) return gw * (r.CellHead(i, j) - y);
    return y < st.Water ? gw * (st.Water - y) : 0;
}

double FaceSlope(double y, const section::TStretch& st, double gw) {
    return y < st.Water ? -gw : 0; // the water stands at or above the ground
}

void WallPressure(const section::TSectionResult& r, std::size_t w, double gw,
                  TSectionWallCheck& c) {
    const section::TSection& s = r.Section;
    const section::TWall& wall = s.Walls[w];
    const section::TStretch &left = s.Surface[w], &right = s.Surface[w + 1];
    const std::size_t line = NearestLine(r.X, wall.X);
    if (line == 0 || line >= r.Columns()) return;
    // The grid's rows from the toe up, split at both water levels, then the open water above the
    // soil's top: on each piece either face's pressure is linear but for the soil's head.
    std::vector<double> z(r.Y.begin() + static_cast<std::ptrdiff_t>(NearestLine(r.Y, wall.Toe)),
                          r.Y.end());
    for (double level : {left.Water, right.Water})
        if (level > z.front()) z.push_back(level);
    std::sort(z.begin(), z.end());
    z.erase(std::unique(z.begin(), z.end()), z.end());
    double force = 0, moment = 0;
    for (std::size_t n = 0; n + 1 < z.size(); ++n) {
        const double y = (z[n] + z[n + 1]) / 2, dz = z[n + 1] - z[n];
        if (!(dz > 0)) continue;
        // The row holding the piece (the top row for the open water above the soil).
        const auto above = std::upper_bound(r.Y.begin(), r.Y.end(), y);
        const std::size_t row =
            std::min(static_cast<std::size_t>(std::max<std::ptrdiff_t>(above - r.Y.begin() - 1, 0)),
                     r.Rows() - 1);
        TPressurePoint p{y, FacePressure(r, line - 1, row, y, left, gw),
                         FacePressure(r, line, row, y, right, gw), 0};
        p.Net = p.ULeft - p.URight;
        // Midpoint rule, exact for a linear net pressure in both sums once the moment takes the
        // slope's share: integral of p (y - toe) = p(mid) dz (mid - toe) + p' dz^3 / 12.
        force += p.Net * dz;
        moment += p.Net * dz * (y - wall.Toe) +
                  (FaceSlope(y, left, gw) - FaceSlope(y, right, gw)) * dz * dz * dz / 12;
        c.Pressure.push_back(p);
    }
    c.NetForce = force;
    c.NetMoment = moment;
}

void OutflowFigures(const section::TSectionResult& r, std::size_t w, const TCheckSettings& s,
                    TSectionWallCheck& c) {
    const section::TWallPoints& p = r.Walls[w];
    const section::TSection& sec = r.Section;
    const double gw = static_cast<double>(s.GammaW);
    c.Outflow = true;
    c.Stretch = p.Stretch;
    const section::TStretch& st = sec.Surface[p.Stretch];

    c.Exit = p.ExitGradient.Value;
    c.ExitError = p.ExitGradient.Error;
    c.ExitX = p.ExitX;
    c.ExitIndicative = p.ExitGradient.Indicative;
    if (std::isfinite(c.Exit)) {
        const double gammaSat = sec.Layers[LayerAt(sec, st.Ground - 1e-9)].GammaSat;
        c.ExitCritical = (gammaSat - gw) / gw;
        const double exit = Unfavourable(p.ExitGradient);
        if (exit > 0) c.ExitFs = c.ExitCritical / exit;
    }

    c.PrismDepth = p.PrismDepth;
    c.PrismWidth = p.PrismWidth;
    c.PrismHead = p.PrismHead.Value;
    c.PrismHeadError = p.PrismHead.Error;
    // The settings' gamma_w: the weights below are the layers' gamma_sat less it.
    c.GammaSubmerged = p.GammaSubmerged + section::GammaWater - gw;
    const double head = Unfavourable(p.PrismHead);
    if (head > 0 && c.PrismDepth > 0) c.PrismFs = c.GammaSubmerged * c.PrismDepth / (gw * head);
    TCheckSettings tail = s;
    tail.Tailwater = st.Water - st.Ground;
    c.PrismEc7 = Ec7Hyd(c.PrismDepth, c.PrismWidth, std::isfinite(head) ? head : NotAvailable,
                        c.GammaSubmerged / gw, tail);
    // No excess head under the prism: no seepage force lifts it (2.9b trivially met).
    if (c.PrismEc7.UtilisationB < 0) c.PrismEc7.UtilisationB = 0;
}

} // namespace

std::string SectionGammaError(const section::TSection& s, const TCheckSettings& settings) {
    for (std::size_t i = 0; i < s.Layers.size(); ++i) {
        const long double gammaSat = s.Layers[i].GammaSat;
        if (gammaSat > settings.GammaW) continue;
        char text[160];
        std::snprintf(text, sizeof text,
                      "\"layers[%zu].gamma_sat\" = %.10Lg: must be more than gamma_w (%.10Lg), "
                      "or the layer floats",
                      i, gammaSat, settings.GammaW);
        return text;
    }
    return "";
}

TSectionChecks RunSectionChecks(const section::TSectionResult& r, const TCheckSettings& s) {
    TSectionChecks out;
    out.Walls.resize(r.Section.Walls.size());
    for (std::size_t w = 0; w < out.Walls.size(); ++w) {
        if (w < r.Walls.size() && r.Walls[w].Outflow) OutflowFigures(r, w, s, out.Walls[w]);
        WallPressure(r, w, static_cast<double>(s.GammaW), out.Walls[w]);
    }
    out.Columns = ComputeSectionColumns(r, s);

    // The governing check through the design's: each criterion's worst figure of the section.
    TExitGradient exit;
    exit.Fs = SectionCriterionValue(out, TCriterion::Exit);
    exit.Indicative = !Available(exit.Fs);
    TTerzaghiPrism prism;
    prism.Fs = SectionCriterionValue(out, TCriterion::Terzaghi);
    TEc7Hydraulic ec7;
    ec7.UtilisationA = SectionCriterionValue(out, TCriterion::Ec7a);
    ec7.UtilisationB = SectionCriterionValue(out, TCriterion::Ec7b);
    THeaveColumn column;
    column.Fs = SectionCriterionValue(out, TCriterion::Column);
    out.Governing = GoverningCheck(exit, prism, ec7, column, s);
    return out;
}

long double SectionCriterionValue(const TSectionChecks& c, TCriterion criterion) {
    const bool largest = IsUtilisation(criterion);
    double worst = NoValue;
    auto take = [&](double v) {
        if (std::isfinite(v) && (std::isnan(worst) || (largest ? v > worst : v < worst))) worst = v;
    };
    for (const TSectionWallCheck& w : c.Walls) {
        if (!w.Outflow) continue;
        switch (criterion) {
        case TCriterion::Terzaghi:
            take(w.PrismFs);
            break;
        case TCriterion::Ec7a:
            take(static_cast<double>(w.PrismEc7.UtilisationA));
            break;
        case TCriterion::Ec7b:
            take(static_cast<double>(w.PrismEc7.UtilisationB));
            break;
        case TCriterion::Exit:
            if (!w.ExitIndicative) take(w.ExitFs);
            break;
        case TCriterion::Column:
            break;
        }
    }
    if (criterion == TCriterion::Ec7a) take(c.Columns.Ec7a.Value);
    if (criterion == TCriterion::Ec7b) take(c.Columns.Ec7b.Value);
    if (criterion == TCriterion::Column) take(c.Columns.Heave.Value);
    return worst;
}

} // namespace verrask::checks
