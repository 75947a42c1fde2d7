// Settings of the design checks and the field quantities every check reads from a solved model.
//
// Computes: nothing by itself; gives the grid step, the excess head over the tailwater at a grid
// node, the critical gradient and the unit weights that the figures share.
//
// Assumes: the model holds a completed solve of the head-loss field (HeadGrid) for its current
// geometry and inputs; lengths and heads in m, unit weights in kN/m3, so forces come out in kN per
// metre of wall and pressures in kPa. The checks only read the model.
//
// Holds: every figure that cannot be computed is NaN and carries the reason; nothing returns an
// infinity.
#pragma once

#include "sheetpile/ModelState.h"

#include <cmath>
#include <limits>
#include <string>

namespace verrask::checks {

// Marks a figure that has no value for this model (the figure's Reason says why).
inline constexpr long double NotAvailable = std::numeric_limits<long double>::quiet_NaN();

struct TCheckSettings {
    long double GammaW = 9.81L;    // unit weight of water, kN/m3
    long double Tailwater = 0;     // tailwater depth above the downstream ground, m
    long double FactorDst = 1.35L; // EC7 HYD gamma_G;dst, recommended value (Table A.17)
    long double FactorStb = 0.90L; // EC7 HYD gamma_G;stb, recommended value (Table A.17)
    long double UpliftDst = 1.0L;  // EC7 UPL gamma_G;dst, recommended value (Table A.15)
    long double UpliftStb = 0.9L;  // EC7 UPL gamma_G;stb, recommended value (Table A.15)
    long double Target = 1.5L;     // required factor of safety of the embedment search
    long double TypedWallDepth = NotAvailable; // the wall depth as typed, shown beside the grid's
};

// "" when every setting is usable, else what is wrong with the first that is not: unit weight,
// factors and target must be positive and finite, the tailwater zero or positive and finite.
std::string CheckSettingsError(const TCheckSettings& s);

// One grid step, D/50, in m.
inline long double GridStep(const sheetpile::TModel& m) {
    return m.StratumDepth / sheetpile::BaseRow;
}

// Excess head over the tailwater at node (r, c), in m: H x (1 - head loss / FullScale).
inline long double ExcessHead(const sheetpile::TModel& m, int r, int c) {
    return m.HeadDiff * (1 - static_cast<long double>(m.HeadGrid[r][c]) / sheetpile::FullScale);
}

// The wall depth as the grid has it, PileRows x D/50, in m.
inline long double GridWallDepth(const sheetpile::TModel& m) {
    return m.PileRows * GridStep(m);
}

// Critical gradient i_c = Y'/Yw; the heave figures need it positive.
inline long double CriticalGradient(const sheetpile::TModel& m) {
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
