// The contents of the three design diagrams, shared by the windows and the report: series of
// points, axes with "nice" ticks, titles with units. Drawing them is the front end's business
// (ChartSvg.h draws them for the report).
//
// Computes: the net water pressure on the wall from the solved field beside Bligh's line of
// creep (blankets included in the creep path), depth down the vertical axis; the exit gradient
// along the open downstream surface with the critical gradient; after an embedment search, its
// FS (or utilisation) against the wall depth with the target line and the interpolated depth.
//
// Assumes: the checks were computed from the last completed run (DesignChecks.h); SI
// units as the checks have them.
//
// Holds: every point is finite (figures without a value are left out); each axis range holds
// every point of its chart and starts and ends on a tick; the ticks are whole multiples of a
// step of 1, 2 or 5 x 10^k.
#pragma once

#include "checks/DesignChecks.h"
#include "checks/EmbedmentSearch.h"

#include <string>
#include <vector>

namespace verrask::report {

struct TAxis {
    std::string Title; // with its unit in brackets
    double Min = 0, Max = 1, Step = 0.2;
    std::vector<double> Ticks;
    int Decimals = 1;      // digits after the point that the tick labels need
    bool Reversed = false; // values grow downwards (depth)
};

// An axis from lo to hi with about `ticks` ticks (at least 2): the step is the 1, 2 or 5 x 10^k
// nearest above (hi - lo) / (ticks - 1), the ends are rounded out to whole steps. A range of one
// value is widened around it; non-finite ends give 0..1.
TAxis NiceAxis(double lo, double hi, int ticks = 6);
std::string TickLabel(const TAxis& axis, double value);

struct TPoint {
    double X = 0, Y = 0;
};

enum class TLineStyle { Solid, Dashed, Markers };

struct TSeries {
    std::string Name;
    std::string Colour; // #rrggbb
    TLineStyle Style = TLineStyle::Solid;
    std::vector<TPoint> Points;
};

struct TChart {
    std::string Title;
    TAxis X, Y;
    std::vector<TSeries> Series;
};

TChart WallPressureChart(const section::TNodeResult& m, const checks::TDesignChecks& c,
                         const checks::TCheckSettings& s);
TChart ExitGradientChart(const section::TNodeResult& m, const checks::TDesignChecks& c);
TChart EmbedmentChart(const checks::TEmbedment& e);

} // namespace verrask::report
