// The HTML calculation sheet of a run (see HtmlReport.h).
#include "report/HtmlReport.h"

#include "control/InputFields.h"
#include "control/NumberFormat.h"
#include "report/ChartContents.h"
#include "report/ChartSvg.h"
#include "report/CheckLines.h"
#include "report/EmbedmentText.h"
#include "report/FigureFormat.h"
#include "report/HtmlParts.h"
#include "report/HtmlText.h"
#include "support/PngFile.h"

#include <array>
#include <cmath>
#include <vector>

namespace verrask::report {

namespace {

using checks::Available;

std::string Inputs(const TReportContent& r) {
    std::string out = "<table id=\"inputs\">\n" + Head({"Input", "As typed", "Unit"});
    for (const TInputFieldDesign& d : InputFields)
        out += Row(
            {Cell(std::string(d.Label)), Cell(r.Inputs.*d.Text, "num"), Cell(std::string(d.Unit))});
    out += "</table>\n";

    const checks::TCheckSettings& s = r.Settings;
    out += "<table id=\"settings\">\n" + Head({"Check setting", "Value", "Unit"});
    for (const TSettingFieldDesign& d : SettingFields) {
        const bool fromH2 = d.Field == TSettingField::Tailwater && std::isnan(s.Tailwater);
        out += Row({Cell(d.Label),
                    Cell(fromH2 ? FormatFigure(r.Checks.Tailwater) + " (from H2)"
                                : FormatFigure(s.*d.Member),
                         "num"),
                    Cell(*d.Unit ? d.Unit : "-")});
    }
    if (r.Embedment)
        out += Row({Cell("embedment criterion"),
                    Cell(checks::CriterionName(r.Embedment->Criterion), "num"), Cell("")});
    return out + "</table>\n";
}

std::string Results(const checks::TDesignChecks& c, const section::TNodeResult& m) {
    std::string out = "<table id=\"results\">\n" + Head({"Result", "Value"});
    out += Row({Cell("Shape factor Nf/Nd of the run (rounded to 1/80, as the window shows it)"),
                Cell(FormatGeneral(m.ShapeFactor, '.'), "num", "shape-factor")});
    out += Row({Cell("Shape factor Nf/Nd of the field (unrounded, used by every design figure)"),
                Cell(FormatFigure(c.FieldShapeFactor), "num", "field-shape-factor")});
    out += Row({Cell("Nd (head drops)"), Cell(std::to_string(m.Nd), "num", "nd")});
    out += Row({Cell("Nf (flow channels)"), Cell(std::to_string(m.Nf), "num", "nf")});
    out += Row({Cell("q = H \xC3\x97 Nf/Nd \xC3\x97 K of the run (input units, rounded Nf/Nd)"),
                Cell(FormatGeneral(m.Q, '.'), "num", "q")});
    out += Row({Cell("q of the field (m\xC2\xB3/day per metre of wall)"),
                Cell(FormatFigure(c.DischargePerDay), "num", "q-per-day")});
    return out + "</table>\n";
}

// The element id of a check row's figure, for the figures other tools read back.
const char* CheckId(const TCheckLine& line) {
    const std::pair<const char*, const char*> ids[] = {
        {"Governing check", "governing-value"},  {"Exit gradient", "fs-exit"},
        {"Exit gradient FS", "fs-exit"},         {"Terzaghi prism", "fs-terzaghi"},
        {"Critical prism", "fs-critical-prism"}, {"EC7 HYD (2.9a)", "utilisation-a"},
        {"EC7 HYD (2.9b)", "utilisation-b"},     {"Heave column", "fs-column"}};
    for (const auto& [label, id] : ids)
        if (line.Label == label) return id;
    return "";
}

std::string Checks(const TReportContent& r) {
    const checks::TDesignChecks& c = r.Checks;
    std::string out = "<table id=\"checks\">\n" +
                      Head({"Check", "Figures", "Value", "Unit", "Required", "Result"});
    for (const TCheckLine& line : CheckLines(c, r.Settings)) {
        const std::string cls = line.Verdict == TVerdict::Passes  ? "pass"
                                : line.Verdict == TVerdict::Fails ? "fail"
                                                                  : "";
        const std::string verdict = line.Verdict != TVerdict::None ? VerdictText(line.Verdict)
                                    : line.Required.empty()        ? ""
                                                                   : "n/a";
        out += Row({Cell(line.Label), Cell(line.Detail), Cell(line.Value, "num", CheckId(line)),
                    Cell(line.Unit), Cell(line.Required), Cell(verdict, cls)});
    }
    out += "</table>\n<table id=\"wall\">\n" +
           Head({"Water on the wall", "Force (kN/m)", "Moment about the toe (kNm/m)"});
    const checks::TWallPressure& w = c.Wall;
    out += Row({Cell("net, from the flow net"), Cell(FormatFigure(w.NetForce), "num", "net-force"),
                Cell(FormatFigure(w.NetMoment), "num", "net-moment")});
    out += Row({Cell("Bligh's line of creep (creep path " + FormatFigure(w.CreepPath) + " m)"),
                Cell(FormatFigure(w.CreepForce), "num", "creep-force"),
                Cell(FormatFigure(w.CreepMoment), "num", "creep-moment")});
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
    std::string summary = e.Cancelled ? "The search was cancelled." : EmbedmentSummary(e);
    if (e.FailingRows > 0)
        summary += " Deepest failing wall below it: " + RowsText(e.FailingRows) + " = " +
                   FormatFigure(e.FailingDepth) + " m.";
    std::string out = "<section id=\"embedment\">\n<h2>Required embedment (" +
                      HtmlEscape(checks::CriterionName(e.Criterion)) + ", " +
                      HtmlEscape(RequiredText(e.Criterion, e.Target)) + ")</h2>\n<p>" +
                      HtmlEscape(summary) + "</p>\n";
    out += "<div class=\"grid\">\n<table id=\"trials\">\n" +
           Head({"Rows", "Depth (m)", util ? "Utilisation" : "FS", "Result"});
    for (const checks::TEmbedmentTrial& t : e.Trials)
        out += Row({Cell(std::to_string(t.Rows), "num"), Cell(FormatFigure(t.Depth), "num"),
                    Cell(FormatFigure(t.Value), "num"),
                    Cell(t.Passes ? "passes" : "fails", t.Passes ? "pass" : "fail")});
    return out + "</table>\n" + ChartSvg(EmbedmentChart(e), "chart-embedment") +
           "</div>\n</section>\n";
}

std::string Notes(const TReportContent& r, const section::TNodeResult& m) {
    const checks::TDesignChecks& c = r.Checks;
    std::vector<std::string> notes;
    notes.push_back("Grid step \xCE\x94 = D/50 = " + FormatFigure(c.GridStep) + " m; the wall is " +
                    std::to_string(m.PileRows) + " rows = " + FormatFigure(c.GridWallDepth) +
                    " m deep on the grid (" + FormatFigure(c.TypedWallDepth) + " m typed).");
    const checks::TClosedForm& f = c.Closed;
    if (f.Present)
        notes.push_back(
            "Grid error against the closed form for a single wall: Nf/Nd " +
            FormatFigure(f.ShapeFactor.Model) + " here against " +
            FormatFigure(f.ShapeFactor.Exact) + " exact (" +
            FormatFigure(f.ShapeFactor.DeviationPercent) + " %), exit gradient at the wall " +
            FormatFigure(f.ExitGradient.Model) + " against " + FormatFigure(f.ExitGradient.Exact) +
            " (" + FormatFigure(f.ExitGradient.DeviationPercent) +
            " %). The 51-row grid reads 1 to 3 % high, more for walls reaching deep into the "
            "layer: grid error, not a fault.");
    else
        notes.push_back("No closed form to compare with: " + f.Reason + ".");
    notes.push_back("Tailwater: " + TailwaterNote(r.Settings) + ".");
    notes.push_back("Discharge: the run's shape factor is rounded to a multiple of 1/80 (" +
                    FormatGeneral(m.ShapeFactor, '.') +
                    "), as the window shows it; q per day and "
                    "every design figure use the field's own, unrounded Nf/Nd = (inflow + "
                    "outflow) / 2 = " +
                    FormatFigure(c.FieldShapeFactor) + ".");
    notes.push_back("Water on the wall: Bligh's line of creep lets the head fall linearly along "
                    "the creep path, upstream blanket + both faces of the wall + downstream "
                    "blanket (L_c = " +
                    FormatFigure(c.Wall.CreepPath) +
                    " m): net pressure "
                    "2 \xCE\xB3w H (d - z) / L_c, resultant \xCE\xB3w H d\xC2\xB2 / L_c, moment "
                    "about the toe 2 \xCE\xB3w H d\xC2\xB3 / (3 L_c).");
    notes.push_back("Verdicts are given only for averages over at least the wall depth: "
                    "Terzaghi's prism d \xC3\x97 d/2, EC7 HYD on it, the heave column over depths "
                    "of the wall depth or more, and the exit gradient at an open wall face. The "
                    "exit gradient at a blanket end, the critical (narrowest) prism and heave "
                    "columns of any depth are point values that depend on the grid: shown as "
                    "indicative (grid-dependent), without pass or fail.");
    if (c.Prism.AtBlanketEnd)
        notes.push_back("Downstream blanket: it is taken as impervious, so the water leaves the "
                        "soil at its downstream end; Terzaghi's prism of the same size, and EC7 "
                        "HYD on it, stand there (Terzaghi's prism where the flow exits; EN 1997-1 "
                        "2.4.7.5), the heave columns are taken on open ground only, the "
                        "blanket's weight is not counted, and the blanket itself is checked by "
                        "EC7 UPL (EN 1997-1 2.4.7.4).");
    notes.push_back("EC7 HYD 2.9a factors the whole pore pressure at the prism's base, "
                    "hydrostatic part included, as the standard's text has it (EN 1997-1 "
                    "2.4.7.5); it is far more onerous than 2.9b and can ask for much more "
                    "embedment (for Das's problem 8.1 about twice the embedment 2.9b needs).");
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

// The overlays shown on the picture; one that is empty says so, as the checks window does.
std::string Overlays(const section::TNodeResult& m) {
    const std::array<TZoneNote, 3> zones = ZoneNotes(&m);
    const bool shown[] = {m.ShowCriticalZone, m.ShowPossibleHeave, m.ShowImminentHeave};
    std::string list;
    for (std::size_t i = 0; i < zones.size(); ++i) {
        if (!shown[i]) continue;
        if (!list.empty()) list += ", ";
        list += zones[i].Name;
        if (zones[i].Empty) list += " (" + zones[i].Text + ")";
    }
    return list.empty() ? "none" : list;
}

} // namespace

std::string ReportHtml(const TReportContent& r, const section::TNodeResult& m, std::string& error) {
    std::vector<unsigned char> png;
    error = EncodePng(m.Picture.Width, m.Picture.Height, m.Picture.Rgb.data(), png);
    if (!error.empty()) return "";
    const std::string title = "Verrask - Flow Net Model: seepage under a sheet-pile wall";
    std::string out = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
    out += "<title>" + HtmlEscape(title) + "</title>\n<style>\n" + PageStyle + "\n</style>\n";
    out += "</head>\n<body>\n<h1>" + HtmlEscape(title) + "</h1>\n";
    out += "<p class=\"date\" id=\"date\">" + HtmlEscape(r.Date) + "</p>\n";
    out += "<p class=\"governing\" id=\"governing\">" + HtmlEscape(GoverningSentence(r.Checks)) +
           ".</p>\n";
    out += "<section>\n<h2>Project</h2>\n" + InfoTable(r.Info) + "</section>\n";
    out += "<section>\n<h2>Inputs and check settings</h2>\n<div class=\"grid\">\n" + Inputs(r) +
           "</div>\n</section>\n";
    out += "<section>\n<h2>Results</h2>\n" + Results(r.Checks, m) + "</section>\n";
    out += "<section>\n<h2>Flow net</h2>\n<figure>\n<img class=\"net\" id=\"flow-net\" width=\"" +
           std::to_string(m.Picture.Width) + "\" height=\"" + std::to_string(m.Picture.Height) +
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
