// All design checks of one solved model (see DesignChecks.h) and the settings' validation.
#include "checks/DesignChecks.h"

namespace verrask::checks {

TDesignChecks RunDesignChecks(const section::TNodeResult& m, const TCheckSettings& s) {
    TDesignChecks c;
    c.GridStep = GridStep(m);
    c.GridWallDepth = GridWallDepth(m);
    c.TypedWallDepth = s.TypedWallDepth;
    c.CriticalGradient = CriticalGradient(m);
    c.FieldShapeFactor = FieldShapeFactor(m);
    c.RoundedShapeFactor = m.ShapeFactor;
    c.DischargePerDay = m.HeadDiff * c.FieldShapeFactor * m.Permeability * SecondsPerDay;
    c.Tailwater = EffectiveTailwater(s);
    c.Exit = ComputeExitGradient(m);
    c.Prism = ComputeTerzaghiPrism(m);
    c.Ec7 = ComputeEc7Hydraulic(m, c.Prism, s);
    c.Column = ComputeHeaveColumn(m);
    c.Wall = ComputeWallPressure(m, s);
    c.Uplift = ComputeBlanketUplift(m, s);
    c.Closed = ComputeClosedForm(m);
    c.Governing = GoverningCheck(c.Exit, c.Prism, c.Ec7, c.Column, s);
    return c;
}

} // namespace verrask::checks
