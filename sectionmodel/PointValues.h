// Point values of a solved section with their error estimate: the exit gradient beside each
// wall's outflow face, Terzaghi's prism there (mean excess head and heave FS), and the observed
// order of q, each from three nested grids.
//
// Computes: the finite-volume heads on BuildGrid(s, 4 h, d) for d = 0, 1, 2 (h: the final spacing
// of SolveSection), nested with ratio 2 in every cell; the finest is at least as fine as the
// final grid (each interval's cell count rounded up to a multiple of 4; coarser only where that
// would exceed MostCells). Nesting needs the
// doublings: BuildGrid(s, 2 h) rounds each interval's count up on its own and is not nested.
// - Exit gradient: per open column of the outflow stretch (nearer this wall than the other),
//   i = -dh/dz at the ground from the quadratic through the water level at the ground and the
//   two top cells' heads (second order; the top cell's half height alone where a layer
//   interface lies between them); the largest, at its column's centre.
// - Prism: depth d = outflow ground - toe, width d/2 (cut at the other wall and the extent); h_a
// the mean over
//   the width of the head at toe level minus the outflow water, the toe-level head taken as the
//   two-point flux's face value between the cells above and below (exact across an interface of
//   the scheme); FS = gamma' d / (gamma_w h_a), gamma' = gamma_sat - gamma_w weighted by the
//   layers' thicknesses in the prism.
// - Each figure f1 (coarsest), f2, f3: p = ln|(f1 - f2)/(f2 - f3)| / ln 2; asymptotic when the
//   differences keep their sign and |p - theory| <= 0.3, then f_ext = f3 + (f3 - f2)/(2^p - 1),
//   GCI = 1.25 |f3 - f2| / (2^p - 1) (Roache; Celik et al. 2008). Otherwise the finest value with
//   the error max(3, 1.25 / (2^pt - 1)) |f3 - f2|, pt the theoretical order: Roache's factor 3
//   for an unconfirmed order, more where the theory allows slower convergence.
// - Theory: on a uniform grid the lowest order of the section's singular points: 1 at a tip in
//   one layer and at a cover end (r^1/2); 2 lambda, lambda = (2/pi) arctan sqrt(k_below /
//   k_above), at a tip on a layer interface (k = sqrt(kx kz) of each layer). The grid is graded
//   as t^Grading toward each of them, which multiplies that order by Grading, up to the scheme's
//   own 2: min(2, Grading x uniform order). Measured on the reference sections: q, exit gradient
//   and prism head converge at 1.7 to 1.9 with one tip in a layer or on a more pervious one
//   (order 1, 1.44 on uniform grids), the double wall's prism head at 1.5 (not asymptotic yet).
// - An exit gradient at a column next to a cover end (where it diverges like h^-1/2) is
//   indicative: the finest value, never extrapolated.
//
// Assumes: a section the reader accepted, with its extent set; spacing the final grid's.
//
// Holds: one TWallPoints per wall (Outflow false where the two sides' water stands level);
// NaN where a figure has no value (no open outflow ground, a prism without excess head gives an
// infinite FS).
#pragma once

#include "section/Section.h"
#include "section/SectionResult.h"

#include <vector>

namespace verrask::sectionmodel {

struct TPointValues {
    std::vector<section::TWallPoints> Walls;
    double QOrder = section::NoValue;
    section::TGridEstimate Q; // the finite-volume q on the three grids
};

// The error estimate of f1 (coarsest), f2, f3 (finest) on nested grids of ratio 2.
section::TGridEstimate Richardson(double f1, double f2, double f3, double theoryOrder,
                                  bool indicative);

// The order of q and of point values the section's singular points allow.
double TheoryOrder(const section::TSection& s);

TPointValues EstimatePointValues(const section::TSection& s, double spacing);

} // namespace verrask::sectionmodel
