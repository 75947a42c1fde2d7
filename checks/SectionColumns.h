// Soil columns of a solved section: EC7 HYD for every column of outflow ground, the heave
// column's factor of safety, and EC7 UPL of every less pervious layer over a more pervious one.
//
// Computes: for every column where the head under the ground exceeds the water on it (the water
// pushes up: on open ground where it leaves the soil, under a cover where it presses on it) and
// every foot z on a grid line below its ground W_g (water W, excess head phi = h(z) - W, h the
// head at the foot: the two-point flux's face value between the cells above and below, the
// bottom cell's head on the base):
// - 2.9a: u = gamma_w (h - z) against sigma = sum gamma_sat,i t_i + gamma_w (W - W_g),
//   utilisation gamma_G;dst u / (gamma_G;stb sigma);
// - 2.9b: S = gamma_w phi against G' = sum (gamma_sat,i - gamma_w) t_i, utilisation
//   gamma_G;dst S / (gamma_G;stb G');
// - heave column: FS = G' / S, the layered form of i_c z / phi;
// the worst of each over the verdict's feet: those at least as deep as the toe of the wall
// nearest the column (an average over at least the wall depth, as for the prism) and, at any
// depth, the top and base of every layer less pervious (in kz) than the one below it (such a
// layer lifts off as a whole); and the heave column over every depth, down to one cell
// (indicative: near a toe or a cover end it depends on the grid). For every layer above a more
// pervious one and every such column it reaches: EC7 UPL at its base, u against the total
// overburden (soil and water above it), utilisation gamma_G;dst u / (gamma_G;stb sigma) with
// the UPL factors; the worst per layer.
//
// Assumes: the result of a section model (heads per cell, NaN outside the soil); the columns'
// figures are those of the final grid (no error estimate: averages over depth converge with
// the grid); a cover's own weight is not known and not counted (conservative).
//
// Holds: figures are finite or NaN (no outflow ground, no excess head); X is the column's centre,
// Z the foot's elevation, Layer the layer just above the foot (0-based).
#pragma once

#include "checks/CheckSettings.h"
#include "section/SectionResult.h"

#include <cstddef>
#include <vector>

namespace verrask::checks {

struct TColumnFigure {
    double Value = section::NoValue; // utilisation or FS
    double X = section::NoValue;     // the column's centre, m
    double Z = section::NoValue;     // the foot's elevation, m
    std::size_t Layer = 0;           // the layer just above the foot
};

struct TLayerUplift {
    std::size_t Layer = 0;
    double Utilisation = section::NoValue; // the worst column's
    double X = section::NoValue;           // its centre, m
    double Z = section::NoValue;           // the layer's base there, m
    double U = section::NoValue;           // pore pressure at the base, kPa
    double Sigma = section::NoValue;       // total overburden at the base, kPa
};

struct TSectionColumns {
    TColumnFigure Ec7a, Ec7b;   // largest utilisations over the verdict's feet
    TColumnFigure Heave;        // smallest FS over the verdict's feet
    TColumnFigure ShallowHeave; // smallest FS over every foot: indicative
    std::vector<TLayerUplift> Uplift;
};

TSectionColumns ComputeSectionColumns(const section::TSectionResult& r, const TCheckSettings& s);

// The index of the grid line nearest `v` (the lines of a section's breakpoints hold them exactly
// up to rounding).
std::size_t NearestLine(const std::vector<double>& lines, double v);

// The layer of the soil at elevation y (the lowest where y is below the base).
std::size_t LayerAt(const section::TSection& s, double y);

// The stretch of ground a column at x stands on: the number of walls left of x.
std::size_t StretchAt(const section::TSection& s, double x);

// The head at grid line j of column i: the face value between the cells below and above (kz
// over the half heights as weights), the bottom cell's head on the base; NaN above the ground.
double HeadOnLine(const section::TSectionResult& r, std::size_t i, std::size_t j);

} // namespace verrask::checks
