// Eurocode 7 HYD verification on a soil prism (see Ec7Hydraulic.h).
#include "checks/Ec7Hydraulic.h"

namespace verrask::checks {

TEc7Hydraulic Ec7Hyd(long double depth, long double width, long double meanExcessHead,
                     long double criticalGradient, const TCheckSettings& s) {
    TEc7Hydraulic e;
    if (!Available(depth) || !Available(width) || !Available(meanExcessHead)) {
        e.Reason = "no prism";
        return e;
    }
    const long double gammaDash = criticalGradient * s.GammaW;
    const long double gammaSat = gammaDash + s.GammaW, tailwater = EffectiveTailwater(s);
    e.UCharacteristic = s.GammaW * (tailwater + depth + meanExcessHead);
    e.SigmaCharacteristic = gammaSat * depth + s.GammaW * tailwater;
    e.U = s.FactorDst * e.UCharacteristic;
    e.Sigma = s.FactorStb * e.SigmaCharacteristic;
    e.SCharacteristic = s.GammaW * meanExcessHead * width;
    e.GCharacteristic = gammaDash * depth * width;
    e.S = s.FactorDst * e.SCharacteristic;
    e.G = s.FactorStb * e.GCharacteristic;
    e.UtilisationA = Ratio(e.U, e.Sigma);
    e.UtilisationB = Ratio(e.S, e.G);
    if (!(criticalGradient > 0)) e.Reason = "Y'/Yw must be positive: no submerged weight";
    return e;
}

TEc7Hydraulic ComputeEc7Hydraulic(const section::TNodeResult& m, const TTerzaghiPrism& prism,
                                  const TCheckSettings& s) {
    TEc7Hydraulic e =
        Ec7Hyd(prism.Depth, prism.Width, prism.MeanExcessHead, CriticalGradient(m), s);
    if (!prism.Reason.empty() && !Available(prism.Depth)) e.Reason = prism.Reason;
    return e;
}

} // namespace verrask::checks
