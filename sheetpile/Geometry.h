// Grid steps of the geometry, shared by SetupGeometry and the run control's input checks so the
// two can never disagree on what fits the grid.
#pragma once

#include "sheetpile/ModelState.h"

namespace sheetpile {

// Round(length / D x 50) as a real, with a negative length counted as 0. D > 0. The result may
// be arbitrarily large (or infinite) for lengths far beyond D; compare it before converting.
long double BlanketSteps(long double length, long double D);

} // namespace sheetpile
