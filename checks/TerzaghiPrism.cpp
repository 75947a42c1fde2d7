// Terzaghi's heave prism beside the downstream face of the wall (see TerzaghiPrism.h).
#include "checks/TerzaghiPrism.h"

#include <algorithm>
#include <cmath>

namespace verrask::checks {

long double PrismMeanExcessHead(const section::TNodeResult& m, int steps) {
    const int r = m.PileRows, c0 = m.RightBlanketCol;
    long double sum = (ExcessHead(m, r, c0) + ExcessHead(m, r, c0 + steps)) / 2;
    for (int k = 1; k < steps; ++k) sum += ExcessHead(m, r, c0 + k);
    return sum / steps;
}

TTerzaghiPrism ComputeTerzaghiPrism(const section::TNodeResult& m) {
    TTerzaghiPrism p;
    if (m.PileRows < 1) {
        p.Reason = "no wall";
        return p;
    }
    const long double step = GridStep(m), ic = CriticalGradient(m);
    p.Depth = m.PileRows * step;
    p.AtBlanketEnd = m.RightBlanketCol > m.PileDownCol;
    p.At = (m.RightBlanketCol - m.PileDownCol) * step;
    p.WidthSteps = std::max<int>(1, static_cast<int>(std::llrint(m.PileRows / 2.0L)));
    p.Width = p.WidthSteps * step;
    p.MeanExcessHead = PrismMeanExcessHead(m, p.WidthSteps);
    if (!(ic > 0)) {
        p.Reason = "Y'/Yw must be positive for a factor of safety";
        return p;
    }
    p.Fs = Ratio(ic * p.Depth, p.MeanExcessHead);
    for (int w = 1; w <= m.PileRows; ++w) {
        const long double fs = Ratio(ic * p.Depth, PrismMeanExcessHead(m, w));
        if (Available(fs) && !(fs >= p.FsMin)) p.FsMin = fs, p.WidthMin = w * step;
    }
    if (!Available(p.Fs)) p.Reason = "no excess head on the prism's base";
    return p;
}

} // namespace verrask::checks
