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

} // namespace

double SectionError(const section::TSectionResult& r) {
    if (!r.Bracketed) return std::numeric_limits<double>::quiet_NaN();
    if (r.Q == 0) return 0;
    return (r.QHigh - r.QLow) / 2 / r.Q;
}

std::string SectionText(const section::TSectionResult& r, double seconds) {
    std::string out = "Section: q = " + Figure(r.Q) + " m3/s per m";
    const double error = SectionError(r);
    if (std::isnan(error))
        out += " (no certain bracket: the water stands at more than two levels)\n";
    else
        out += ", certainly between " + Figure(r.QLow) + " and " + Figure(r.QHigh) +
               " (estimated error " + Figure(100 * error) + " %)\n";
    out += " q per day = " + Figure(r.Q * SecondsPerDay) + " m3/day per m\n";
    for (std::size_t k = 0; k < r.StretchFlux.size(); ++k) {
        const section::TStretch& s = r.Section.Surface[k];
        out += " stretch " + std::to_string(k + 1) + " (ground " + Figure(s.Ground) + " m, water " +
               Figure(s.Water) + " m): " + Figure(r.StretchFlux[k]) + " m3/s per m into the soil\n";
    }
    out += " unknowns: " + std::to_string(r.Unknowns) + ", elapsed: " + FormatFixed(seconds, 3) +
           " s\n";
    return out;
}

std::string SectionJson(const section::TSectionResult& r, double seconds) {
    std::vector<std::string> surface;
    for (std::size_t k = 0; k < r.StretchFlux.size(); ++k) {
        const section::TStretch& s = r.Section.Surface[k];
        surface.push_back(JsonObject({JsonMember("ground", JsonNumber(s.Ground)),
                                      JsonMember("water", JsonNumber(s.Water)),
                                      JsonMember("flux", JsonNumber(r.StretchFlux[k]))}));
    }
    const double nan = std::numeric_limits<double>::quiet_NaN();
    return JsonObject(
               {JsonMember("q", JsonNumber(r.Q)),
                JsonMember("q_low", JsonNumber(r.Bracketed ? r.QLow : nan)),
                JsonMember("q_high", JsonNumber(r.Bracketed ? r.QHigh : nan)),
                JsonMember("q_per_day", JsonNumber(r.Q * SecondsPerDay)),
                JsonMember("q_error", JsonNumber(SectionError(r))), JsonMember("order", "null"),
                JsonMember("surface", JsonArray(surface)),
                JsonMember("mass_balance", JsonNumber(r.MassBalance)),
                JsonMember("unknowns", std::to_string(r.Unknowns)),
                JsonMember("extent", JsonObject({JsonMember("left", JsonNumber(r.X.front())),
                                                 JsonMember("right", JsonNumber(r.X.back()))})),
                JsonMember("seconds", JsonNumber(seconds))}) +
           "\n";
}

} // namespace verrask::report
