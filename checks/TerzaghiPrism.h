// Terzaghi's heave prism where the flow leaves the soil: beside the downstream face of the wall,
// or at the downstream end of a downstream blanket.
//
// Computes: for a prism as deep as the wall (d_g = PileRows steps) and B = d_g / 2 wide (rounded
// to whole steps, ties to even, at least one), the mean excess head h_a on its base (row PileRows,
// trapezoidal rule) and FS_T = i_c d_g / h_a; and the critical prism, the smallest FS over all
// widths of 1 step to d_g, with its width (one-step widths depend on the grid: indicative).
//
// Assumes: a solved head-loss field and a wall (PileRows >= 1); level ground on both sides. An
// impervious downstream blanket lets no water out, so the prism of the same size stands at its
// downstream end, where the flow exits (Terzaghi's prism where the flow exits; EN 1997-1
// 2.4.7.5; engineering-checks.md sections 1 and 2); the blanket itself is left to EC7 UPL
// (2.4.7.4, BlanketUplift.h), and its weight is not counted on the prism.
//
// Holds: Depth, Width and MeanExcessHead are set whenever there is a wall; the factors of safety
// are finite or NaN with the reason.
#pragma once

#include "checks/CheckSettings.h"

namespace verrask::checks {

struct TTerzaghiPrism {
    long double Depth = NotAvailable;          // d_g, m
    long double Width = NotAvailable;          // B, m
    int WidthSteps = 0;                        // B in grid steps
    long double MeanExcessHead = NotAvailable; // h_a, m
    long double Fs = NotAvailable;             // i_c d_g / h_a
    long double FsMin = NotAvailable;          // smallest FS over the widths 1 step .. d_g
    long double WidthMin = NotAvailable;       // the width that gives it, m
    bool AtBlanketEnd = false;                 // beside a downstream blanket, not the wall
    long double At = NotAvailable;             // its upstream side from the wall face, m
    std::string Reason;
};

// Mean excess head over the base of a prism `steps` grid steps wide from the first open column
// downstream (trapezoidal rule).
long double PrismMeanExcessHead(const section::TNodeResult& m, int steps);

TTerzaghiPrism ComputeTerzaghiPrism(const section::TNodeResult& m);

} // namespace verrask::checks
