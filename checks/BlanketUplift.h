// Uplift under a downstream blanket and the weight it needs (EC7 UPL, EN 1997-1 2.4.7.4).
//
// Computes: the net uplift per metre of wall, gamma_w x the integral of phi along the underside
// of the blanket (row 0, columns PileDownCol..RightBlanketCol, trapezoidal rule), its mean
// pressure over the blanket's length and the weight per unit area the blanket needs so that
// gamma_G;dst x uplift <= gamma_G;stb x weight.
//
// Assumes: the tailwater's hydrostatic pressure is balanced by the water over the blanket, so only
// the excess head lifts it; the blanket spreads the uplift over its whole length.
//
// Holds: Present is false without a downstream blanket; otherwise every figure is finite.
#pragma once

#include "checks/CheckSettings.h"

namespace verrask::checks {

struct TBlanketUplift {
    bool Present = false;
    long double Length = NotAvailable;         // m
    long double Force = NotAvailable;          // net uplift, kN/m
    long double MeanPressure = NotAvailable;   // kPa
    long double RequiredWeight = NotAvailable; // kN/m2 of blanket
};

TBlanketUplift ComputeBlanketUplift(const section::TNodeResult& m, const TCheckSettings& s);

} // namespace verrask::checks
