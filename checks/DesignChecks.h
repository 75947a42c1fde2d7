// All design checks of one completed run of the design model.
//
// Computes: the exit gradient, Terzaghi's prism, EC7 HYD on that prism, the heave column, the
// water pressure on the wall, the uplift under a downstream blanket, the closed-form comparison,
// the discharge per day from the field's own shape factor and the check that governs.
//
// Assumes: the run is complete (HeadGrid solved for the current geometry and inputs,
// ShapeFactor computed) and the settings pass CheckSettingsError.
//
// Holds: the run is only read; each figure is finite or NaN with its reason.
#pragma once

#include "checks/BlanketUplift.h"
#include "checks/CheckSettings.h"
#include "checks/ClosedForm.h"
#include "checks/Ec7Hydraulic.h"
#include "checks/ExitGradient.h"
#include "checks/GoverningCheck.h"
#include "checks/HeaveColumn.h"
#include "checks/TerzaghiPrism.h"
#include "checks/WallPressure.h"

namespace verrask::checks {

// Seconds in a day: q in m3/s per metre to m3/day per metre.
inline constexpr long double SecondsPerDay = 86400;

struct TDesignChecks {
    long double GridStep = NotAvailable;       // D / 50, m
    long double GridWallDepth = NotAvailable;  // d_g, m
    long double TypedWallDepth = NotAvailable; // d as typed, m
    long double CriticalGradient = NotAvailable;
    long double FieldShapeFactor = NotAvailable;   // (InflowSum + OutflowSum) / 2 / FullScale
    long double RoundedShapeFactor = NotAvailable; // the run's Nf/Nd, a multiple of 1/80
    long double DischargePerDay = NotAvailable;    // q from the field's, m3/day per metre
    long double Tailwater = NotAvailable;          // t_w the checks used, m
    TExitGradient Exit;
    TTerzaghiPrism Prism;
    TEc7Hydraulic Ec7;
    THeaveColumn Column;
    TWallPressure Wall;
    TBlanketUplift Uplift;
    TClosedForm Closed;
    TGoverning Governing;
};

// The field's shape factor, unrounded: the mean of the flux through the inflow and the outflow
// surfaces, (InflowSum + OutflowSum) / (2 FullScale).
inline long double FieldShapeFactor(const section::TNodeResult& m) {
    return (m.InflowSum + m.OutflowSum) / (2.0L * section::FullScale);
}

TDesignChecks RunDesignChecks(const section::TNodeResult& m, const TCheckSettings& s);

} // namespace verrask::checks
