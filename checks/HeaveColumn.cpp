// The largest mean upward gradient of a soil column (see HeaveColumn.h).
#include "checks/HeaveColumn.h"

#include <algorithm>

namespace verrask::checks {

THeaveColumn ComputeHeaveColumn(const section::TNodeResult& m) {
    THeaveColumn h;
    const long double step = GridStep(m), ic = CriticalGradient(m);
    const int deep = std::max(1, m.PileRows);
    long double best = 0, shallow = 0;
    int bestRow = 0, bestCol = -1, shallowRow = 0, shallowCol = -1;
    for (int c = 0; c <= m.LastCol; ++c) {
        if (c > m.LeftBlanketCol && c < m.RightBlanketCol) continue; // under a blanket
        const long double top = ExcessHead(m, 0, c);
        for (int r = 1; r < section::BaseRow; ++r) {
            const long double mean = (ExcessHead(m, r, c) - top) / (r * step);
            // Strict: the shallowest column foot, then the column nearest upstream, wins a tie.
            if (mean > shallow) shallow = mean, shallowRow = r, shallowCol = c;
            if (r >= deep && mean > best) best = mean, bestRow = r, bestCol = c;
        }
    }
    if (shallowCol >= 0) {
        h.ShallowMax = shallow;
        h.ShallowAt = (shallowCol - m.PileDownCol) * step;
        h.ShallowDepth = shallowRow * step;
        if (ic > 0) h.ShallowFs = Ratio(ic, shallow);
    }
    if (bestCol < 0) {
        h.Reason = "no upward flow anywhere";
        return h;
    }
    h.Max = best;
    h.At = (bestCol - m.PileDownCol) * step;
    h.Depth = bestRow * step;
    if (ic > 0)
        h.Fs = Ratio(ic, best);
    else
        h.Reason = "Y'/Yw must be positive for a factor of safety";
    return h;
}

} // namespace verrask::checks
