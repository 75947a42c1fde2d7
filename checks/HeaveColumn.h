// The heave overlays in numbers: the largest mean upward gradient of a soil column.
//
// Computes: for every column of the grid and every depth z = r x step (rows 1..49), the mean
// upward gradient from the surface down to z, (phi(r) - phi(0)) / z, which is the quantity the
// possible and imminent heave stripes compare; its maximum, where it is (distance from the
// downstream wall face and depth) and FS = i_c over it.
//
// Assumes: a solved head-loss field. The mean runs over a column of soil from the ground surface,
// so under a blanket it starts at the excess head under the blanket.
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
    std::string Reason;
};

THeaveColumn ComputeHeaveColumn(const sheetpile::TModel& m);

} // namespace verrask::checks
