// The cell-centred finite-volume head solve on the section's grid, its face fluxes, and the
// stream function summed from them.
//
// Computes: the head per cell of div(K grad h) = 0 with two-point fluxes; the transmissibility of
// a face between cells is its length over the sum of the two half-cell resistances d/(2k)
// (the harmonic mean across a layer interface), kx across vertical faces and kz across
// horizontal ones. Wall faces carry nothing; an open ground face fixes the head at its stretch's
// water level through the half cell below it; covers, the base and the far ends are no-flow.
// One sparse LDLT factorisation (Eigen, AMD ordering) per grid.
//
// Assumes: a grid from BuildGrid. Soil cut off from all open water (a fully covered stretch
// closed by walls to the base) carries no flow and has no determined head: NaN. Where no piece
// of soil meets water at two levels (a wall to the base, one water level), nothing is solved:
// each piece takes its water level and every flux is exactly 0.
//
// Holds on return: the fluxes are those of the solved heads (each cell balances to solver
// precision); the stretch fluxes are positive into the soil; the finite-volume q (an energy over
// the head difference, where the water stands at two levels) is at most the exact q. The stream
// function at the grid's corners is 0 on the base and the far ends, rises by each vertical face's
// flux going up (q_x = dpsi/dy), is constant along each wall and equals the flux under it.
#pragma once

#include "section/Section.h"
#include "sectionmodel/SectionGrid.h"

#include <cstdint>
#include <vector>

namespace verrask::sectionmodel {

struct TFiniteVolumes {
    std::vector<double> Head;  // per cell, m
    std::vector<double> FluxX; // per vertical face, line i row j at j * X.size() + i: +x
    std::vector<double> FluxY; // per horizontal face, column i line j at j * Columns() + i: +y
    std::vector<double> StretchFlux; // per stretch, into the soil
    double Inflow = 0, Outflow = 0;  // over all open ground
    std::size_t Unknowns = 0;
    std::vector<std::uint8_t>
        Solved;         // per cell: 1 where the head was solved for (a piece that flows)
    bool Flows = false; // some connected soil meets water at two levels; else q = 0 exactly
};

TFiniteVolumes SolveFiniteVolumes(const section::TSection& s, const TSectionGrid& g);

// The stream function at every corner (j * X.size() + i); NaN outside the soil.
std::vector<double> StreamFunction(const TSectionGrid& g, const TFiniteVolumes& fv);

} // namespace verrask::sectionmodel
