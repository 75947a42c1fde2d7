// A solved section as text and JSON (see SectionText.h).
#include "report/SectionText.h"

#include "report/FigureFormat.h"
#include "report/JsonText.h"

#include <cmath>
#include <limits>

namespace verrask::report {

namespace {

constexpr double SecondsPerDay = 86400;

std::string Figure(double v) {
    return FormatFigure(static_cast<long double>(v));
}

// An estimated figure: the estimate, how it was found and its error.
std::string EstimateText(const section::TGridEstimate& e, const std::string& unit) {
    if (std::isnan(e.Value)) return "none";
    std::string out = Figure(e.Value) + unit;
    if (e.Indicative)
        out += " (indicative: next to a cover end, where it grows without bound as the grid is "
               "refined; finest grid, not extrapolated)";
    else if (e.Asymptotic && std::isnan(e.Order))
        out += " (the three grids agree)";
    else if (e.Asymptotic)
        out += " (extrapolated, observed order " + FormatFixed(e.Order, 2) + ", theory " +
               FormatFixed(e.TheoryOrder, 2) + ", GCI " + Figure(e.Gci) + unit + ")";
    else
        out += " (not asymptotic: observed order " +
               (std::isnan(e.Order) ? std::string("none") : FormatFixed(e.Order, 2)) + ", theory " +
               FormatFixed(e.TheoryOrder, 2) + "; finest grid, error at most " + Figure(e.Error) +
               unit + ")";
    return out;
}

// `lead`: members put first (where the figure is).
std::string EstimateJson(const section::TGridEstimate& e, std::vector<std::string> lead = {}) {
    lead.insert(lead.end(),
                {JsonMember("value", JsonNumber(e.Value)),
                 JsonMember("finest", JsonNumber(e.Finest)),
                 JsonMember("extrapolated", JsonNumber(e.Extrapolated)),
                 JsonMember("order", JsonNumber(e.Order)),
                 JsonMember("theory_order", JsonNumber(e.TheoryOrder)),
                 JsonMember("gci", JsonNumber(e.Gci)), JsonMember("error", JsonNumber(e.Error)),
                 JsonMember("asymptotic", JsonBool(e.Asymptotic)),
                 JsonMember("indicative", JsonBool(e.Indicative))});
    return JsonObject(lead);
}

} // namespace

double SectionError(const section::TSectionResult& r) {
    return r.QError;
}

std::string SectionText(const section::TSectionResult& r, double seconds) {
    std::string out = "Section: q = " + Figure(r.Q) + " m3/s per m";
    const double error = SectionError(r);
    if (!r.Bracketed)
        out += " (no certain bracket: the water stands at more than two levels; estimated error " +
               (std::isnan(error) ? std::string("unknown") : Figure(100 * error) + " %") +
               " from three nested grids)\n";
    else
        out += ", certainly between " + Figure(r.QLow) + " and " + Figure(r.QHigh) +
               " (estimated error " + Figure(100 * error) + " %)\n";
    out += " q per day = " + Figure(r.Q * SecondsPerDay) + " m3/day per m\n";
    for (std::size_t k = 0; k < r.StretchFlux.size(); ++k) {
        const section::TStretch& s = r.Section.Surface[k];
        out += " stretch " + std::to_string(k + 1) + " (ground " + Figure(s.Ground) + " m, water " +
               Figure(s.Water) + " m): " + Figure(r.StretchFlux[k]) + " m3/s per m into the soil\n";
    }
    for (std::size_t w = 0; w < r.Walls.size(); ++w) {
        const section::TWallPoints& p = r.Walls[w];
        if (!p.Outflow) continue;
        const std::string wall = " wall " + std::to_string(w + 1) + " (x " +
                                 Figure(r.Section.Walls[w].X) + " m), outflow stretch " +
                                 std::to_string(p.Stretch + 1);
        out += wall + ": exit gradient " + EstimateText(p.ExitGradient, "");
        out += std::isnan(p.ExitX) ? " (no open ground)\n" : " at x " + Figure(p.ExitX) + " m\n";
        out += wall + ": prism " + Figure(p.PrismDepth) + " m deep, " + Figure(p.PrismWidth) +
               " m wide, mean excess head h_a " + EstimateText(p.PrismHead, " m") + ", FS " +
               EstimateText(p.PrismFs, "") + "\n";
    }
    if (!std::isnan(r.QOrder)) out += " observed order of q: " + FormatFixed(r.QOrder, 2) + "\n";
    out += " unknowns: " + std::to_string(r.Unknowns) + ", elapsed: " + FormatFixed(seconds, 3) +
           " s\n";
    return out;
}

std::string SectionJson(const section::TSectionResult& r, double seconds,
                        const std::vector<std::string>& extra) {
    std::vector<std::string> surface;
    for (std::size_t k = 0; k < r.StretchFlux.size(); ++k) {
        const section::TStretch& s = r.Section.Surface[k];
        surface.push_back(JsonObject({JsonMember("ground", JsonNumber(s.Ground)),
                                      JsonMember("water", JsonNumber(s.Water)),
                                      JsonMember("flux", JsonNumber(r.StretchFlux[k]))}));
    }
    std::vector<std::string> walls;
    for (std::size_t w = 0; w < r.Walls.size(); ++w) {
        const section::TWallPoints& p = r.Walls[w];
        std::vector<std::string> members{JsonMember("x", JsonNumber(r.Section.Walls[w].X)),
                                         JsonMember("toe", JsonNumber(r.Section.Walls[w].Toe))};
        if (p.Outflow) {
            const std::string exit =
                EstimateJson(p.ExitGradient, {JsonMember("x", JsonNumber(p.ExitX))});
            members.push_back(JsonMember("outflow_stretch", std::to_string(p.Stretch + 1)));
            members.push_back(JsonMember("exit_gradient", exit));
            members.push_back(JsonMember(
                "prism", JsonObject({JsonMember("depth", JsonNumber(p.PrismDepth)),
                                     JsonMember("width", JsonNumber(p.PrismWidth)),
                                     JsonMember("gamma_submerged", JsonNumber(p.GammaSubmerged)),
                                     JsonMember("h_a", EstimateJson(p.PrismHead)),
                                     JsonMember("fs", EstimateJson(p.PrismFs))})));
        }
        walls.push_back(JsonObject(members));
    }
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<std::string> members{
        JsonMember("q", JsonNumber(r.Q)),
        JsonMember("q_low", JsonNumber(r.Bracketed ? r.QLow : nan)),
        JsonMember("q_high", JsonNumber(r.Bracketed ? r.QHigh : nan)),
        JsonMember("q_per_day", JsonNumber(r.Q * SecondsPerDay)),
        JsonMember("q_error", JsonNumber(SectionError(r))),
        JsonMember("order", JsonNumber(r.QOrder)),
        JsonMember("surface", JsonArray(surface)),
        JsonMember("mass_balance", JsonNumber(r.MassBalance)),
        JsonMember("walls", JsonArray(walls)),
        JsonMember("unknowns", std::to_string(r.Unknowns)),
        JsonMember("extent", JsonObject({JsonMember("left", JsonNumber(r.X.front())),
                                         JsonMember("right", JsonNumber(r.X.back()))}))};
    members.insert(members.end(), extra.begin(), extra.end());
    members.push_back(JsonMember("seconds", JsonNumber(seconds)));
    return JsonObject(members) + "\n";
}

} // namespace verrask::report
