// Settings of the design checks and the field quantities every check reads from a solved model.
//
// Computes: nothing by itself; gives the grid step, the excess head over the tailwater at a grid
// node, the critical gradient and the unit weights that the figures share.
//
// Assumes: the run holds a completed solve of the head-loss field (HeadGrid) for its current
// geometry and inputs; lengths and heads in m, unit weights in kN/m3, so forces come out in kN per
// metre of wall and pressures in kPa. The checks only read the run (section/NodeResult.h).
//
// Holds: every figure that cannot be computed is NaN and carries the reason; nothing returns an
// infinity. The heads are water depths over the ground surfaces, so the tailwater depth is H2
// unless the user sets another one.
#pragma once

#include "section/NodeResult.h"

#include <cmath>
#include <limits>
#include <string>

namespace verrask::checks {

// Marks a figure that has no value for this model (the figure's Reason says why).
inline constexpr long double NotAvailable = std::numeric_limits<long double>::quiet_NaN();

struct TCheckSettings {
    long double GammaW = 9.81L;           // unit weight of water, kN/m3
    long double Tailwater = NotAvailable; // tailwater depth over the downstream ground, m; NaN: H2
    long double FactorDst = 1.35L;        // EC7 HYD gamma_G;dst, recommended value (Table A.17)
    long double FactorStb = 0.90L;        // EC7 HYD gamma_G;stb, recommended value (Table A.17)
    long double UpliftDst = 1.0L;         // EC7 UPL gamma_G;dst, recommended value (Table A.15)
    long double UpliftStb = 0.9L;         // EC7 UPL gamma_G;stb, recommended value (Table A.15)
    long double TargetTerzaghi = 1.5L;    // prism FS: the traditional 1.5 (Bond and Harris)
    long double TargetExit = 4;           // exit-gradient FS: Harr's 4 to 5, lower end
    long double TargetColumn = 1.5L;      // heave-column FS: as the prism, per column
    long double TargetEc7a = 1;           // largest EC7 HYD 2.9a utilisation
    long double TargetEc7b = 1;           // largest EC7 HYD 2.9b utilisation
    long double TypedWallDepth = NotAvailable; // the wall depth as typed, shown beside the grid's
    long double DownstreamHead = NotAvailable; // H2 as typed, m; NaN when unknown
};

// Ranges a setting must lie in to mean something physically (the messages quote them).
inline constexpr long double GammaWMin = 9, GammaWMax = 11;    // fresh to dense brine, kN/m3
inline constexpr long double FactorMin = 0.5L, FactorMax = 3;  // partial factors in use
inline constexpr long double TargetMin = 0.5L, TargetMax = 10; // FS and utilisation limits
inline constexpr long double TailwaterMax = 1000;              // m of water over the ground

// "" when every setting is usable, else what is wrong with the first that is not, with the
// range it must lie in. A NaN tailwater is valid: it is taken from H2.
std::string CheckSettingsError(const TCheckSettings& s);

// The tailwater depth the checks use, m: the set one, else max(H2, 0), else 0.
long double EffectiveTailwater(const TCheckSettings& s);

// One grid step, D/50, in m.
inline long double GridStep(const section::TNodeResult& m) {
    return m.StratumDepth / section::BaseRow;
}

// Excess head over the tailwater at node (r, c), in m: H x (1 - head loss / FullScale).
inline long double ExcessHead(const section::TNodeResult& m, int r, int c) {
    return m.HeadDiff * (1 - static_cast<long double>(m.HeadGrid[r][c]) / section::FullScale);
}

// The wall depth as the grid has it, PileRows x D/50, in m.
inline long double GridWallDepth(const section::TNodeResult& m) {
    return m.PileRows * GridStep(m);
}

// Critical gradient i_c = Y'/Yw; the heave figures need it positive.
inline long double CriticalGradient(const section::TNodeResult& m) {
    return m.UnitWeightRatio;
}

inline bool Available(long double v) {
    return std::isfinite(v);
}

// a / b when both are finite and b is positive, else NaN (never an infinity).
inline long double Ratio(long double a, long double b) {
    if (!std::isfinite(a) || !std::isfinite(b) || !(b > 0)) return NotAvailable;
    const long double r = a / b;
    return std::isfinite(r) ? r : NotAvailable;
}

} // namespace verrask::checks
