// The largest mean upward gradient of a soil column (see HeaveColumn.h).
#include "checks/HeaveColumn.h"

namespace verrask::checks {

THeaveColumn ComputeHeaveColumn(const sheetpile::TModel& m) {
    THeaveColumn h;
    const long double step = GridStep(m);
    long double best = 0;
    int bestRow = 0, bestCol = -1;
    for (int c = 0; c <= m.LastCol; ++c) {
        const long double top = ExcessHead(m, 0, c);
        for (int r = 1; r < sheetpile::BaseRow; ++r) {
            const long double mean = (ExcessHead(m, r, c) - top) / (r * step);
            // Strict: the shallowest column foot, then the column nearest upstream, wins a tie.
            if (mean > best) best = mean, bestRow = r, bestCol = c;
        }
    }
    if (bestCol < 0) {
        h.Reason = "no upward flow anywhere";
        return h;
    }
    h.Max = best;
    h.At = (bestCol - m.PileDownCol) * step;
    h.Depth = bestRow * step;
    if (CriticalGradient(m) > 0)
        h.Fs = Ratio(CriticalGradient(m), best);
    else
        h.Reason = "Y'/Yw must be positive for a factor of safety";
    return h;
}

} // namespace verrask::checks
