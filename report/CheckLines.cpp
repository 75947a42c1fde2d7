// The design checks as a window's rows and the settings fields (see CheckLines.h).
#include "report/CheckLines.h"

#include "control/InputSyntax.h"
#include "report/FigureFormat.h"

namespace verrask::report {

namespace {

using checks::Available;

std::string WithReason(const std::string& detail, const std::string& reason) {
    return reason.empty() ? detail : detail + " (" + reason + ")";
}

// A checked figure against its requirement: FS >= target, or utilisation <= 1.
TCheckLine Checked(const char* label, const std::string& detail, long double value,
                   long double target, bool utilisation, const std::string& reason) {
    TCheckLine line{label, WithReason(detail, reason), FormatFigure(value), "",
                    utilisation ? "utilisation <= 1" : "FS >= " + FormatFigure(target)};
    if (Available(value))
        line.Verdict =
            (utilisation ? value <= 1 : value >= target) ? TVerdict::Passes : TVerdict::Fails;
    return line;
}

TCheckLine Figure(const char* label, const std::string& detail, long double value,
                  const char* unit) {
    return {label, detail, FormatFigure(value), unit, ""};
}

} // namespace

std::vector<TCheckLine> CheckLines(const checks::TDesignChecks& c,
                                   const checks::TCheckSettings& s) {
    const long double t = s.Target;
    std::vector<TCheckLine> lines;
    lines.push_back(Figure("Discharge q", "per metre of wall", c.DischargePerDay, "m\xC2\xB3/day"));
    lines.push_back(Figure("Wall depth on the grid",
                           "typed " + FormatFigure(c.TypedWallDepth) + " m, grid step " +
                               FormatFigure(c.GridStep) + " m",
                           c.GridWallDepth, "m"));
    const checks::TExitGradient& e = c.Exit;
    lines.push_back(Checked("Exit gradient",
                            "i_max = " + FormatFigure(e.Max) + " at " + FormatFigure(e.At) +
                                " m from the wall, i_c = " + FormatFigure(c.CriticalGradient) +
                                (e.BlanketEnd ? "; at the blanket's end, grid-dependent" : ""),
                            e.Fs, t, false, e.Reason));
    const checks::TTerzaghiPrism& p = c.Prism;
    lines.push_back(Checked("Terzaghi prism",
                            FormatFigure(p.Depth) + " m deep, " + FormatFigure(p.Width) +
                                " m wide, h_a = " + FormatFigure(p.MeanExcessHead) + " m",
                            p.Fs, t, false, p.Reason));
    lines.push_back(Checked("Critical prism", FormatFigure(p.WidthMin) + " m wide", p.FsMin, t,
                            false, p.Reason));
    const checks::TEc7Hydraulic& h = c.Ec7;
    lines.push_back(Checked("EC7 HYD (2.9a)",
                            "u = " + FormatFigure(h.U) + " kPa against \xCF\x83 = " +
                                FormatFigure(h.Sigma) + " kPa (design values)",
                            h.UtilisationA, 1, true, h.Reason));
    lines.push_back(Checked("EC7 HYD (2.9b)",
                            "S = " + FormatFigure(h.S) + " kN/m against G' = " + FormatFigure(h.G) +
                                " kN/m (design values)",
                            h.UtilisationB, 1, true, h.Reason));
    const checks::THeaveColumn& col = c.Column;
    lines.push_back(Checked("Heave column",
                            "mean upward gradient " + FormatFigure(col.Max) + " at " +
                                FormatFigure(col.At) + " m from the wall, " +
                                FormatFigure(col.Depth) + " m deep",
                            col.Fs, t, false, col.Reason));
    const checks::TWallPressure& w = c.Wall;
    lines.push_back(
        Figure("Net water force on the wall",
               WithReason("linear creep " + FormatFigure(w.CreepForce) + " kN/m", w.Reason),
               w.NetForce, "kN/m"));
    lines.push_back(Figure("Its moment about the toe",
                           "linear creep " + FormatFigure(w.CreepMoment) + " kNm/m", w.NetMoment,
                           "kNm/m"));
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

checks::TCheckSettings SettingsForRun(checks::TCheckSettings settings, const TInputTexts& inputs) {
    if (TInputValues values; ReadInputs(inputs, values).empty()) settings.TypedWallDepth = values.d;
    return settings;
}

std::string SettingText(const checks::TCheckSettings& s, TSettingField field) {
    for (const TSettingFieldDesign& d : SettingFields)
        if (d.Field == field) return FormatFigure(s.*d.Member);
    return "";
}

std::string ApplySetting(const std::string& text, TSettingField field,
                         checks::TCheckSettings& settings) {
    for (const TSettingFieldDesign& d : SettingFields) {
        if (d.Field != field) continue;
        long double v = 0;
        checks::TCheckSettings trial = settings;
        // Text that is no number is checked as NaN, so the rule names this field.
        trial.*d.Member = !ParseNumber(text, v) ? checks::NotAvailable : v == 0 ? 0 : v;
        std::string error = checks::CheckSettingsError(trial);
        if (error.empty()) settings = trial;
        return error;
    }
    return "unknown setting";
}

} // namespace verrask::report
