// Formats the design checks and the embedment search as text and JSON (see CheckReport.h).
// Figures that have no value print as "n/a" with the reason, and as null in JSON.
#include "report/CheckReport.h"

#include "report/CheckLines.h"
#include "report/EmbedmentText.h"
#include "report/FigureFormat.h"
#include "report/JsonText.h"

#include <cstdio>
#include <vector>

namespace verrask::report {

namespace {

using checks::Available;

// Four significant digits for people, as the report has them.
std::string Num(long double v) {
    return FormatFigure(v);
}

std::string WithReason(const std::string& text, const std::string& reason) {
    return reason.empty() ? text : text + " (" + reason + ")";
}

// " passes" or " fails" against the criterion's target, "" without a figure.
std::string Verdict(long double value, const checks::TCheckSettings& s, checks::TCriterion c) {
    if (!Available(value)) return "";
    const long double target = checks::CriterionTarget(s, c);
    return (checks::IsUtilisation(c) ? value <= target : value >= target) ? " passes" : " fails";
}

// A member "reason" when there is one, else "" (which JsonObject leaves out).
std::string Reason(const std::string& reason) {
    return reason.empty() ? "" : JsonMember("reason", JsonString(reason));
}

} // namespace

std::string ChecksText(const checks::TDesignChecks& c, const checks::TCheckSettings& s) {
    std::string out = "Design checks: grid step " + Num(c.GridStep) + " m, wall " +
                      Num(c.GridWallDepth) + " m deep on the grid (" + Num(c.TypedWallDepth) +
                      " m typed), i_c = " + Num(c.CriticalGradient) +
                      ", gamma_w = " + Num(s.GammaW) + " kN/m3, tailwater " + Num(c.Tailwater) +
                      " m\n";
    out.append(" ").append(GoverningSentence(c)).append("\n");
    out.append("  ").append(TailwaterNote(s)).append("\n");
    out += " q = " + Num(c.DischargePerDay) + " m3/day per metre of wall, from the field's Nf/Nd " +
           Num(c.FieldShapeFactor) + " (the run's " + Num(c.RoundedShapeFactor) +
           " is rounded to 1/80)\n";

    const checks::TExitGradient& e = c.Exit;
    out += WithReason(" exit gradient " + Num(e.Max) + " at " + Num(e.At) +
                          " m from the wall, FS_exit = " + Num(e.Fs) +
                          (e.Indicative ? " indicative (grid-dependent)"
                                        : Verdict(e.Fs, s, checks::TCriterion::Exit)),
                      e.Reason) +
           "\n";
    if (e.BlanketEnd)
        out += "  (at the end of the downstream blanket the true gradient is infinite: this value "
               "depends on the grid)\n";

    const checks::TTerzaghiPrism& p = c.Prism;
    const checks::TEc7Hydraulic& h = c.Ec7;
    if (Available(p.Depth)) {
        out += WithReason(
                   " Terzaghi prism " + Num(p.Depth) + " m deep, " + Num(p.Width) + " m wide" +
                       (p.AtBlanketEnd ? " at the blanket's end " + Num(p.At) + " m from the wall"
                                       : "") +
                       ": h_a = " + Num(p.MeanExcessHead) + " m, FS = " + Num(p.Fs) +
                       Verdict(p.Fs, s, checks::TCriterion::Terzaghi) + "; critical prism " +
                       Num(p.WidthMin) + " m wide: FS = " + Num(p.FsMin) +
                       " indicative (grid-dependent)",
                   p.Reason) +
               "\n";
        out += WithReason(" EC7 HYD 2.9a: u = " + Num(h.UCharacteristic) +
                              " kPa, sigma = " + Num(h.SigmaCharacteristic) + " kPa; design " +
                              Num(h.U) + " against " + Num(h.Sigma) + " kPa, utilisation " +
                              Num(h.UtilisationA) +
                              Verdict(h.UtilisationA, s, checks::TCriterion::Ec7a) +
                              " (factors the whole pore pressure, as the standard's text has it)",
                          h.Reason) +
               "\n";
        out += " EC7 HYD 2.9b: S = " + Num(h.SCharacteristic) +
               " kN/m, G' = " + Num(h.GCharacteristic) + " kN/m; design " + Num(h.S) + " against " +
               Num(h.G) + " kN/m, utilisation " + Num(h.UtilisationB) +
               Verdict(h.UtilisationB, s, checks::TCriterion::Ec7b) + "\n";
    } else {
        out += " Terzaghi prism and EC7 HYD: n/a (" + p.Reason + ")\n";
    }

    const checks::THeaveColumn& col = c.Column;
    out += WithReason(" heave column: mean upward gradient " + Num(col.Max) + " at " + Num(col.At) +
                          " m from the wall, " + Num(col.Depth) + " m deep, FS = " + Num(col.Fs) +
                          Verdict(col.Fs, s, checks::TCriterion::Column) + "; any depth " +
                          Num(col.ShallowMax) + " at " + Num(col.ShallowAt) + " m, " +
                          Num(col.ShallowDepth) + " m deep, FS = " + Num(col.ShallowFs) +
                          " indicative (grid-dependent)",
                      col.Reason) +
           "\n";

    const checks::TWallPressure& w = c.Wall;
    if (w.Points.empty()) {
        out += " wall: n/a (" + w.Reason + ")\n";
    } else {
        out += " wall: net water force " + Num(w.NetForce) + " kN/m, moment " + Num(w.NetMoment) +
               " kNm/m about the toe; Bligh's line of creep (path " + Num(w.CreepPath) + " m) " +
               Num(w.CreepForce) + " kN/m, " + Num(w.CreepMoment) + " kNm/m; ratios " +
               Num(w.ForceRatio) + ", " + Num(w.MomentRatio) + "\n";
        out += "  net pressure (depth m: kPa):";
        for (std::size_t i = 0; i < w.Points.size(); ++i) {
            out += i ? ", " : " ";
            out += Num(w.Points[i].Depth);
            out += ": ";
            out += Num(w.Points[i].Net);
        }
        out += '\n';
    }

    const checks::TBlanketUplift& u = c.Uplift;
    if (u.Present)
        out += " downstream blanket " + Num(u.Length) + " m: net uplift " + Num(u.Force) +
               " kN/m, mean " + Num(u.MeanPressure) + " kPa, needs " + Num(u.RequiredWeight) +
               " kN/m2 (EC7 UPL)\n";
    else
        out += " downstream blanket: none\n";

    const checks::TClosedForm& f = c.Closed;
    if (f.Present)
        out += " closed form: Nf/Nd " + Num(f.ShapeFactor.Exact) + " exact, " +
               Num(f.ShapeFactor.Model) + " here (" + Num(f.ShapeFactor.DeviationPercent) +
               " %); exit gradient " + Num(f.ExitGradient.Exact) + " exact, " +
               Num(f.ExitGradient.Model) + " here (" + Num(f.ExitGradient.DeviationPercent) +
               " %): the 51-row grid reads 1 to 3 % high, more for walls reaching deep into the "
               "layer: grid error, not a fault\n";
    else
        out += " closed form: n/a (" + f.Reason + ")\n";
    return out;
}

std::string ChecksJson(const checks::TDesignChecks& c, const checks::TCheckSettings& s) {
    const checks::TExitGradient& e = c.Exit;
    const checks::TTerzaghiPrism& p = c.Prism;
    const checks::TEc7Hydraulic& h = c.Ec7;
    const checks::THeaveColumn& col = c.Column;
    const checks::TWallPressure& w = c.Wall;
    const checks::TBlanketUplift& u = c.Uplift;
    const checks::TClosedForm& f = c.Closed;

    std::vector<std::string> points;
    for (const checks::TWallPoint& pt : w.Points)
        points.push_back(JsonObject(
            {JsonMember("depth", JsonNumber(pt.Depth)), JsonMember("u_up", JsonNumber(pt.UUp)),
             JsonMember("u_down", JsonNumber(pt.UDown)), JsonMember("net", JsonNumber(pt.Net))}));
    auto pair = [](const checks::TClosedFormPair& x) {
        return JsonObject({JsonMember("exact", JsonNumber(x.Exact)),
                           JsonMember("model", JsonNumber(x.Model)),
                           JsonMember("deviation_percent", JsonNumber(x.DeviationPercent))});
    };
    const std::string uplift =
        u.Present ? JsonObject({JsonMember("length", JsonNumber(u.Length)),
                                JsonMember("force", JsonNumber(u.Force)),
                                JsonMember("mean_pressure", JsonNumber(u.MeanPressure)),
                                JsonMember("required_weight", JsonNumber(u.RequiredWeight))})
                  : "null";
    const std::string closed = f.Present
                                   ? JsonObject({JsonMember("shape_factor", pair(f.ShapeFactor)),
                                                 JsonMember("exit_gradient", pair(f.ExitGradient))})
                                   : "null";
    const std::string checks = JsonObject({
        JsonMember("grid_step", JsonNumber(c.GridStep)),
        JsonMember("wall_depth_grid", JsonNumber(c.GridWallDepth)),
        JsonMember("wall_depth_typed", JsonNumber(c.TypedWallDepth)),
        JsonMember("critical_gradient", JsonNumber(c.CriticalGradient)),
        JsonMember("governing", JsonString(GoverningSentence(c))),
        JsonMember("tailwater", JsonNumber(c.Tailwater)),
        JsonMember("tailwater_note", JsonString(TailwaterNote(s))),
        JsonMember("field_shape_factor", JsonNumber(c.FieldShapeFactor)),
        JsonMember("q_per_day", JsonNumber(c.DischargePerDay)),
        JsonMember(
            "exit_gradient",
            JsonObject({JsonMember("max", JsonNumber(e.Max)), JsonMember("at", JsonNumber(e.At)),
                        JsonMember("fs", JsonNumber(e.Fs)),
                        JsonMember("blanket_end", JsonBool(e.BlanketEnd)),
                        JsonMember("indicative", JsonBool(e.Indicative)), Reason(e.Reason)})),
        JsonMember(
            "terzaghi",
            JsonObject(
                {JsonMember("depth", JsonNumber(p.Depth)), JsonMember("width", JsonNumber(p.Width)),
                 JsonMember("mean_excess_head", JsonNumber(p.MeanExcessHead)),
                 JsonMember("fs", JsonNumber(p.Fs)), JsonMember("fs_min", JsonNumber(p.FsMin)),
                 JsonMember("width_min", JsonNumber(p.WidthMin)),
                 JsonMember("at_blanket_end", JsonBool(p.AtBlanketEnd)), Reason(p.Reason)})),
        JsonMember(
            "ec7_hyd",
            JsonObject({JsonMember("u", JsonNumber(h.U)), JsonMember("sigma", JsonNumber(h.Sigma)),
                        JsonMember("utilisation_a", JsonNumber(h.UtilisationA)),
                        JsonMember("S", JsonNumber(h.S)), JsonMember("G", JsonNumber(h.G)),
                        JsonMember("utilisation_b", JsonNumber(h.UtilisationB)),
                        Reason(h.Reason)})),
        JsonMember(
            "heave_column",
            JsonObject({JsonMember("max", JsonNumber(col.Max)),
                        JsonMember("at", JsonObject({JsonMember("x", JsonNumber(col.At)),
                                                     JsonMember("depth", JsonNumber(col.Depth))})),
                        JsonMember("fs", JsonNumber(col.Fs)),
                        JsonMember("any_depth_max", JsonNumber(col.ShallowMax)),
                        JsonMember("any_depth_fs", JsonNumber(col.ShallowFs)),
                        Reason(col.Reason)})),
        JsonMember("wall", JsonObject({JsonMember("net_force", JsonNumber(w.NetForce)),
                                       JsonMember("net_moment", JsonNumber(w.NetMoment)),
                                       JsonMember("creep_force", JsonNumber(w.CreepForce)),
                                       JsonMember("creep_moment", JsonNumber(w.CreepMoment)),
                                       JsonMember("creep_path", JsonNumber(w.CreepPath)),
                                       JsonMember("force_ratio", JsonNumber(w.ForceRatio)),
                                       JsonMember("moment_ratio", JsonNumber(w.MomentRatio)),
                                       JsonMember("points", JsonArray(points)), Reason(w.Reason)})),
        JsonMember("uplift", uplift),
        JsonMember("closed_form", closed),
    });
    return JsonMember("checks", checks);
}

std::string TrialText(const checks::TEmbedment& e, const checks::TEmbedmentTrial& t) {
    return RowsText(t.Rows) + " (" + Num(t.Depth) +
           " m): " + (checks::IsUtilisation(e.Criterion) ? "utilisation " : "FS ") + Num(t.Value) +
           (t.Passes ? " passes" : " fails");
}

std::string EmbedmentText(const checks::TEmbedment& e) {
    std::string out = std::string("Embedment for ") + checks::CriterionName(e.Criterion) + " (" +
                      RequiredText(e.Criterion, e.Target) + "): ";
    const std::string wall = RowsText(e.Rows) + " = " + Num(e.Depth) + " m";
    if (e.Cancelled)
        out += "cancelled";
    else if (e.Rows == 0)
        out += "none";
    else if (e.FailingRows == 0)
        out += "at most " + wall;
    else
        out += wall + " passes";
    if (e.FailingRows > 0)
        out += ", " + RowsText(e.FailingRows) + " = " + Num(e.FailingDepth) + " m fails";
    if (Available(e.Interpolated)) out += "; interpolated " + Num(e.Interpolated) + " m";
    if (!e.Note.empty()) out += " (" + e.Note + ")";
    out += "\n";
    for (const checks::TEmbedmentTrial& t : e.Trials) out += "  " + TrialText(e, t) + "\n";
    return out;
}

std::string EmbedmentJson(const checks::TEmbedment& e) {
    std::vector<std::string> trials;
    for (const checks::TEmbedmentTrial& t : e.Trials)
        trials.push_back(JsonObject(
            {JsonMember("rows", std::to_string(t.Rows)), JsonMember("depth", JsonNumber(t.Depth)),
             JsonMember("value", JsonNumber(t.Value)), JsonMember("passes", JsonBool(t.Passes))}));
    return JsonMember(
        "embedment",
        JsonObject({JsonMember("criterion", JsonString(checks::CriterionName(e.Criterion))),
                    JsonMember("target", JsonNumber(e.Target)),
                    JsonMember("rows", e.Rows ? std::to_string(e.Rows) : "null"),
                    JsonMember("depth", JsonNumber(e.Depth)),
                    JsonMember("failing_depth", JsonNumber(e.FailingDepth)),
                    JsonMember("interpolated", JsonNumber(e.Interpolated)),
                    JsonMember("trials", JsonArray(trials)),
                    JsonMember("cancelled", JsonBool(e.Cancelled)),
                    e.Note.empty() ? "" : JsonMember("note", JsonString(e.Note))}));
}

} // namespace verrask::report
