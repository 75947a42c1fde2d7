// A section's design checks and toe search as text and JSON (see SectionChecksText.h).
#include "report/SectionChecksText.h"

#include "report/CheckLines.h"
#include "report/FigureFormat.h"
#include "report/JsonText.h"

#include <cmath>

namespace verrask::report {

namespace {

using checks::TCriterion;

std::string Figure(double v) {
    return FormatFigure(static_cast<long double>(v));
}

std::string Number(double v) {
    return JsonNumber(static_cast<long double>(v));
}

// "value +- error" where the model gives an error, else the value.
std::string WithError(double value, double error, const std::string& unit) {
    if (std::isnan(value)) return "n/a";
    return Figure(value) + (std::isfinite(error) ? " +- " + Figure(error) : "") + unit;
}

std::string Verdict(double value, TCriterion criterion, const checks::TCheckSettings& s) {
    const long double target = checks::CriterionTarget(s, criterion);
    if (std::isnan(value)) return "no verdict";
    const bool passes = checks::SectionPasses(value, criterion, target);
    return RequiredText(criterion, target) + ": " + (passes ? "passes" : "fails");
}

std::string LayerName(const section::TSection& s, std::size_t l) {
    return s.Layers[l].Name.empty() ? "layer " + std::to_string(l + 1)
                                    : "\"" + s.Layers[l].Name + "\"";
}

std::string Where(const section::TSection& s, const checks::TColumnFigure& f) {
    return " at x " + Figure(f.X) + " m, foot " + Figure(f.Z) + " m in " + LayerName(s, f.Layer);
}

std::string ColumnJson(const checks::TColumnFigure& f) {
    return JsonObject(
        {JsonMember("value", Number(f.Value)), JsonMember("x", Number(f.X)),
         JsonMember("z", Number(f.Z)),
         JsonMember("layer", std::isnan(f.Value) ? "null" : std::to_string(f.Layer + 1))});
}

} // namespace

std::string SectionChecksText(const section::TSectionResult& r, const checks::TSectionChecks& c,
                              const checks::TCheckSettings& s) {
    const section::TSection& sec = r.Section;
    std::string out = "Checks (gamma_w " + Figure(static_cast<double>(s.GammaW)) +
                      " kN/m3; EC7 HYD factors " + Figure(static_cast<double>(s.FactorDst)) + ", " +
                      Figure(static_cast<double>(s.FactorStb)) + "; UPL " +
                      Figure(static_cast<double>(s.UpliftDst)) + ", " +
                      Figure(static_cast<double>(s.UpliftStb)) +
                      "; factors of safety from the unfavourable end of each error estimate):\n";
    for (std::size_t w = 0; w < c.Walls.size(); ++w) {
        const checks::TSectionWallCheck& k = c.Walls[w];
        const std::string wall = " wall " + std::to_string(w + 1) + ": ";
        if (k.Outflow) {
            if (std::isnan(k.Exit))
                out += wall + "exit gradient: no open outflow ground nearer this wall\n";
            else
                out +=
                    wall + "exit gradient " + WithError(k.Exit, k.ExitError, "") + " at x " +
                    Figure(k.ExitX) + " m, i_c " + Figure(k.ExitCritical) + ", FS " +
                    Figure(k.ExitFs) + " (" +
                    (k.ExitIndicative ? std::string("indicative: next to a cover end, no verdict")
                                      : Verdict(k.ExitFs, TCriterion::Exit, s)) +
                    ")\n";
            out += wall + "Terzaghi prism " + Figure(k.PrismDepth) + " m deep, " +
                   Figure(k.PrismWidth) + " m wide, h_a " +
                   WithError(k.PrismHead, k.PrismHeadError, " m") + ", gamma' " +
                   Figure(k.GammaSubmerged) + " kN/m3: FS " + Figure(k.PrismFs) + " (" +
                   Verdict(k.PrismFs, TCriterion::Terzaghi, s) + ")\n";
            const auto a = static_cast<double>(k.PrismEc7.UtilisationA);
            const auto b = static_cast<double>(k.PrismEc7.UtilisationB);
            out += wall + "EC7 HYD on the prism: 2.9a utilisation " + Figure(a) + " (" +
                   Verdict(a, TCriterion::Ec7a, s) + "), 2.9b utilisation " + Figure(b) + " (" +
                   Verdict(b, TCriterion::Ec7b, s) + ")\n";
        } else if (sec.Surface[w].Water == sec.Surface[w + 1].Water) {
            out += wall + "the water stands level on both sides: no outflow to check\n";
        } else {
            out += wall + "nothing flows beneath it (it reaches the base, or the soil on a side is "
                          "cut off): hydrostatic on both sides, no outflow to check\n";
        }
        out += wall + "net water pressure " + Figure(k.NetForce) +
               " kN/m (positive towards the right), moment about the toe " + Figure(k.NetMoment) +
               " kNm/m\n";
    }
    const checks::TSectionColumns& col = c.Columns;
    if (std::isnan(col.Ec7a.Value)) {
        out += " soil columns: no ground where the water pushes up\n";
    } else {
        out += " EC7 HYD on every column down to at least the nearer toe: 2.9a worst utilisation " +
               Figure(col.Ec7a.Value) + Where(sec, col.Ec7a) + " (" +
               Verdict(col.Ec7a.Value, TCriterion::Ec7a, s) + ")\n";
        out += " EC7 HYD on every column: 2.9b worst utilisation " + Figure(col.Ec7b.Value) +
               Where(sec, col.Ec7b) + " (" + Verdict(col.Ec7b.Value, TCriterion::Ec7b, s) + ")\n";
        out += " heave column: smallest FS " + Figure(col.Heave.Value) + Where(sec, col.Heave) +
               " (" + Verdict(col.Heave.Value, TCriterion::Column, s) + ")\n";
        out += " heave column over every depth (indicative): smallest FS " +
               Figure(col.ShallowHeave.Value) + Where(sec, col.ShallowHeave) + "\n";
    }
    for (const checks::TLayerUplift& up : col.Uplift)
        out += " EC7 UPL of " + LayerName(sec, up.Layer) +
               " (less pervious than the layer below): u " + Figure(up.U) + " kPa at its base " +
               Figure(up.Z) + " m, x " + Figure(up.X) + " m, against " + Figure(up.Sigma) +
               " kPa of overburden: utilisation " + Figure(up.Utilisation) +
               " (utilisation <= 1: " + (up.Utilisation <= 1 ? "passes" : "fails") + ")\n";
    return out + " " + GoverningSentence(c.Governing) + "\n";
}

std::string SectionChecksJson(const section::TSectionResult& r, const checks::TSectionChecks& c,
                              const checks::TCheckSettings& s) {
    std::vector<std::string> walls;
    for (const checks::TSectionWallCheck& k : c.Walls) {
        std::vector<std::string> m{JsonMember("net_force", Number(k.NetForce)),
                                   JsonMember("net_moment", Number(k.NetMoment))};
        if (k.Outflow) {
            m.push_back(JsonMember(
                "exit", JsonObject({JsonMember("gradient", Number(k.Exit)),
                                    JsonMember("error", Number(k.ExitError)),
                                    JsonMember("x", Number(k.ExitX)),
                                    JsonMember("critical_gradient", Number(k.ExitCritical)),
                                    JsonMember("fs", Number(k.ExitFs)),
                                    JsonMember("indicative", JsonBool(k.ExitIndicative))})));
            m.push_back(JsonMember(
                "prism",
                JsonObject({JsonMember("depth", Number(k.PrismDepth)),
                            JsonMember("width", Number(k.PrismWidth)),
                            JsonMember("h_a", Number(k.PrismHead)),
                            JsonMember("h_a_error", Number(k.PrismHeadError)),
                            JsonMember("gamma_submerged", Number(k.GammaSubmerged)),
                            JsonMember("fs", Number(k.PrismFs)),
                            JsonMember("ec7_2_9a", JsonNumber(k.PrismEc7.UtilisationA)),
                            JsonMember("ec7_2_9b", JsonNumber(k.PrismEc7.UtilisationB))})));
        }
        walls.push_back(JsonObject(m));
    }
    std::vector<std::string> uplift;
    for (const checks::TLayerUplift& up : c.Columns.Uplift)
        uplift.push_back(
            JsonObject({JsonMember("layer", std::to_string(up.Layer + 1)),
                        JsonMember("name", JsonString(r.Section.Layers[up.Layer].Name)),
                        JsonMember("utilisation", Number(up.Utilisation)),
                        JsonMember("x", Number(up.X)), JsonMember("z", Number(up.Z)),
                        JsonMember("u", Number(up.U)), JsonMember("sigma", Number(up.Sigma))}));
    const checks::TGoverning& g = c.Governing;
    return JsonMember(
        "checks",
        JsonObject(
            {JsonMember("walls", JsonArray(walls)),
             JsonMember("columns", JsonObject({JsonMember("ec7_2_9a", ColumnJson(c.Columns.Ec7a)),
                                               JsonMember("ec7_2_9b", ColumnJson(c.Columns.Ec7b)),
                                               JsonMember("heave", ColumnJson(c.Columns.Heave)),
                                               JsonMember("heave_every_depth",
                                                          ColumnJson(c.Columns.ShallowHeave))})),
             JsonMember("uplift", JsonArray(uplift)),
             JsonMember(
                 "governing",
                 g.Present ? JsonObject({JsonMember("criterion",
                                                    JsonString(checks::CriterionName(g.Criterion))),
                                         JsonMember("value", JsonNumber(g.Value)),
                                         JsonMember("target", JsonNumber(g.Target)),
                                         JsonMember("margin", JsonNumber(g.Margin))})
                           : "null"),
             JsonMember("governing_text", JsonString(GoverningSentence(g))),
             JsonMember("gamma_w", JsonNumber(s.GammaW))}));
}

std::string ToeTrialText(const checks::TSectionEmbedment& e, const checks::TToeTrial& t) {
    return "toe " + Figure(t.Toe) + " m: " + CriterionLabel(e.Criterion) + " " + Figure(t.Value) +
           " " + (t.Passes ? "passes" : "fails");
}

std::string SectionEmbedmentText(const checks::TSectionEmbedment& e) {
    std::string out = "Toe search (" + std::string(CriterionLabel(e.Criterion)) + ", " +
                      RequiredText(e.Criterion, e.Target) + "): ";
    if (std::isnan(e.Toe))
        out += "no answer";
    else
        out += "highest passing toe " + Figure(e.Toe) + " m" +
               (std::isnan(e.FailingToe) ? std::string()
                                         : ", a toe at " + Figure(e.FailingToe) + " m fails");
    if (!e.Note.empty()) out += " (" + e.Note + ")";
    out += "\n";
    for (const checks::TToeTrial& t : e.Trials) out += "  " + ToeTrialText(e, t) + "\n";
    return out;
}

std::string SectionEmbedmentJson(const checks::TSectionEmbedment& e) {
    std::vector<std::string> trials;
    for (const checks::TToeTrial& t : e.Trials)
        trials.push_back(
            JsonObject({JsonMember("toe", Number(t.Toe)), JsonMember("value", Number(t.Value)),
                        JsonMember("passes", JsonBool(t.Passes))}));
    return JsonMember(
        "embedment",
        JsonObject({JsonMember("criterion", JsonString(checks::CriterionName(e.Criterion))),
                    JsonMember("target", Number(e.Target)), JsonMember("toe", Number(e.Toe)),
                    JsonMember("failing_toe", Number(e.FailingToe)),
                    JsonMember("trials", JsonArray(trials)),
                    JsonMember("note", e.Note.empty() ? "null" : JsonString(e.Note))}));
}

} // namespace verrask::report
