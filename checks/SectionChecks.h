// All design checks of a solved section, read from its result alone.
//
// Computes, per wall whose two sides' water stands at different levels, on its outflow side:
// - the exit gradient nearer this wall (the model's point value with its error) and
//   FS_exit = i_c / (i + error), i_c = (gamma_sat - gamma_w) / gamma_w of the layer at the exit;
//   no verdict where the point value is indicative (next to a cover end);
// - Terzaghi's prism (depth ground - toe, width depth / 2): FS = gamma' d / (gamma_w (h_a +
//   error)), gamma' the layers' thickness-weighted submerged unit weight, and EC7 HYD on it
//   (Ec7Hyd with i_c = gamma' / gamma_w, h_a + error, the outflow stretch's water depth as the
//   tailwater);
// and on every wall the net water pressure from the higher water level down to the toe:
// u = gamma_w (h - z) on each face from the cells beside it (the wall is a no-flow face, so the
// cell's head is the face's to second order), hydrostatic above each side's ground; the net
// u_left - u_right (positive towards the right), its resultant and its moment about the toe
// (midpoint rule over the grid's rows split at both water levels, with the hydrostatic slope's
// share of the moment: exact for the hydrostatic parts).
// Then the soil columns (SectionColumns.h) and the governing check over the criteria: the
// smallest prism FS and exit FS of all walls, the largest EC7 utilisation of the prisms and the
// columns, the smallest heave-column FS.
//
// Assumes: the result of a section model with its point values; settings that pass
// CheckSettingsError (the tailwater setting does not apply: each stretch has its own water).
// Conservative where the point values are not exact: every factor of safety takes the figure
// at the unfavourable end of its error estimate.
//
// Holds: the result is only read; every figure is finite or NaN.
#pragma once

#include "checks/Ec7Hydraulic.h"
#include "checks/GoverningCheck.h"
#include "checks/SectionColumns.h"

#include <string>
#include <vector>

namespace verrask::checks {

struct TPressurePoint {
    double Z = 0;      // elevation, m
    double ULeft = 0;  // pore pressure on the left face, kPa
    double URight = 0; // on the right face, kPa
    double Net = 0;    // ULeft - URight, kPa
};

struct TSectionWallCheck {
    bool Outflow = false; // false: level water on both sides; only the pressure below is set
    std::size_t Stretch = 0;
    double Exit = section::NoValue;         // the exit gradient's estimate
    double ExitError = section::NoValue;    // its error estimate
    double ExitX = section::NoValue;        // m
    double ExitCritical = section::NoValue; // i_c of the layer at the exit
    double ExitFs = section::NoValue;       // i_c / (Exit + ExitError)
    bool ExitIndicative = false;
    double PrismDepth = section::NoValue, PrismWidth = section::NoValue;    // m
    double PrismHead = section::NoValue, PrismHeadError = section::NoValue; // h_a, m
    double GammaSubmerged = section::NoValue;                               // kN/m3
    double PrismFs = section::NoValue; // gamma' d / (gamma_w (h_a + error))
    TEc7Hydraulic PrismEc7;
    double NetForce = section::NoValue;  // kN/m, positive towards the right
    double NetMoment = section::NoValue; // about the toe, kNm/m
    std::vector<TPressurePoint> Pressure;
};

struct TSectionChecks {
    std::vector<TSectionWallCheck> Walls;
    TSectionColumns Columns;
    TGoverning Governing;
};

TSectionChecks RunSectionChecks(const section::TSectionResult& r, const TCheckSettings& s);

// "" when every layer is heavier than water at the settings' gamma_w, else which layer is not
// and why: its critical gradient gamma_sat / gamma_w - 1 would not be positive, and every heave
// figure would turn over.
std::string SectionGammaError(const section::TSection& s, const TCheckSettings& settings);

// Whether a figure meets the criterion's target; a utilisation of 0 (nothing lifts) meets any.
inline bool SectionPasses(double value, TCriterion criterion, long double target) {
    if (IsUtilisation(criterion) && value == 0) return true;
    return CriterionMargin(value, criterion, target) >= 1;
}

// The criterion's figure over the whole section (as the governing check takes it): FS or
// utilisation, NaN when it has none.
long double SectionCriterionValue(const TSectionChecks& c, TCriterion criterion);

} // namespace verrask::checks
