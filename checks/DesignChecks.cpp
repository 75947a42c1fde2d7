// All design checks of one solved model (see DesignChecks.h) and the settings' validation.
#include "checks/DesignChecks.h"

namespace verrask::checks {

std::string CheckSettingsError(const TCheckSettings& s) {
    auto positive = [](long double v) { return std::isfinite(v) && v > 0; };
    if (!positive(s.GammaW)) return "the unit weight of water must be a positive number";
    if (!(std::isfinite(s.Tailwater) && s.Tailwater >= 0))
        return "the tailwater depth must be zero or a positive number";
    if (!positive(s.FactorDst) || !positive(s.FactorStb))
        return "the partial factors must be positive numbers";
    if (!positive(s.UpliftDst) || !positive(s.UpliftStb))
        return "the uplift factors must be positive numbers";
    if (!positive(s.Target)) return "the target must be a positive number";
    return "";
}

TDesignChecks RunDesignChecks(const sheetpile::TModel& m, const TCheckSettings& s) {
    TDesignChecks c;
    c.GridStep = GridStep(m);
    c.GridWallDepth = GridWallDepth(m);
    c.TypedWallDepth = s.TypedWallDepth;
    c.CriticalGradient = CriticalGradient(m);
    c.DischargePerDay = m.HeadDiff * m.ShapeFactor * m.Permeability * SecondsPerDay;
    c.Exit = ComputeExitGradient(m);
    c.Prism = ComputeTerzaghiPrism(m);
    c.Ec7 = ComputeEc7Hydraulic(m, c.Prism, s);
    c.Column = ComputeHeaveColumn(m);
    c.Wall = ComputeWallPressure(m, s);
    c.Uplift = ComputeBlanketUplift(m, s);
    c.Closed = ComputeClosedForm(m);
    return c;
}

} // namespace verrask::checks
