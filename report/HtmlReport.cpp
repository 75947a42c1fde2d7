// The HTML calculation sheet of a run (see HtmlReport.h).
#include "report/HtmlReport.h"

#include "control/NumberFormat.h"
#include "report/ChartContents.h"
#include "report/ChartSvg.h"
#include "report/FigureFormat.h"
#include "report/HtmlText.h"
#include "support/PngFile.h"

#include <vector>

namespace verrask::report {

namespace {

using checks::Available;

// Screen and A4 print styles; the page must not load anything from elsewhere.
constexpr const char* Style = R"(body{font-family:sans-serif;font-size:13px;color:#111;
max-width:860px;margin:16px auto;padding:0 12px}
h1{font-size:20px;margin:0 0 2px}h2{font-size:15px;margin:18px 0 6px;border-bottom:1px solid #999}
p.date{margin:0;color:#444}
table{border-collapse:collapse;margin:4px 0}td,th{border:1px solid #bbb;padding:2px 8px;
text-align:left;vertical-align:top}th{background:#eee}td.num{text-align:right}
td.pass{color:#0a6b1f;font-weight:bold}td.fail{color:#b00020;font-weight:bold}
.grid{display:flex;flex-wrap:wrap;gap:12px;align-items:flex-start}
img.net{max-width:100%;height:auto;image-rendering:pixelated;border:1px solid #999}
svg.chart{max-width:100%;height:auto;display:block}
ul.notes li{margin:2px 0}
@page{size:A4;margin:14mm}
@media print{body{margin:0;max-width:none;font-size:10pt}
section,figure,table,svg{break-inside:avoid}h2{break-after:avoid}
.grid>svg.chart{width:calc(50% - 6px)}})";

std::string Cell(const std::string& text, const std::string& cls = "", const std::string& id = "") {
    std::string out = "<td";
    if (!cls.empty()) out += " class=\"" + cls + "\"";
    if (!id.empty()) out += " id=\"" + id + "\"";
    return out + ">" + HtmlEscape(text) + "</td>";
}

std::string Row(const std::vector<std::string>& cells) {
    std::string out = "<tr>";
    for (const std::string& c : cells) out += c;
    return out + "</tr>\n";
}

std::string Head(const std::vector<std::string>& names) {
    std::string out = "<tr>";
    for (const std::string& n : names) out += "<th>" + HtmlEscape(n) + "</th>";
    return out + "</tr>\n";
}

// A checked figure against its requirement: FS >= target, or utilisation <= 1.
std::string CheckRow(const std::string& name, const std::string& detail, long double value,
                     long double target, bool utilisation, const std::string& id,
                     const std::string& reason) {
    const std::string required = utilisation ? "utilisation <= 1" : "FS >= " + FormatFigure(target);
    std::string verdict = "n/a", cls;
    if (Available(value)) {
        const bool passes = utilisation ? value <= 1 : value >= target;
        verdict = passes ? "passes" : "fails";
        cls = passes ? "pass" : "fail";
    }
    return Row({Cell(name), Cell(reason.empty() ? detail : detail + " (" + reason + ")"),
                Cell(FormatFigure(value), "num", id), Cell(required), Cell(verdict, cls)});
}

std::string Inputs(const TReportContent& r) {
    const TInputTexts& in = r.Inputs;
    const std::pair<const char*, const std::string*> rows[] = {
        {"Left Blanket Length L", &in.Edit6},
        {"Right Blanket Length R", &in.Edit7},
        {"Sheet pile wall Depth d", &in.Edit2},
        {"Stratum Depth D", &in.Edit1},
        {"Y'/Yw (soil saturated / water specific weight)", &in.Edit5},
        {"K (coefficient of permeability)", &in.Edit8},
        {"Up stream Head H1", &in.Edit3},
        {"Down stream Head H2", &in.Edit4}};
    std::string out = "<table id=\"inputs\">\n" + Head({"Input", "As typed"});
    for (const auto& [name, text] : rows) out += Row({Cell(name), Cell(*text, "num")});
    out += "</table>\n";

    const checks::TCheckSettings& s = r.Settings;
    out += "<table id=\"settings\">\n" + Head({"Check setting", "Value"});
    out += Row({Cell("unit weight of water \xCE\xB3w (kN/m\xC2\xB3)"),
                Cell(FormatFigure(s.GammaW), "num")});
    out += Row({Cell("tailwater depth t_w (m)"), Cell(FormatFigure(s.Tailwater), "num")});
    out += Row({Cell("EC7 HYD \xCE\xB3G;dst, \xCE\xB3G;stb"),
                Cell(FormatFigure(s.FactorDst) + ", " + FormatFigure(s.FactorStb), "num")});
    out += Row({Cell("EC7 UPL \xCE\xB3G;dst, \xCE\xB3G;stb"),
                Cell(FormatFigure(s.UpliftDst) + ", " + FormatFigure(s.UpliftStb), "num")});
    out += Row({Cell("target factor of safety"), Cell(FormatFigure(s.Target), "num")});
    if (r.Embedment)
        out += Row({Cell("embedment criterion"),
                    Cell(checks::CriterionName(r.Embedment->Criterion), "num")});
    return out + "</table>\n";
}

std::string Results(const checks::TDesignChecks& c, const sheetpile::TModel& m) {
    std::string out = "<table id=\"results\">\n" + Head({"Result", "Value"});
    out += Row({Cell("Shape factor Nf/Nd"),
                Cell(FormatGeneral(m.ShapeFactor, '.'), "num", "shape-factor")});
    out += Row({Cell("Nd (head drops)"), Cell(std::to_string(m.Nd), "num", "nd")});
    out += Row({Cell("Nf (flow channels)"), Cell(std::to_string(m.Nf), "num", "nf")});
    out += Row({Cell("q = H \xC3\x97 Nf/Nd \xC3\x97 K (input units)"),
                Cell(FormatGeneral(Discharge(m), '.'), "num", "q")});
    out += Row({Cell("q (m\xC2\xB3/day per metre of wall)"),
                Cell(FormatFigure(c.DischargePerDay), "num", "q-per-day")});
    return out + "</table>\n";
}

std::string Checks(const TReportContent& r) {
    const checks::TDesignChecks& c = r.Checks;
    const long double t = r.Settings.Target;
    std::string out = "<table id=\"checks\">\n" +
                      Head({"Check", "Figures", "FS / utilisation", "Required", "Result"});
    const checks::TExitGradient& e = c.Exit;
    out += CheckRow("Exit gradient",
                    "i_max = " + FormatFigure(e.Max) + " at " + FormatFigure(e.At) +
                        " m from the wall, i_c = " + FormatFigure(c.CriticalGradient),
                    e.Fs, t, false, "fs-exit", e.Reason);
    const checks::TTerzaghiPrism& p = c.Prism;
    out += CheckRow("Terzaghi prism",
                    FormatFigure(p.Depth) + " m deep, " + FormatFigure(p.Width) +
                        " m wide, h_a = " + FormatFigure(p.MeanExcessHead) + " m",
                    p.Fs, t, false, "fs-terzaghi", p.Reason);
    out += CheckRow("Critical prism", FormatFigure(p.WidthMin) + " m wide", p.FsMin, t, false,
                    "fs-critical-prism", p.Reason);
    const checks::TEc7Hydraulic& h = c.Ec7;
    out += CheckRow("EC7 HYD (2.9a)",
                    "u = " + FormatFigure(h.U) +
                        " kPa against \xCF\x83 = " + FormatFigure(h.Sigma) + " kPa (design values)",
                    h.UtilisationA, 1, true, "utilisation-a", h.Reason);
    out += CheckRow("EC7 HYD (2.9b)",
                    "S = " + FormatFigure(h.S) + " kN/m against G' = " + FormatFigure(h.G) +
                        " kN/m (design values)",
                    h.UtilisationB, 1, true, "utilisation-b", h.Reason);
    const checks::THeaveColumn& col = c.Column;
    out +=
        CheckRow("Heave column",
                 "mean upward gradient " + FormatFigure(col.Max) + " at " + FormatFigure(col.At) +
                     " m from the wall, " + FormatFigure(col.Depth) + " m deep",
                 col.Fs, t, false, "fs-column", col.Reason);
    out += "</table>\n<table id=\"wall\">\n" +
           Head({"Water on the wall", "Force (kN/m)", "Moment about the toe (kNm/m)"});
    const checks::TWallPressure& w = c.Wall;
    out += Row({Cell("net, from the flow net"), Cell(FormatFigure(w.NetForce), "num", "net-force"),
                Cell(FormatFigure(w.NetMoment), "num", "net-moment")});
    out += Row({Cell("linear \"creep\" diagram"), Cell(FormatFigure(w.CreepForce), "num"),
                Cell(FormatFigure(w.CreepMoment), "num")});
    out += Row({Cell("ratio"), Cell(FormatFigure(w.ForceRatio), "num"),
                Cell(FormatFigure(w.MomentRatio), "num")});
    out += "</table>\n";
    const checks::TBlanketUplift& u = c.Uplift;
    if (u.Present)
        out += "<p>Downstream blanket " + FormatFigure(u.Length) + " m: net uplift " +
               FormatFigure(u.Force) + " kN/m, mean " + FormatFigure(u.MeanPressure) +
               " kPa; it needs " + FormatFigure(u.RequiredWeight) +
               " kN/m\xC2\xB2 of weight (EC7 UPL).</p>\n";
    return out;
}

std::string EmbedmentSection(const checks::TEmbedment& e) {
    const bool util = checks::IsUtilisation(e.Criterion);
    std::string summary;
    if (e.Cancelled)
        summary = "The search was cancelled.";
    else if (e.Rows == 0)
        summary = "No wall depth up to 49 grid rows passes.";
    else
        summary = "Shallowest passing wall: " + std::to_string(e.Rows) +
                  " rows = " + FormatFigure(e.Depth) + " m.";
    if (e.FailingRows > 0)
        summary += " Deepest failing wall below it: " + std::to_string(e.FailingRows) +
                   " rows = " + FormatFigure(e.FailingDepth) + " m.";
    if (Available(e.Interpolated))
        summary += " Interpolated depth: " + FormatFigure(e.Interpolated) + " m.";
    if (!e.Note.empty()) summary += " (" + e.Note + ")";
    std::string out = "<section id=\"embedment\">\n<h2>Required embedment (" +
                      HtmlEscape(checks::CriterionName(e.Criterion)) + ", " +
                      HtmlEscape(util ? "utilisation <= 1" : "FS >= " + FormatFigure(e.Target)) +
                      ")</h2>\n<p>" + HtmlEscape(summary) + "</p>\n";
    out += "<div class=\"grid\">\n<table id=\"trials\">\n" +
           Head({"Rows", "Depth (m)", util ? "Utilisation" : "FS", "Result"});
    for (const checks::TEmbedmentTrial& t : e.Trials)
        out += Row({Cell(std::to_string(t.Rows), "num"), Cell(FormatFigure(t.Depth), "num"),
                    Cell(FormatFigure(t.Value), "num"),
                    Cell(t.Passes ? "passes" : "fails", t.Passes ? "pass" : "fail")});
    return out + "</table>\n" + ChartSvg(EmbedmentChart(e), "chart-embedment") +
           "</div>\n</section>\n";
}

std::string Notes(const TReportContent& r, const sheetpile::TModel& m) {
    const checks::TDesignChecks& c = r.Checks;
    std::vector<std::string> notes;
    notes.push_back("Grid step \xCE\x94 = D/50 = " + FormatFigure(c.GridStep) + " m; the wall is " +
                    std::to_string(m.PileRows) + " rows = " + FormatFigure(c.GridWallDepth) +
                    " m deep on the grid (" + FormatFigure(c.TypedWallDepth) + " m typed).");
    const checks::TClosedForm& f = c.Closed;
    if (f.Present)
        notes.push_back("Grid error against the closed form for a single wall: Nf/Nd " +
                        FormatFigure(f.ShapeFactor.Model) + " here against " +
                        FormatFigure(f.ShapeFactor.Exact) + " exact (" +
                        FormatFigure(f.ShapeFactor.DeviationPercent) +
                        " %), exit gradient at the wall " + FormatFigure(f.ExitGradient.Model) +
                        " against " + FormatFigure(f.ExitGradient.Exact) + " (" +
                        FormatFigure(f.ExitGradient.DeviationPercent) +
                        " %). The 51-row grid reads 1 to 3 % high: grid error, not a fault.");
    else
        notes.push_back("No closed form to compare with: " + f.Reason + ".");
    notes.push_back("The critical zone near the wall tip and at the blanket ends depends on the "
                    "grid: the true gradient is infinite there.");
    if (c.Exit.BlanketEnd)
        notes.push_back("The largest exit gradient is at the end of the downstream blanket: its "
                        "value depends on the grid.");
    notes.push_back("The model is two-dimensional, in a homogeneous and isotropic layer, in "
                    "steady flow. Piping by internal or backward erosion is not covered.");
    notes.push_back("The checks take lengths and heads in m and K in m/s; q per day is in "
                    "m\xC2\xB3/day per metre of wall only with those units.");
    std::string out = "<ul class=\"notes\">\n";
    for (const std::string& n : notes) out += "<li>" + HtmlEscape(n) + "</li>\n";
    return out + "</ul>\n";
}

std::string Overlays(const sheetpile::TModel& m) {
    std::string list;
    auto add = [&](bool on, const char* name) {
        if (!on) return;
        if (!list.empty()) list += ", ";
        list += name;
    };
    add(m.ShowCriticalZone, "critical zone");
    add(m.ShowPossibleHeave, "possible heave zone");
    add(m.ShowImminentHeave, "imminent heave zone");
    return list.empty() ? "none" : list;
}

} // namespace

std::string ReportHtml(const TReportContent& r, const sheetpile::TModel& m, std::string& error) {
    std::vector<unsigned char> png;
    error = EncodePng(m.ShownPicture, png);
    if (!error.empty()) return "";
    const std::string title = "Verrask - Flow Net Model: seepage under a sheet-pile wall";
    std::string out = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
    out += "<title>" + HtmlEscape(title) + "</title>\n<style>\n" + Style + "\n</style>\n";
    out += "</head>\n<body>\n<h1>" + HtmlEscape(title) + "</h1>\n";
    out += "<p class=\"date\" id=\"date\">" + HtmlEscape(r.Date) + "</p>\n";
    out += "<section>\n<h2>Inputs and check settings</h2>\n<div class=\"grid\">\n" + Inputs(r) +
           "</div>\n</section>\n";
    out += "<section>\n<h2>Results</h2>\n" + Results(r.Checks, m) + "</section>\n";
    out += "<section>\n<h2>Flow net</h2>\n<figure>\n<img class=\"net\" id=\"flow-net\" width=\"" +
           std::to_string(m.ShownPicture.Width()) + "\" height=\"" +
           std::to_string(m.ShownPicture.Height()) +
           "\" alt=\"Flow net\" src=\"data:image/png;base64," + Base64(png) +
           "\">\n<figcaption>Overlays shown: " + HtmlEscape(Overlays(m)) +
           "</figcaption>\n</figure>\n</section>\n";
    out += "<section>\n<h2>Design checks</h2>\n" + Checks(r) + "</section>\n";
    out += "<section>\n<h2>Diagrams</h2>\n<div class=\"grid\">\n";
    out += ChartSvg(WallPressureChart(m, r.Checks, r.Settings), "chart-wall");
    out += ChartSvg(ExitGradientChart(m, r.Checks), "chart-exit");
    out += "</div>\n</section>\n";
    if (r.Embedment) out += EmbedmentSection(*r.Embedment);
    out += "<section>\n<h2>Notes</h2>\n" + Notes(r, m) + "</section>\n</body>\n</html>\n";
    return out;
}

} // namespace verrask::report
