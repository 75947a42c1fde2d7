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

#include <memory>
#include <vector>

namespace verrask::section {

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

    std::size_t Columns() const { return X.size() - 1; }
    std::size_t Rows() const { return Y.size() - 1; }
    double CellHead(std::size_t i, std::size_t j) const { return Head[j * Columns() + i]; }
    double CornerPsi(std::size_t i, std::size_t j) const { return Psi[j * X.size() + i]; }
};

using TSectionResultPtr = std::shared_ptr<const TSectionResult>;

} // namespace verrask::section
