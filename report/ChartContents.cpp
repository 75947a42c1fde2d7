// Chart contents of the design diagrams and the nice-ticks rule (see ChartContents.h).
#include "report/ChartContents.h"

#include "report/FigureFormat.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace verrask::report {

namespace {

// Series colours, the same in the windows and the report.
constexpr const char* FieldColour = "#1f4e9c";
constexpr const char* LimitColour = "#c0392b";
constexpr const char* GuideColour = "#7f7f7f";

// The axes hold every point of every series and the given extra values.
void FitAxes(TChart& chart, std::vector<double> xs, std::vector<double> ys, bool xFromZero,
             bool yFromZero) {
    for (const TSeries& s : chart.Series)
        for (const TPoint& p : s.Points) {
            xs.push_back(p.X);
            ys.push_back(p.Y);
        }
    if (xFromZero) xs.push_back(0);
    if (yFromZero) ys.push_back(0);
    auto range = [](const std::vector<double>& v, double& lo, double& hi) {
        lo = std::numeric_limits<double>::infinity();
        hi = -lo;
        for (double x : v) {
            lo = std::min(lo, x);
            hi = std::max(hi, x);
        }
    };
    double lo = 0, hi = 0;
    std::string title = chart.X.Title;
    bool reversed = chart.X.Reversed;
    range(xs, lo, hi);
    chart.X = NiceAxis(lo, hi);
    chart.X.Title = title;
    chart.X.Reversed = reversed;
    title = chart.Y.Title;
    reversed = chart.Y.Reversed;
    range(ys, lo, hi);
    // Headroom: a line at the top of the range would hide in the plot's frame.
    if (!reversed && std::isfinite(lo) && std::isfinite(hi)) hi += (hi - lo) / 25;
    chart.Y = NiceAxis(lo, hi);
    chart.Y.Title = title;
    chart.Y.Reversed = reversed;
}

void Add(std::vector<TPoint>& points, long double x, long double y) {
    if (std::isfinite(x) && std::isfinite(y))
        points.push_back({static_cast<double>(x), static_cast<double>(y)});
}

} // namespace

TAxis NiceAxis(double lo, double hi, int ticks) {
    TAxis axis;
    if (!std::isfinite(lo) || !std::isfinite(hi)) lo = 0, hi = 1;
    if (lo > hi) std::swap(lo, hi);
    if (hi - lo <= 1e-12 * std::max({std::fabs(lo), std::fabs(hi), 1e-300})) {
        // One value: a range around it (0..1 for zero).
        const double pad = lo == 0 ? 1 : std::fabs(lo) / 2;
        lo = lo == 0 ? 0 : lo - pad;
        hi = hi + pad;
    }
    ticks = std::max(ticks, 2);
    const double raw = (hi - lo) / (ticks - 1);
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double f = raw / magnitude;
    // 1e-9: a raw step that is a nice number within rounding keeps that number.
    const double nice = f <= 1 + 1e-9 ? 1 : f <= 2 + 1e-9 ? 2 : f <= 5 + 1e-9 ? 5 : 10;
    axis.Step = nice * magnitude;
    const double first = std::floor(lo / axis.Step + 1e-9);
    const double last = std::ceil(hi / axis.Step - 1e-9);
    axis.Min = first * axis.Step;
    axis.Max = last * axis.Step;
    for (double k = first; k <= last + 0.5; ++k) {
        const double v = k * axis.Step;
        axis.Ticks.push_back(v == 0 ? 0.0 : v); // no negative zero
    }
    axis.Decimals = std::max(0, -static_cast<int>(std::floor(std::log10(axis.Step) + 1e-9)));
    return axis;
}

std::string TickLabel(const TAxis& axis, double value) {
    return FormatFixed(value, axis.Decimals);
}

TChart WallPressureChart(const section::TNodeResult& m, const checks::TDesignChecks& c,
                         const checks::TCheckSettings& s) {
    TChart chart;
    chart.Title = "Net water pressure on the wall";
    chart.X.Title = "net pressure (kPa)";
    chart.Y.Title = "depth below ground (m)";
    chart.Y.Reversed = true;
    TSeries field{"from the flow net", FieldColour, TLineStyle::Solid, {}};
    for (const checks::TWallPoint& p : c.Wall.Points) Add(field.Points, p.Net, p.Depth);
    TSeries creep{"Bligh's line of creep", LimitColour, TLineStyle::Dashed, {}};
    if (!c.Wall.Points.empty()) {
        // 2 gamma_w H d / L_c at the surface: the head lost along both faces of the path.
        Add(creep.Points, 2 * s.GammaW * m.HeadDiff * c.GridWallDepth / c.Wall.CreepPath, 0);
        Add(creep.Points, 0, c.GridWallDepth);
    }
    chart.Series = {field, creep};
    FitAxes(chart, {}, {}, true, true);
    return chart;
}

TChart ExitGradientChart(const section::TNodeResult& m, const checks::TDesignChecks& c) {
    TChart chart;
    chart.Title = "Exit gradient along the downstream surface";
    chart.X.Title = "distance from the downstream wall face (m)";
    chart.Y.Title = "exit gradient i (-)";
    TSeries field{"from the flow net", FieldColour, TLineStyle::Solid, {}};
    for (int col = m.RightBlanketCol; col <= m.LastCol; ++col)
        Add(field.Points, (col - m.PileDownCol) * c.GridStep, checks::SurfaceGradient(m, col));
    chart.Series.push_back(field);
    if (!field.Points.empty() && std::isfinite(c.CriticalGradient)) {
        TSeries critical{"critical gradient i_c", LimitColour, TLineStyle::Dashed, {}};
        Add(critical.Points, field.Points.front().X, c.CriticalGradient);
        Add(critical.Points, field.Points.back().X, c.CriticalGradient);
        chart.Series.push_back(critical);
    }
    FitAxes(chart, {}, {}, true, true);
    return chart;
}

TChart EmbedmentChart(const checks::TEmbedment& e) {
    const bool util = checks::IsUtilisation(e.Criterion);
    TChart chart;
    chart.Title = std::string("Embedment search: ") + checks::CriterionName(e.Criterion);
    chart.X.Title = "wall depth (m)";
    chart.Y.Title = util ? "utilisation (-)" : "factor of safety (-)";
    TSeries trials{"trial depths", FieldColour, TLineStyle::Markers, {}};
    for (const checks::TEmbedmentTrial& t : e.Trials) Add(trials.Points, t.Depth, t.Value);
    std::sort(trials.Points.begin(), trials.Points.end(),
              [](const TPoint& a, const TPoint& b) { return a.X < b.X; });
    chart.Series.push_back(trials);
    if (trials.Points.empty()) {
        FitAxes(chart, {}, {static_cast<double>(e.Target)}, true, true);
        return chart;
    }
    const double x0 = 0, x1 = trials.Points.back().X;
    TSeries target{(util ? "largest utilisation " : "target FS ") + FormatFigure(e.Target),
                   LimitColour,
                   TLineStyle::Dashed,
                   {}};
    Add(target.Points, x0, e.Target);
    Add(target.Points, x1, e.Target);
    chart.Series.push_back(target);
    if (std::isfinite(e.Interpolated)) {
        double lo = std::numeric_limits<double>::infinity(), hi = -lo;
        for (const TPoint& p : trials.Points) lo = std::min(lo, p.Y), hi = std::max(hi, p.Y);
        lo = std::min(lo, static_cast<double>(e.Target));
        hi = std::max(hi, static_cast<double>(e.Target));
        TSeries found{"interpolated depth " + FormatFigure(e.Interpolated) + " m",
                      GuideColour,
                      TLineStyle::Dashed,
                      {}};
        Add(found.Points, e.Interpolated, lo);
        Add(found.Points, e.Interpolated, hi);
        chart.Series.push_back(found);
    }
    FitAxes(chart, {}, {}, true, true);
    return chart;
}

} // namespace verrask::report
