// Exit gradient along the open downstream ground surface (see ExitGradient.h).
#include "checks/ExitGradient.h"

namespace verrask::checks {

long double SurfaceGradient(const section::TNodeResult& m, int c) {
    const long double phi0 = ExcessHead(m, 0, c), phi1 = ExcessHead(m, 1, c),
                      phi2 = ExcessHead(m, 2, c);
    return (4 * phi1 - phi2 - 3 * phi0) / (2 * GridStep(m));
}

TExitGradient ComputeExitGradient(const section::TNodeResult& m) {
    TExitGradient e;
    int at = -1;
    long double best = 0;
    for (int c = m.RightBlanketCol; c <= m.LastCol; ++c) {
        const long double i = SurfaceGradient(m, c);
        if (i > best) best = i, at = c; // strict: the column nearest the wall wins a tie
    }
    if (at < 0) {
        e.Reason = "no upward flow through the open downstream surface";
        return e;
    }
    e.Max = best;
    e.At = (at - m.PileDownCol) * GridStep(m);
    e.BlanketEnd = m.RightBlanketCol > m.PileDownCol && at == m.RightBlanketCol;
    e.Indicative = !(m.PileRows >= 1 && m.RightBlanketCol == m.PileDownCol && at == m.PileDownCol);
    e.Fs = Ratio(CriticalGradient(m), best);
    if (!(CriticalGradient(m) > 0)) {
        e.Fs = NotAvailable;
        e.Reason = "Y'/Yw must be positive for a factor of safety";
    }
    return e;
}

} // namespace verrask::checks
