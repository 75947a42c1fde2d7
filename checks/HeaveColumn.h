// The heave overlays in numbers: the largest mean upward gradient of a soil column.
//
// Computes: for every column of open ground and every depth z = r x step (rows 1..49), the mean
// upward gradient from the surface down to z, (phi(r) - phi(0)) / z, which is the quantity the
// possible and imminent heave stripes compare; its maximum over the depths of at least the wall
// depth (one row without a wall), where it is (distance from the downstream wall face and depth)
// and FS = i_c over it; and the same over every depth, down to one step, which depends on the grid
// near the wall tip and the blanket ends (indicative).
//
// Assumes: a solved head-loss field. Columns under a blanket are left out: the water leaves the
// soil where the ground is open, and the blanket is checked by EC7 UPL (EN 1997-1 2.4.7.4).
//
// Holds: Max > 0 and FS finite, or NaN with the reason.
#pragma once

#include "checks/CheckSettings.h"

namespace verrask::checks {

struct THeaveColumn {
    long double Max = NotAvailable;   // largest mean upward gradient
    long double At = NotAvailable;    // distance of its column from the downstream wall face, m
    long double Depth = NotAvailable; // depth of the column's foot, m
    long double Fs = NotAvailable;    // i_c / Max
    long double ShallowMax = NotAvailable;   // the same over every depth: indicative
    long double ShallowAt = NotAvailable;    // m from the downstream wall face
    long double ShallowDepth = NotAvailable; // m
    long double ShallowFs = NotAvailable;
    std::string Reason;
};

THeaveColumn ComputeHeaveColumn(const section::TNodeResult& m);

} // namespace verrask::checks
