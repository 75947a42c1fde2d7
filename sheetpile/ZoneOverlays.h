// Whether each zone overlay of the flow-net picture has anything to draw for a completed run
// (their colours: ZoneColours.h).
//
// Computes: per picture column the running mean of the vertical gradient from the surface down
// and its peak, as the overlays use it; from that the count of columns with a possible-heave
// stripe, with an imminent-heave stripe, and of pixels in the critical zone.
//
// Assumes: HeadGrid holds a completed run's heads; no worker is writing it.
//
// Holds: a count is zero exactly when DrawZones, with that overlay on, draws no pixel of it;
// the model is only read (ZoneExtent builds the gradient in grids of its own).
#pragma once

#include "sheetpile/ModelState.h"
#include "sheetpile/ZoneColours.h"

namespace sheetpile {

// The peak of the running mean of column i's gradient over fine rows 1..199 and the first row
// it is reached at (0 and 0 when no mean is positive).
struct TColumnPeak {
    long double Mean = 0;
    int Row = 0;
};
TColumnPeak ColumnPeak(const FineRealGrid& grad, int i);

struct TZoneExtent {
    int CriticalPixels = 0;  // pixels whose own gradient exceeds the critical gradient
    int PossibleColumns = 0; // columns with a possible-heave stripe
    int ImminentColumns = 0; // columns with an imminent-heave stripe
};
TZoneExtent ZoneExtent(const TModel& m);

} // namespace sheetpile
