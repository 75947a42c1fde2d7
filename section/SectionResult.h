// The result of a section model: the fields on a rectilinear grid with its lines, the discharge
// with its bracket and the flux through each stretch of ground. Built once by a model and then
// only read, it crosses threads as one value: TSectionResultPtr, a shared pointer to const.
//
// Holds: X and Y are the grid's lines, strictly increasing (x left to right, y base to top);
// cell (i, j) lies between X[i], X[i+1] and Y[j], Y[j+1] and is stored at j * (X.size() - 1) + i;
// corner (i, j) at j * X.size() + i. Outside the soil (above a stretch's ground), and where the
// head is not determined (soil cut off from all open water), a field holds NaN.
#pragma once

#include "section/Section.h"

#include <cstddef>
#include <limits>
#include <memory>
#include <vector>

namespace verrask::section {

inline constexpr double NoValue = std::numeric_limits<double>::quiet_NaN();

// A figure computed on three nested grids (ratio 2) with its error estimate.
struct TGridEstimate {
    double Value = NoValue;  // the estimate: Extrapolated's value when Asymptotic, else Finest
    double Finest = NoValue; // on the finest of the three grids
    double Extrapolated = NoValue; // Richardson with the observed order; NaN unless Asymptotic
    double Order = NoValue;        // observed; NaN where the three values do not give one
    double TheoryOrder = NoValue;  // from the section's singular points
    double Gci = NoValue;          // grid convergence index (absolute); NaN unless Asymptotic
    double Error = NoValue;        // absolute error reported: Gci, or a conservative multiple
    bool Asymptotic = false;       // observed order within 0.3 of the theory, monotone
    bool Indicative = false;       // at a singular corner: the finest value, never extrapolated
};

// The point values beside one wall's outflow face (the side with the lower water).
struct TWallPoints {
    bool Outflow = false;    // false: no head difference across the wall; nothing below set
    std::size_t Stretch = 0; // the outflow side's stretch
    TGridEstimate
        ExitGradient;          // largest vertical exit gradient on the open ground nearer this wall
    double ExitX = NoValue;    // where, on the finest grid, m
    double PrismDepth = 0;     // outflow ground - toe, m
    double PrismWidth = 0;     // depth / 2 (up to the other wall), m
    double GammaSubmerged = 0; // thickness-weighted gamma_sat - gamma_w over the prism, kN/m3
    TGridEstimate PrismHead;   // mean excess head along the prism's base, m of water
    TGridEstimate PrismFs;     // gamma' depth / (gamma_w h_a)
};

struct TSectionResult {
    TSection Section;         // as solved, with the extent used
    std::vector<double> X;    // grid lines, m
    std::vector<double> Y;    // grid lines, m
    std::vector<double> Head; // per cell, m (the finite-volume head)
    std::vector<double> Psi;  // per corner, m3/s per m: 0 on the base, each wall its flux

    double Q = 0;           // m3/s per m: the estimate, the bracket's midpoint
    double QLow = 0;        // finite volumes: at most the exact q
    double QHigh = 0;       // conforming vertex elements: at least the exact q
    bool Bracketed = false; // false: water at more than two levels, QLow, QHigh the FV inflow
    std::vector<double> StretchFlux; // per stretch, m3/s per m, positive into the soil
    double MassBalance = 0;          // (inflow - outflow) / inflow, finite volumes
    std::size_t Unknowns = 0;        // of the finite-volume solve on the final grid
    double QOrder = NoValue;         // observed order of the finite-volume q on three nested grids
    // Estimated relative error of Q: half the bracket's width over Q where Bracketed; else the
    // three grids' error estimate of q plus how far the final grid's q lies from their value.
    double QError = NoValue;
    std::vector<TWallPoints> Walls; // per wall; empty where nothing flows

    std::size_t Columns() const { return X.size() - 1; }
    std::size_t Rows() const { return Y.size() - 1; }
    double CellHead(std::size_t i, std::size_t j) const { return Head[j * Columns() + i]; }
    double CornerPsi(std::size_t i, std::size_t j) const { return Psi[j * X.size() + i]; }
};

using TSectionResultPtr = std::shared_ptr<const TSectionResult>;

} // namespace verrask::section
