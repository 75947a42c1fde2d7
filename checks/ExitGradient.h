// Exit gradient along the open downstream ground surface.
//
// Computes: at every column from RightBlanketCol to LastCol the upward gradient at the surface by
// the one-sided second-order difference i = (4 phi(1) - phi(2) - 3 phi(0)) / (2 step), its
// maximum, the distance of that column from the downstream wall face and FS_exit = i_c / i_max.
//
// Assumes: a solved head-loss field; the point value depends on the grid where the gradient is
// singular, which is the case at the end of a downstream blanket (BlanketEnd says so). Only the
// gradient at an open wall face converges with the grid (engineering-checks.md section 2), so
// only that one carries a verdict; elsewhere it is indicative.
//
// Holds: Max > 0 and FS finite, or both NaN with the reason.
#pragma once

#include "checks/CheckSettings.h"

namespace verrask::checks {

struct TExitGradient {
    long double Max = NotAvailable; // largest exit gradient on the open surface
    long double At = NotAvailable;  // its distance from the downstream wall face, m
    long double Fs = NotAvailable;  // i_c / Max
    bool BlanketEnd = false;        // the maximum sits where a downstream blanket ends
    bool Indicative = true;         // grid-dependent: not at an open wall face, no verdict
    std::string Reason;             // why Max or Fs is NaN
};

// The exit gradient at surface column c (rows 0, 1 and 2 of that column).
long double SurfaceGradient(const section::TNodeResult& m, int c);

TExitGradient ComputeExitGradient(const section::TNodeResult& m);

} // namespace verrask::checks
