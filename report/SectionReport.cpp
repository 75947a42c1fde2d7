// The HTML calculation sheet of a section (see SectionReport.h).
#include "report/SectionReport.h"

#include "report/CheckLines.h"
#include "report/FigureFormat.h"
#include "report/HtmlParts.h"
#include "report/HtmlText.h"
#include "report/SectionSvg.h"
#include "report/SectionText.h"

#include <cmath>

namespace verrask::report {

namespace {

using checks::TCriterion;

std::string Figure(double v) {
    return FormatFigure(static_cast<long double>(v));
}

std::string PlusMinus(double value, double error) {
    if (std::isnan(value)) return "n/a";
    return Figure(value) + (std::isfinite(error) ? " \xC2\xB1 " + Figure(error) : "");
}

std::string LayerName(const section::TSection& s, std::size_t l) {
    return s.Layers[l].Name.empty() ? "layer " + std::to_string(l + 1) : s.Layers[l].Name;
}

std::string SectionTables(const section::TSectionResult& r, double gw) {
    const section::TSection& s = r.Section;
    std::string out = "<table id=\"layers\">\n" +
                      Head({"Layer", "Bottom (m)", "kx (m/s)", "kz (m/s)",
                            "\xCE\xB3sat (kN/m\xC2\xB3)", "i_c = \xCE\xB3'/\xCE\xB3w"});
    for (std::size_t l = 0; l < s.Layers.size(); ++l) {
        const section::TLayer& layer = s.Layers[l];
        out += "<tr><td style=\"background:" + std::string(LayerColour(l)) + "\">" +
               HtmlEscape(LayerName(s, l)) + "</td>" + Cell(Figure(layer.Bottom), "num") +
               Cell(Figure(layer.Kx), "num") + Cell(Figure(layer.Kz), "num") +
               Cell(Figure(layer.GammaSat), "num") +
               Cell(Figure((layer.GammaSat - gw) / gw), "num") + "</tr>\n";
    }
    out += "</table>\n<table id=\"walls\">\n" + Head({"Wall", "x (m)", "Toe (m)"});
    for (std::size_t w = 0; w < s.Walls.size(); ++w)
        out += Row({Cell(std::to_string(w + 1)), Cell(Figure(s.Walls[w].X), "num"),
                    Cell(Figure(s.Walls[w].Toe), "num")});
    out += "</table>\n<table id=\"surface\">\n" +
           Head({"Stretch", "Ground (m)", "Water (m)", "Covered",
                 "Flux into the soil (m\xC2\xB3/s per m)"});
    for (std::size_t k = 0; k < s.Surface.size(); ++k) {
        const section::TStretch& st = s.Surface[k];
        std::string covers = st.CoveredAll ? "all" : "";
        for (const section::TCover& c : st.Covers)
            covers += (covers.empty() ? "" : ", ") + Figure(c.X1) + " to " + Figure(c.X2);
        out += Row({Cell(std::to_string(k + 1)), Cell(Figure(st.Ground), "num"),
                    Cell(Figure(st.Water), "num"), Cell(covers.empty() ? "-" : covers),
                    Cell(Figure(r.StretchFlux[k]), "num")});
    }
    return out + "</table>\n";
}

std::string Settings(const checks::TCheckSettings& s) {
    std::string out = "<table id=\"settings\">\n" + Head({"Check setting", "Value", "Unit"});
    for (const TSettingFieldDesign& d : SettingFields)
        if (d.Field != TSettingField::Tailwater)
            out += Row({Cell(d.Label), Cell(FormatFigure(s.*d.Member), "num"),
                        Cell(*d.Unit ? d.Unit : "-")});
    return out + "</table>\n";
}

std::string Results(const section::TSectionResult& r) {
    std::string out = "<table id=\"results\">\n" + Head({"Result", "Value"});
    out += Row({Cell("q, the estimate (m\xC2\xB3/s per metre)"), Cell(Figure(r.Q), "num", "q")});
    if (r.Bracketed)
        out += Row({Cell("certain bracket [finite volumes, vertex elements]"),
                    Cell("[" + Figure(r.QLow) + ", " + Figure(r.QHigh) + "]", "num", "bracket")});
    out += Row({Cell(r.Bracketed ? "estimated error of q (half the bracket)"
                                 : "estimated error of q (three nested grids; no certain "
                                   "bracket with water at more than two levels)"),
                Cell(std::isnan(SectionError(r)) ? "n/a" : Figure(100 * SectionError(r)) + " %",
                     "num", "q-error")});
    out += Row({Cell("q per day (m\xC2\xB3/day per metre)"),
                Cell(Figure(r.Q * 86400), "num", "q-per-day")});
    out += Row({Cell("observed order of q"),
                Cell(std::isnan(r.QOrder) ? "n/a" : FormatFixed(r.QOrder, 2), "num")});
    out +=
        Row({Cell("mass balance (inflow - outflow) / inflow"), Cell(Figure(r.MassBalance), "num")});
    out += Row({Cell("unknowns of the final grid; extent"),
                Cell(std::to_string(r.Unknowns) + "; x " + Figure(r.X.front()) + " to " +
                         Figure(r.X.back()) + " m",
                     "num")});
    return out + "</table>\n";
}

// One check row: the figure, what is required and the verdict (none without a figure).
std::string CheckRow(const std::string& check, const std::string& where, const std::string& value,
                     double figure, TCriterion criterion, const checks::TCheckSettings& s,
                     bool verdict = true) {
    const long double target = checks::CriterionTarget(s, criterion);
    std::string result = "n/a", cls;
    if (!verdict) {
        result = "indicative";
    } else if (std::isfinite(figure)) {
        const bool passes = checks::SectionPasses(figure, criterion, target);
        result = passes ? "passes" : "fails";
        cls = passes ? "pass" : "fail";
    }
    return Row({Cell(check), Cell(where), Cell(value, "num"),
                Cell(verdict ? RequiredText(criterion, target) : ""), Cell(result, cls)});
}

std::string Checks(const TSectionReportContent& c) {
    const section::TSection& s = c.Result->Section;
    const checks::TCheckSettings& set = c.Settings;
    std::string out = "<table id=\"checks\">\n" +
                      Head({"Check", "Where, and what it rests on", "Value", "Required", "Result"});
    for (std::size_t w = 0; w < c.Checks.Walls.size(); ++w) {
        const checks::TSectionWallCheck& k = c.Checks.Walls[w];
        const std::string wall = "Wall " + std::to_string(w + 1) + ": ";
        if (!k.Outflow) continue;
        out += CheckRow(wall + "exit gradient FS",
                        "i = " + PlusMinus(k.Exit, k.ExitError) + " at x " + Figure(k.ExitX) +
                            " m, i_c " + Figure(k.ExitCritical) +
                            (k.ExitIndicative ? "; next to a cover end, where it grows without "
                                                "bound as the grid is refined"
                                              : "; FS from i + error"),
                        Figure(k.ExitFs), k.ExitFs, TCriterion::Exit, set, !k.ExitIndicative);
        out += CheckRow(wall + "Terzaghi prism FS",
                        Figure(k.PrismDepth) + " m deep, " + Figure(k.PrismWidth) +
                            " m wide; h_a = " + PlusMinus(k.PrismHead, k.PrismHeadError) +
                            " m, \xCE\xB3' " + Figure(k.GammaSubmerged) +
                            " kN/m\xC2\xB3; FS from h_a + error",
                        Figure(k.PrismFs), k.PrismFs, TCriterion::Terzaghi, set);
        const auto a = static_cast<double>(k.PrismEc7.UtilisationA);
        const auto b = static_cast<double>(k.PrismEc7.UtilisationB);
        out += CheckRow(wall + "EC7 HYD (2.9a) on the prism", "total stresses at its base",
                        Figure(a), a, TCriterion::Ec7a, set);
        out += CheckRow(wall + "EC7 HYD (2.9b) on the prism", "seepage force against weight",
                        Figure(b), b, TCriterion::Ec7b, set);
    }
    const checks::TSectionColumns& col = c.Checks.Columns;
    auto where = [&](const checks::TColumnFigure& f) {
        return "x " + Figure(f.X) + " m, foot " + Figure(f.Z) + " m in " + LayerName(s, f.Layer);
    };
    if (std::isfinite(col.Ec7a.Value)) {
        out += CheckRow("EC7 HYD (2.9a), every column", where(col.Ec7a), Figure(col.Ec7a.Value),
                        col.Ec7a.Value, TCriterion::Ec7a, set);
        out += CheckRow("EC7 HYD (2.9b), every column", where(col.Ec7b), Figure(col.Ec7b.Value),
                        col.Ec7b.Value, TCriterion::Ec7b, set);
        out += CheckRow("Heave column FS", where(col.Heave), Figure(col.Heave.Value),
                        col.Heave.Value, TCriterion::Column, set);
        out += CheckRow("Heave column FS, any depth", where(col.ShallowHeave),
                        Figure(col.ShallowHeave.Value), col.ShallowHeave.Value, TCriterion::Column,
                        set, false);
    }
    out += "</table>\n";
    if (!col.Uplift.empty()) {
        out += "<table id=\"uplift\">\n" +
               Head({"EC7 UPL", "Where", "u (kPa)", "Overburden (kPa)", "Utilisation", "Result"});
        for (const checks::TLayerUplift& up : col.Uplift) {
            const bool passes = up.Utilisation <= 1;
            out += Row({Cell("base of " + LayerName(s, up.Layer)),
                        Cell("x " + Figure(up.X) + " m, z " + Figure(up.Z) + " m"),
                        Cell(Figure(up.U), "num"), Cell(Figure(up.Sigma), "num"),
                        Cell(Figure(up.Utilisation), "num"),
                        Cell(passes ? "passes" : "fails", passes ? "pass" : "fail")});
        }
        out += "</table>\n";
    }
    out += "<table id=\"wall-water\">\n" +
           Head({"Water on the wall", "Net force (kN/m, + to the right)",
                 "Moment about the toe (kNm/m)"});
    for (std::size_t w = 0; w < c.Checks.Walls.size(); ++w)
        out += Row({Cell("wall " + std::to_string(w + 1)),
                    Cell(Figure(c.Checks.Walls[w].NetForce), "num"),
                    Cell(Figure(c.Checks.Walls[w].NetMoment), "num")});
    return out + "</table>\n";
}

std::string Embedment(const checks::TSectionEmbedment& e) {
    std::string summary =
        std::isnan(e.Toe) ? "No toe found." : "Highest passing toe: " + Figure(e.Toe) + " m.";
    if (std::isfinite(e.FailingToe)) summary += " A toe at " + Figure(e.FailingToe) + " m fails.";
    if (!e.Note.empty()) summary += " (" + e.Note + ")";
    std::string out =
        "<section id=\"embedment\">\n<h2>Required toe (" + HtmlEscape(CriterionLabel(e.Criterion)) +
        ", " + HtmlEscape(RequiredText(e.Criterion, e.Target)) + ")</h2>\n<p>" +
        HtmlEscape(summary) + "</p>\n<table id=\"trials\">\n" +
        Head({"Toe (m)", checks::IsUtilisation(e.Criterion) ? "Utilisation" : "FS", "Result"});
    for (const checks::TToeTrial& t : e.Trials)
        out += Row({Cell(Figure(t.Toe), "num"), Cell(Figure(t.Value), "num"),
                    Cell(t.Passes ? "passes" : "fails", t.Passes ? "pass" : "fail")});
    return out + "</table>\n</section>\n";
}

std::string Notes() {
    const char* notes[] = {
        "Method: cell-centred finite volumes on a rectilinear grid graded toward the wall toes and "
        "cover ends, every layer boundary, toe, ground step and cover end on a grid line. The "
        "same grid solved with conforming vertex elements gives an upper bound of q, the finite "
        "volumes a lower one: with the water at two levels the exact q lies between them.",
        "Point values (exit gradient, the prism's mean excess head) come from three nested grids "
        "(ratio 2): extrapolated with the observed order where it agrees with the theory, with "
        "the grid convergence index as the error; otherwise the finest value with a "
        "conservative error. Every factor of safety uses the figure at the unfavourable end of "
        "its error. Point values next to a cover end grow without bound as the grid is refined: "
        "indicative, no verdict.",
        "Soil columns: EC7 HYD and the heave column on every column of open outflow ground, with "
        "verdicts for feet at least as deep as the nearer wall's toe; the layers' own unit "
        "weights and the water over the ground are counted. EC7 UPL is checked at the base of "
        "every layer less pervious than the layer below it. The weight of covers is not known "
        "and not counted.",
        "EC7 HYD 2.9a factors the whole pore pressure, hydrostatic part included, as the "
        "standard's text has it (EN 1997-1 2.4.7.5); it is far more onerous than 2.9b.",
        "Water on the wall: pore pressures on both faces from the heads beside them, hydrostatic "
        "in open water; the net pressure's resultant and its moment about the toe.",
        "The model is two-dimensional and steady, in saturated soil confined at the ground "
        "(water at or above it), with aligned anisotropy in each layer. Piping by internal or "
        "backward erosion is not covered."};
    std::string out = "<ul class=\"notes\">\n";
    for (const char* n : notes) out += "<li>" + HtmlEscape(n) + "</li>\n";
    return out + "</ul>\n";
}

} // namespace

std::string SectionReportHtml(const TSectionReportContent& c) {
    const section::TSectionResult& r = *c.Result;
    const std::string title = "Verrask - Flow Net Model: seepage through a section";
    std::string out = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
    out += "<title>" + HtmlEscape(title) + "</title>\n<style>\n" + PageStyle + "\n</style>\n";
    out += "</head>\n<body>\n<h1>" + HtmlEscape(title) + "</h1>\n";
    out += "<p class=\"date\" id=\"date\">" + HtmlEscape(c.Date) + "</p>\n";
    out += "<p class=\"governing\" id=\"governing\">" +
           HtmlEscape(GoverningSentence(c.Checks.Governing)) + ".</p>\n";
    out += "<section>\n<h2>Project</h2>\n" + InfoTable(c.Info) + "</section>\n";
    out += "<section>\n<h2>The section</h2>\n" + SectionSvg(r.Section, "section-drawing") +
           "<div class=\"grid\">\n" + SectionTables(r, static_cast<double>(c.Settings.GammaW)) +
           "</div>\n</section>\n";
    out += "<section>\n<h2>Check settings</h2>\n" + Settings(c.Settings) + "</section>\n";
    out += "<section>\n<h2>Results</h2>\n" + Results(r) + "</section>\n";
    if (!c.FlowNetPng.empty())
        out += "<section>\n<h2>Flow net</h2>\n<figure>\n<img class=\"net\" id=\"flow-net\" "
               "width=\"" +
               std::to_string(c.PictureWidth) + "\" height=\"" + std::to_string(c.PictureHeight) +
               "\" alt=\"Flow net\" src=\"data:image/png;base64," + Base64(c.FlowNetPng) +
               "\">\n</figure>\n</section>\n";
    out += "<section>\n<h2>Design checks</h2>\n" + Checks(c) + "</section>\n";
    if (c.Embedment) out += Embedment(*c.Embedment);
    out += "<section>\n<h2>Notes</h2>\n" + Notes() + "</section>\n</body>\n</html>\n";
    return out;
}

} // namespace verrask::report
