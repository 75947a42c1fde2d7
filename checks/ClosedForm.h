// Closed-form check of a single wall without blankets (Pavlovsky; Harr, Groundwater and Seepage).
//
// Computes: for a wall of depth d_g in a layer of depth D, with m = sin(pi d_g / 2D) and
// m' = cos(pi d_g / 2D), the exact shape factor Nf/Nd = K(m') / (2 K(m)) and exit gradient at the
// wall i_E = pi H / (4 D K(m) m), K the complete elliptic integral of the first kind of modulus
// m; beside them the model's unrounded shape factor (mean of the inflow and outflow sums) and its
// exit gradient at the wall face, with the deviation in %.
//
// Assumes: no blankets and a wall of at least one row. The 51-row grid reads 1 to 3 % high (more
// for walls reaching deep into the layer); that is the grid's error, not a fault.
//
// Holds: Present is false with blankets or without a wall (Reason says which); otherwise every
// figure is finite.
#pragma once

#include "checks/CheckSettings.h"

namespace verrask::checks {

struct TClosedFormPair {
    long double Exact = NotAvailable;
    long double Model = NotAvailable;
    long double DeviationPercent = NotAvailable; // (Model / Exact - 1) x 100
};

struct TClosedForm {
    bool Present = false;
    TClosedFormPair ShapeFactor;
    TClosedFormPair ExitGradient;
    std::string Reason;
};

// Exact figures for a wall of depth d in a layer of depth D with head difference H.
long double ExactShapeFactor(long double d, long double D);
long double ExactExitGradient(long double d, long double D, long double H);

// The model's shape factor before rounding: (InflowSum + OutflowSum) / (2 FullScale), from
// HeadGrid.
long double UnroundedShapeFactor(const section::TNodeResult& m);

TClosedForm ComputeClosedForm(const section::TNodeResult& m);

} // namespace verrask::checks
