// Water pressure on the wall from the ground surface to the tip.
//
// Computes: on each face u = gamma_w (phi + t_w + z), phi read in columns PileUpCol (upstream
// face) and PileDownCol (downstream face) at rows 0..PileRows; the net pressure
// gamma_w (phi_up - phi_down); its resultant per metre of wall and its moment about the toe
// (trapezoidal rule over the rows); the same for Bligh's line of creep, the head falling linearly
// along the creep path L_c = upstream blanket + both wall faces + downstream blanket, whose net
// pressure is 2 gamma_w H (d_g - z) / L_c (resultant gamma_w H d_g^2 / L_c, moment about the toe
// 2 gamma_w H d_g^3 / (3 L_c); without blankets L_c = 2 d_g), and the ratios of the two.
//
// Assumes: level ground on both sides, so the hydrostatic parts of u cancel in the net pressure;
// the points are the grid nodes of the faces, the last one at the tip row; t_w is
// EffectiveTailwater.
//
// Holds: with a wall, PileRows + 1 points and finite figures; without one, no points and NaN.
#pragma once

#include "checks/CheckSettings.h"

#include <vector>

namespace verrask::checks {

struct TWallPoint {
    long double Depth = 0; // z below the ground surface, m
    long double UUp = 0;   // pore pressure on the upstream face, kPa
    long double UDown = 0; // pore pressure on the downstream face, kPa
    long double Net = 0;   // UUp - UDown, kPa
};

struct TWallPressure {
    long double NetForce = NotAvailable;    // kN/m
    long double NetMoment = NotAvailable;   // about the toe, kNm/m
    long double CreepForce = NotAvailable;  // kN/m
    long double CreepMoment = NotAvailable; // kNm/m
    long double CreepPath = NotAvailable;   // L_c, m
    long double ForceRatio = NotAvailable;  // NetForce / CreepForce
    long double MomentRatio = NotAvailable; // NetMoment / CreepMoment
    std::vector<TWallPoint> Points;
    std::string Reason;
};

// Bligh's creep path on the grid: both blankets and both faces of the wall, m.
long double CreepPath(const section::TNodeResult& m);

TWallPressure ComputeWallPressure(const section::TNodeResult& m, const TCheckSettings& s);

} // namespace verrask::checks
