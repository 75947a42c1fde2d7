// The check settings' validation and the tailwater the checks use (see CheckSettings.h).
#include "checks/CheckSettings.h"

#include <utility>

namespace verrask::checks {

namespace {

bool Within(long double v, long double lo, long double hi) {
    return std::isfinite(v) && v >= lo && v <= hi;
}

} // namespace

std::string CheckSettingsError(const TCheckSettings& s) {
    if (!Within(s.GammaW, GammaWMin, GammaWMax))
        return "the unit weight of water must be a number from 9 to 11 (kN/m3)";
    if (!std::isnan(s.Tailwater) && !Within(s.Tailwater, 0, TailwaterMax))
        return "the tailwater depth must be empty (from H2) or a number from 0 to 1000 (m)";
    if (!Within(s.FactorDst, FactorMin, FactorMax) || !Within(s.FactorStb, FactorMin, FactorMax))
        return "the EC7 HYD partial factors must be numbers from 0.5 to 3";
    if (!Within(s.UpliftDst, FactorMin, FactorMax) || !Within(s.UpliftStb, FactorMin, FactorMax))
        return "the EC7 UPL partial factors must be numbers from 0.5 to 3";
    const std::pair<long double, const char*> targets[] = {{s.TargetTerzaghi, "Terzaghi prism"},
                                                           {s.TargetExit, "exit gradient"},
                                                           {s.TargetColumn, "heave column"},
                                                           {s.TargetEc7a, "EC7 HYD 2.9a"},
                                                           {s.TargetEc7b, "EC7 HYD 2.9b"}};
    for (const auto& [value, name] : targets)
        if (!Within(value, TargetMin, TargetMax))
            return std::string("the target of the ") + name + " must be a number from 0.5 to 10";
    return "";
}

long double EffectiveTailwater(const TCheckSettings& s) {
    if (std::isfinite(s.Tailwater)) return s.Tailwater;
    if (std::isfinite(s.DownstreamHead) && s.DownstreamHead > 0) return s.DownstreamHead;
    return 0;
}

} // namespace verrask::checks
