// Water pressure on the wall from the ground surface to the tip.
//
// Computes: on each face u = gamma_w (phi + t_w + z), phi read in columns PileUpCol (upstream
// face) and PileDownCol (downstream face) at rows 0..PileRows; the net pressure
// gamma_w (phi_up - phi_down); its resultant per metre of wall and its moment about the toe
// (trapezoidal rule over the rows); the same for the linear "creep" diagram gamma_w H (1 - z/d_g)
// (resultant gamma_w H d_g / 2, moment gamma_w H d_g^2 / 3) and the ratios of the two.
//
// Assumes: level ground on both sides, so the hydrostatic parts of u cancel in the net pressure;
// the points are the grid nodes of the faces, the last one at the tip row.
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
    long double ForceRatio = NotAvailable;  // NetForce / CreepForce
    long double MomentRatio = NotAvailable; // NetMoment / CreepMoment
    std::vector<TWallPoint> Points;
    std::string Reason;
};

TWallPressure ComputeWallPressure(const sheetpile::TModel& m, const TCheckSettings& s);

} // namespace verrask::checks
