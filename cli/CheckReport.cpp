// Formats the design checks and the embedment search for the batch tool (see CheckReport.h).
// Figures that have no value print as "n/a" with the reason, and as null in JSON.
#include "cli/CheckReport.h"

#include "report/CheckLines.h"
#include "report/EmbedmentText.h"
#include "report/FigureFormat.h"

#include <cstdio>
#include <vector>

namespace verrask::cli {

namespace {

using checks::Available;

// Four significant digits for people, as the report has them.
std::string Num(long double v) {
    return report::FormatFigure(v);
}

// Ten significant digits for programs; null where there is no value (never inf or nan).
std::string JNum(long double v) {
    if (!Available(v)) return "null";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.10Lg", v);
    return buffer;
}

// The reasons are the module's own ASCII texts without quotes or backslashes.
std::string JStr(const std::string& s) {
    return "\"" + s + "\"";
}

std::string Member(const char* name, const std::string& value) {
    std::string out = "\"";
    out += name;
    out += "\":";
    out += value;
    return out;
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

// A member "reason" when there is one, else "" (which Object leaves out).
std::string Reason(const std::string& reason) {
    return reason.empty() ? "" : Member("reason", JStr(reason));
}

// Joins the non-empty items with commas between `open` and `close`.
std::string Join(const std::vector<std::string>& items, char open, char close) {
    std::string out(1, open);
    for (const std::string& item : items) {
        if (item.empty()) continue;
        if (out.size() > 1) out += ',';
        out += item;
    }
    out += close;
    return out;
}
std::string Object(const std::vector<std::string>& members) {
    return Join(members, '{', '}');
}
std::string Array(const std::vector<std::string>& items) {
    return Join(items, '[', ']');
}

} // namespace

std::string ChecksText(const checks::TDesignChecks& c, const checks::TCheckSettings& s) {
    std::string out = "Design checks: grid step " + Num(c.GridStep) + " m, wall " +
                      Num(c.GridWallDepth) + " m deep on the grid (" + Num(c.TypedWallDepth) +
                      " m typed), i_c = " + Num(c.CriticalGradient) +
                      ", gamma_w = " + Num(s.GammaW) + " kN/m3, tailwater " + Num(c.Tailwater) +
                      " m\n";
    out += " " + report::GoverningSentence(c) + "\n";
    out += "  " + report::TailwaterNote(s) + "\n";
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
        points.push_back(Object({Member("depth", JNum(pt.Depth)), Member("u_up", JNum(pt.UUp)),
                                 Member("u_down", JNum(pt.UDown)), Member("net", JNum(pt.Net))}));
    auto pair = [](const checks::TClosedFormPair& x) {
        return Object({Member("exact", JNum(x.Exact)), Member("model", JNum(x.Model)),
                       Member("deviation_percent", JNum(x.DeviationPercent))});
    };
    const std::string uplift =
        u.Present ? Object({Member("length", JNum(u.Length)), Member("force", JNum(u.Force)),
                            Member("mean_pressure", JNum(u.MeanPressure)),
                            Member("required_weight", JNum(u.RequiredWeight))})
                  : "null";
    const std::string closed = f.Present ? Object({Member("shape_factor", pair(f.ShapeFactor)),
                                                   Member("exit_gradient", pair(f.ExitGradient))})
                                         : "null";
    const std::string checks = Object({
        Member("grid_step", JNum(c.GridStep)),
        Member("wall_depth_grid", JNum(c.GridWallDepth)),
        Member("wall_depth_typed", JNum(c.TypedWallDepth)),
        Member("critical_gradient", JNum(c.CriticalGradient)),
        Member("governing", JStr(report::GoverningSentence(c))),
        Member("tailwater", JNum(c.Tailwater)),
        Member("tailwater_note", JStr(report::TailwaterNote(s))),
        Member("field_shape_factor", JNum(c.FieldShapeFactor)),
        Member("q_per_day", JNum(c.DischargePerDay)),
        Member(
            "exit_gradient",
            Object({Member("max", JNum(e.Max)), Member("at", JNum(e.At)), Member("fs", JNum(e.Fs)),
                    Member("blanket_end", e.BlanketEnd ? "true" : "false"),
                    Member("indicative", e.Indicative ? "true" : "false"), Reason(e.Reason)})),
        Member("terzaghi",
               Object({Member("depth", JNum(p.Depth)), Member("width", JNum(p.Width)),
                       Member("mean_excess_head", JNum(p.MeanExcessHead)), Member("fs", JNum(p.Fs)),
                       Member("fs_min", JNum(p.FsMin)), Member("width_min", JNum(p.WidthMin)),
                       Member("at_blanket_end", p.AtBlanketEnd ? "true" : "false"),
                       Reason(p.Reason)})),
        Member("ec7_hyd",
               Object({Member("u", JNum(h.U)), Member("sigma", JNum(h.Sigma)),
                       Member("utilisation_a", JNum(h.UtilisationA)), Member("S", JNum(h.S)),
                       Member("G", JNum(h.G)), Member("utilisation_b", JNum(h.UtilisationB)),
                       Reason(h.Reason)})),
        Member("heave_column",
               Object({Member("max", JNum(col.Max)),
                       Member("at", Object({Member("x", JNum(col.At)),
                                            Member("depth", JNum(col.Depth))})),
                       Member("fs", JNum(col.Fs)), Member("any_depth_max", JNum(col.ShallowMax)),
                       Member("any_depth_fs", JNum(col.ShallowFs)), Reason(col.Reason)})),
        Member("wall", Object({Member("net_force", JNum(w.NetForce)),
                               Member("net_moment", JNum(w.NetMoment)),
                               Member("creep_force", JNum(w.CreepForce)),
                               Member("creep_moment", JNum(w.CreepMoment)),
                               Member("creep_path", JNum(w.CreepPath)),
                               Member("force_ratio", JNum(w.ForceRatio)),
                               Member("moment_ratio", JNum(w.MomentRatio)),
                               Member("points", Array(points)), Reason(w.Reason)})),
        Member("uplift", uplift),
        Member("closed_form", closed),
    });
    return Member("checks", checks);
}

std::string TrialText(const checks::TEmbedment& e, const checks::TEmbedmentTrial& t) {
    return report::RowsText(t.Rows) + " (" + Num(t.Depth) +
           " m): " + (checks::IsUtilisation(e.Criterion) ? "utilisation " : "FS ") + Num(t.Value) +
           (t.Passes ? " passes" : " fails");
}

std::string EmbedmentText(const checks::TEmbedment& e) {
    std::string out = std::string("Embedment for ") + checks::CriterionName(e.Criterion) + " (" +
                      report::RequiredText(e.Criterion, e.Target) + "): ";
    const std::string wall = report::RowsText(e.Rows) + " = " + Num(e.Depth) + " m";
    if (e.Cancelled)
        out += "cancelled";
    else if (e.Rows == 0)
        out += "none";
    else if (e.FailingRows == 0)
        out += "at most " + wall;
    else
        out += wall + " passes";
    if (e.FailingRows > 0)
        out += ", " + report::RowsText(e.FailingRows) + " = " + Num(e.FailingDepth) + " m fails";
    if (Available(e.Interpolated)) out += "; interpolated " + Num(e.Interpolated) + " m";
    if (!e.Note.empty()) out += " (" + e.Note + ")";
    out += "\n";
    for (const checks::TEmbedmentTrial& t : e.Trials) out += "  " + TrialText(e, t) + "\n";
    return out;
}

std::string EmbedmentJson(const checks::TEmbedment& e) {
    std::vector<std::string> trials;
    for (const checks::TEmbedmentTrial& t : e.Trials)
        trials.push_back(Object({Member("rows", std::to_string(t.Rows)),
                                 Member("depth", JNum(t.Depth)), Member("value", JNum(t.Value)),
                                 Member("passes", t.Passes ? "true" : "false")}));
    return Member(
        "embedment",
        Object({Member("criterion", JStr(checks::CriterionName(e.Criterion))),
                Member("target", JNum(e.Target)),
                Member("rows", e.Rows ? std::to_string(e.Rows) : "null"),
                Member("depth", JNum(e.Depth)), Member("failing_depth", JNum(e.FailingDepth)),
                Member("interpolated", JNum(e.Interpolated)), Member("trials", Array(trials)),
                Member("cancelled", e.Cancelled ? "true" : "false"),
                e.Note.empty() ? "" : Member("note", JStr(e.Note))}));
}

} // namespace verrask::cli
