// The section model: a section in, its heads, stream function, discharge with a certain bracket
// and the flux of every stretch out, on a grid fine enough for the section's accuracy.
//
// Computes: the extent (the file's, or AutomaticExtent); then, from a grid of StartCells cells
// over the depth, the finite-volume and the vertex solve on the same grid, refined (q converges
// at first order in the spacing at a wall's toe) until the bracket's half width over its
// midpoint is at most the accuracy, or the grid would exceed MostCells cells.
//
// Assumes: a section the reader accepted.
//
// Holds on success: QLow <= exact q <= QHigh where the water stands at two levels (Bracketed),
// Q their midpoint; with more levels the bracket holds for the dissipated energy only, and QLow,
// QHigh are the finite-volume inflow. Both bounds are moved out by what rounding left (the
// unbalanced flux, a bracket crossed where both schemes are all but exact); a solve that lost
// more than 1 % of the accuracy to rounding is refused with that reason. The stretch fluxes
// balance (MassBalance); the stream function is that of the finite-volume fluxes. A toe on the
// base, or no head difference, gives q = 0 exactly and each side hydrostatic.
#pragma once

#include "section/Section.h"
#include "section/SectionResult.h"

#include <string>

namespace verrask::sectionmodel {

// The coarsest grid: cells over the depth (before grading), fine enough to resolve every layer.
inline constexpr double StartCells = 16;
// Some 10 s for the two factorisations on two cores; a finer accuracy is reported as not reached
// (the bracket stays certain).
inline constexpr std::size_t MostCells = 500'000;

// "" with `result` set, or why the section could not be solved (`result` unchanged).
std::string SolveSection(const section::TSection& s, section::TSectionResultPtr& result);

} // namespace verrask::sectionmodel
