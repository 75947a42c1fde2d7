// The conforming vertex solve on the section's grid: bilinear (Q1) elements on the cells, for
// the upper bound of the bracket on q.
//
// Computes: the heads at the grid's corners that minimise the energy sum of the integral of
// K grad h . grad h over the soil cells, with the head fixed at the water level at every corner
// of open ground (cover ends included: the trial heads must meet the fixed head on the whole of
// the open ground), and returns that minimal energy. A wall splits the corners on its line above
// its toe (at and above a toe on the base) into a left and a right one, so the head may jump
// across it. One sparse LDLT factorisation (Eigen, AMD ordering).
//
// Assumes: the grid and the finite-volume solve of the same grid (a cell is solved where the
// finite volumes solved it: soil of a piece that meets water at two levels; a piece at one level
// holds that level and no energy); heads are taken relative to `datum` to keep the energy's
// rounding small.
//
// Holds: the element space is conforming, so the energy is at least the exact one; where the
// water stands at two levels H apart, energy / H is at least the exact q.
#pragma once

#include "section/Section.h"
#include "sectionmodel/FiniteVolumeSolve.h"
#include "sectionmodel/SectionGrid.h"

#include <vector>

namespace verrask::sectionmodel {

struct TVertexEnergy {
    double Energy = 0; // (m3/s per m) x m
    std::size_t Unknowns = 0;
};

TVertexEnergy SolveVertexEnergy(const section::TSection& s, const TSectionGrid& g,
                                const TFiniteVolumes& fv, double datum);

} // namespace verrask::sectionmodel
