// The design checks as rows (see CheckLines.h).
#include "report/CheckLines.h"

#include "report/FigureFormat.h"
#include "sheetpile/ZoneColours.h"

#include <cmath>
#include <limits>

namespace verrask::report {

namespace {

using checks::Available;
using checks::TCriterion;

constexpr const char* IndicativeText = "indicative (grid-dependent)";

std::string WithReason(const std::string& detail, const std::string& reason) {
    return reason.empty() ? detail : detail + " (" + reason + ")";
}

bool Passes(long double value, TCriterion criterion, long double target) {
    return checks::IsUtilisation(criterion) ? value <= target : value >= target;
}

// A criterion's figure against its target from the settings.
TCheckLine Checked(TCriterion criterion, const std::string& detail, long double value,
                   const checks::TCheckSettings& s, const std::string& reason) {
    const long double target = checks::CriterionTarget(s, criterion);
    TCheckLine line{CriterionLabel(criterion), WithReason(detail, reason), FormatFigure(value), "",
                    RequiredText(criterion, target)};
    if (Available(value))
        line.Verdict = Passes(value, criterion, target) ? TVerdict::Passes : TVerdict::Fails;
    return line;
}

// A point value that depends on the grid: shown, never judged.
TCheckLine Indicative(const std::string& label, const std::string& detail, long double value,
                      const std::string& reason) {
    return {label, WithReason(std::string(IndicativeText) + ": " + detail, reason),
            FormatFigure(value), "", ""};
}

TCheckLine Figure(const char* label, const std::string& detail, long double value,
                  const char* unit) {
    return {label, detail, FormatFigure(value), unit, ""};
}

std::string GoverningLineDetail(const checks::TDesignChecks& c) {
    const checks::TGoverning& g = c.Governing;
    if (!g.Present) return "no check carries a verdict for this run";
    return CriterionLabel(g.Criterion) + std::string(", the smallest margin (") +
           (checks::IsUtilisation(g.Criterion) ? "target / utilisation" : "FS / target") + " = " +
           FormatFigure(g.Margin) + ")";
}

} // namespace

const char* CriterionLabel(TCriterion criterion) {
    switch (criterion) {
    case TCriterion::Terzaghi:
        return "Terzaghi prism";
    case TCriterion::Ec7a:
        return "EC7 HYD (2.9a)";
    case TCriterion::Ec7b:
        return "EC7 HYD (2.9b)";
    case TCriterion::Exit:
        return "Exit gradient";
    case TCriterion::Column:
        return "Heave column";
    }
    return "";
}

std::string RequiredText(TCriterion criterion, long double target) {
    return (checks::IsUtilisation(criterion) ? "utilisation <= " : "FS >= ") + FormatFigure(target);
}

std::string GoverningSentence(const checks::TDesignChecks& c) {
    return GoverningSentence(c.Governing);
}

std::string GoverningSentence(const checks::TGoverning& g) {
    if (!g.Present) return "No check carries a verdict for this run";
    const bool util = checks::IsUtilisation(g.Criterion);
    return std::string("Governing check: ") + CriterionLabel(g.Criterion) + ", " +
           (util ? "utilisation " : "FS ") + FormatFigure(g.Value) + " (" +
           RequiredText(g.Criterion, g.Target) +
           "): " + (Passes(g.Value, g.Criterion, g.Target) ? "passes" : "fails");
}

std::string TailwaterNote(const checks::TCheckSettings& s) {
    const long double h2 = s.DownstreamHead;
    if (std::isfinite(s.Tailwater))
        return "tailwater depth " + FormatFigure(s.Tailwater) + " m set by the user" +
               (std::isfinite(h2) ? " (H2 = " + FormatFigure(h2) + " m)" : "");
    if (!std::isfinite(h2)) return "tailwater depth 0 m (H2 unknown)";
    if (h2 < 0)
        return "H2 = " + FormatFigure(h2) +
               " m puts the water table below the downstream ground, which the model does not "
               "represent: tailwater depth 0 m used";
    return "tailwater depth " + FormatFigure(h2) +
           " m = H2, the heads being water depths over the ground surfaces";
}

std::vector<TCheckLine> CheckLines(const checks::TDesignChecks& c,
                                   const checks::TCheckSettings& s) {
    std::vector<TCheckLine> lines;
    const checks::TGoverning& g = c.Governing;
    TCheckLine governing{"Governing check", GoverningLineDetail(c), FormatFigure(g.Value), "",
                         g.Present ? RequiredText(g.Criterion, g.Target) : ""};
    if (g.Present)
        governing.Verdict =
            Passes(g.Value, g.Criterion, g.Target) ? TVerdict::Passes : TVerdict::Fails;
    lines.push_back(governing);
    lines.push_back(
        Figure("Discharge q",
               "per metre of wall, from the field's Nf/Nd = " + FormatFigure(c.FieldShapeFactor) +
                   " (the run shows " + FormatFigure(c.RoundedShapeFactor) + ", rounded to 1/80)",
               c.DischargePerDay, "m\xC2\xB3/day"));
    lines.push_back(Figure("Wall depth on the grid",
                           "typed " + FormatFigure(c.TypedWallDepth) + " m, grid step " +
                               FormatFigure(c.GridStep) + " m",
                           c.GridWallDepth, "m"));
    lines.push_back(Figure("Tailwater depth", TailwaterNote(s), c.Tailwater, "m"));
    const checks::TExitGradient& e = c.Exit;
    const std::string exit = "i_max = " + FormatFigure(e.Max) + " at " + FormatFigure(e.At) +
                             " m from the wall, i_c = " + FormatFigure(c.CriticalGradient);
    if (e.Indicative)
        lines.push_back(Indicative("Exit gradient FS",
                                   exit + (e.BlanketEnd ? ", at the blanket's end" : "") +
                                       "; no verdict away from an open wall face",
                                   e.Fs, e.Reason));
    else
        lines.push_back(Checked(TCriterion::Exit, exit + ", at the wall face", e.Fs, s, e.Reason));
    const checks::TTerzaghiPrism& p = c.Prism;
    lines.push_back(
        Checked(TCriterion::Terzaghi,
                FormatFigure(p.Depth) + " m deep, " + FormatFigure(p.Width) +
                    " m wide, h_a = " + FormatFigure(p.MeanExcessHead) + " m" +
                    (p.AtBlanketEnd ? ", at the downstream blanket's end " + FormatFigure(p.At) +
                                          " m from the wall, where the water leaves "
                                          "the soil"
                                    : ""),
                p.Fs, s, p.Reason));
    lines.push_back(
        Indicative("Critical prism", FormatFigure(p.WidthMin) + " m wide", p.FsMin, p.Reason));
    const checks::TEc7Hydraulic& h = c.Ec7;
    lines.push_back(Checked(TCriterion::Ec7a,
                            "u = " + FormatFigure(h.U) +
                                " kPa against \xCF\x83 = " + FormatFigure(h.Sigma) +
                                " kPa (design values); factors the whole pore pressure, as the "
                                "standard's text has it, so it can ask for far more embedment "
                                "than 2.9b",
                            h.UtilisationA, s, h.Reason));
    lines.push_back(Checked(TCriterion::Ec7b,
                            "S = " + FormatFigure(h.S) + " kN/m against G' = " + FormatFigure(h.G) +
                                " kN/m (design values)",
                            h.UtilisationB, s, h.Reason));
    const checks::THeaveColumn& col = c.Column;
    lines.push_back(Checked(TCriterion::Column,
                            "mean upward gradient " + FormatFigure(col.Max) + " at " +
                                FormatFigure(col.At) + " m from the wall, " +
                                FormatFigure(col.Depth) +
                                " m deep (open ground, depths of the "
                                "wall depth or more)",
                            col.Fs, s, col.Reason));
    lines.push_back(Indicative("Heave column, any depth",
                               "mean upward gradient " + FormatFigure(col.ShallowMax) + " at " +
                                   FormatFigure(col.ShallowAt) + " m from the wall, " +
                                   FormatFigure(col.ShallowDepth) + " m deep",
                               col.ShallowFs, ""));
    const checks::TWallPressure& w = c.Wall;
    lines.push_back(Figure("Net water force on the wall",
                           WithReason("Bligh's line of creep " + FormatFigure(w.CreepForce) +
                                          " kN/m (creep path " + FormatFigure(w.CreepPath) + " m)",
                                      w.Reason),
                           w.NetForce, "kN/m"));
    lines.push_back(Figure("Its moment about the toe",
                           "Bligh's line of creep " + FormatFigure(w.CreepMoment) + " kNm/m",
                           w.NetMoment, "kNm/m"));
    const checks::TBlanketUplift& u = c.Uplift;
    if (u.Present)
        lines.push_back(Figure("Downstream blanket needs (EC7 UPL)",
                               FormatFigure(u.Length) + " m long, net uplift " +
                                   FormatFigure(u.Force) + " kN/m",
                               u.RequiredWeight, "kN/m\xC2\xB2"));
    const checks::TClosedForm& f = c.Closed;
    if (f.Present)
        lines.push_back(Figure("Closed form Nf/Nd",
                               "here " + FormatFigure(f.ShapeFactor.Model) + " (" +
                                   FormatFigure(f.ShapeFactor.DeviationPercent) + " %)",
                               f.ShapeFactor.Exact, ""));
    return lines;
}

const char* VerdictText(TVerdict v) {
    return v == TVerdict::Passes ? "passes" : v == TVerdict::Fails ? "fails" : "";
}

std::array<TZoneNote, 3> ZoneNotes(const section::TNodeResult* run) {
    using namespace sheetpile;
    std::array<TZoneNote, 3> notes{{
        {"critical zone", CriticalZoneMix(NetBackgroundColor), false, "Critical zone"},
        {"possible heave zone", PossibleHeaveColor, false, "Possible heave zone"},
        {"imminent heave zone", ImminentHeaveColor, false, "Imminent heave zone"},
    }};
    if (run == nullptr) return notes;
    const section::TZoneCounts& extent = run->Zones;
    const int counts[] = {extent.CriticalPixels, extent.PossibleColumns, extent.ImminentColumns};
    const char* const empty[] = {"no critical zone anywhere", "no possible heave anywhere",
                                 "no imminent heave anywhere"};
    for (std::size_t i = 0; i < notes.size(); ++i) {
        notes[i].Empty = counts[i] == 0;
        if (notes[i].Empty) notes[i].Text = empty[i];
    }
    return notes;
}

} // namespace verrask::report
