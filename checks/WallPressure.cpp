// Water pressure on the wall (see WallPressure.h).
#include "checks/WallPressure.h"

namespace verrask::checks {

long double CreepPath(const section::TNodeResult& m) {
    const int blankets = (m.PileUpCol - m.LeftBlanketCol) + (m.RightBlanketCol - m.PileDownCol);
    return (blankets + 2 * m.PileRows) * GridStep(m);
}

TWallPressure ComputeWallPressure(const section::TNodeResult& m, const TCheckSettings& s) {
    TWallPressure w;
    const int rows = m.PileRows;
    if (rows < 1) {
        w.Reason = "no wall";
        return w;
    }
    const long double step = GridStep(m), depth = rows * step, tailwater = EffectiveTailwater(s);
    long double force = 0, moment = 0;
    for (int r = 0; r <= rows; ++r) {
        TWallPoint p;
        p.Depth = r * step;
        const long double up = ExcessHead(m, r, m.PileUpCol),
                          down = ExcessHead(m, r, m.PileDownCol);
        p.UUp = s.GammaW * (up + tailwater + p.Depth);
        p.UDown = s.GammaW * (down + tailwater + p.Depth);
        p.Net = s.GammaW * (up - down);
        const long double weight = (r == 0 || r == rows) ? step / 2 : step; // trapezoidal rule
        force += weight * p.Net;
        moment += weight * p.Net * (depth - p.Depth);
        w.Points.push_back(p);
    }
    w.NetForce = force;
    w.NetMoment = moment;
    w.CreepPath = CreepPath(m);
    w.CreepForce = s.GammaW * m.HeadDiff * depth * depth / w.CreepPath;
    w.CreepMoment = 2 * s.GammaW * m.HeadDiff * depth * depth * depth / (3 * w.CreepPath);
    w.ForceRatio = Ratio(w.NetForce, w.CreepForce);
    w.MomentRatio = Ratio(w.NetMoment, w.CreepMoment);
    return w;
}

} // namespace verrask::checks
