// Uplift under a downstream blanket (see BlanketUplift.h).
#include "checks/BlanketUplift.h"

namespace verrask::checks {

TBlanketUplift ComputeBlanketUplift(const section::TNodeResult& m, const TCheckSettings& s) {
    TBlanketUplift b;
    const int from = m.PileDownCol, to = m.RightBlanketCol;
    if (to <= from) return b;
    const long double step = GridStep(m);
    long double integral = (ExcessHead(m, 0, from) + ExcessHead(m, 0, to)) / 2;
    for (int c = from + 1; c < to; ++c) integral += ExcessHead(m, 0, c);
    b.Present = true;
    b.Length = (to - from) * step;
    b.Force = s.GammaW * integral * step;
    b.MeanPressure = b.Force / b.Length;
    b.RequiredWeight = s.UpliftDst * b.MeanPressure / s.UpliftStb;
    return b;
}

} // namespace verrask::checks
