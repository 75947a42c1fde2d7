// All design checks of one solved model, read from its last completed run.
//
// Computes: the exit gradient, Terzaghi's prism, EC7 HYD on that prism, the heave column, the
// water pressure on the wall, the uplift under a downstream blanket, the closed-form comparison,
// and the discharge per day.
//
// Assumes: the model holds a completed run (HeadGrid solved for the current geometry and inputs,
// ShapeFactor computed) and the settings pass CheckSettingsError.
//
// Holds: the model is not changed; each figure is finite or NaN with its reason.
#pragma once

#include "checks/BlanketUplift.h"
#include "checks/CheckSettings.h"
#include "checks/ClosedForm.h"
#include "checks/Ec7Hydraulic.h"
#include "checks/ExitGradient.h"
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
    long double DischargePerDay = NotAvailable; // q, m3/day per metre
    TExitGradient Exit;
    TTerzaghiPrism Prism;
    TEc7Hydraulic Ec7;
    THeaveColumn Column;
    TWallPressure Wall;
    TBlanketUplift Uplift;
    TClosedForm Closed;
};

TDesignChecks RunDesignChecks(const sheetpile::TModel& m, const TCheckSettings& s);

} // namespace verrask::checks
