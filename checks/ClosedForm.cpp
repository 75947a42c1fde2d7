// Closed-form check of a single wall without blankets (see ClosedForm.h).
#include "checks/ClosedForm.h"

#include "checks/ExitGradient.h"

#include <numbers>

namespace verrask::checks {

namespace {

long double Modulus(long double d, long double D) {
    return std::sin(std::numbers::pi_v<long double> * d / (2 * D));
}

TClosedFormPair Pair(long double exact, long double model) {
    TClosedFormPair p{exact, model, NotAvailable};
    if (Available(exact) && Available(model) && exact > 0)
        p.DeviationPercent = (model / exact - 1) * 100;
    return p;
}

} // namespace

long double ExactShapeFactor(long double d, long double D) {
    const long double k = Modulus(d, D);
    const long double kDash = std::cos(std::numbers::pi_v<long double> * d / (2 * D));
    return std::comp_ellint_1(kDash) / (2 * std::comp_ellint_1(k));
}

long double ExactExitGradient(long double d, long double D, long double H) {
    const long double k = Modulus(d, D);
    return std::numbers::pi_v<long double> * H / (4 * D * std::comp_ellint_1(k) * k);
}

long double UnroundedShapeFactor(const section::TNodeResult& m) {
    long double sum = 0;
    for (int c = 0; c <= m.LeftBlanketCol; ++c)
        sum += static_cast<long double>(m.HeadGrid[1][c]) - m.HeadGrid[0][c];
    for (int c = m.RightBlanketCol; c <= m.LastCol; ++c)
        sum += static_cast<long double>(m.HeadGrid[0][c]) - m.HeadGrid[1][c];
    return sum / (2.0L * section::FullScale);
}

TClosedForm ComputeClosedForm(const section::TNodeResult& m) {
    TClosedForm f;
    if (m.PileUpCol != m.LeftBlanketCol || m.RightBlanketCol != m.PileDownCol) {
        f.Reason = "no closed form with blankets";
        return f;
    }
    if (m.PileRows < 1) {
        f.Reason = "no closed form without a wall";
        return f;
    }
    const long double d = GridWallDepth(m), D = m.StratumDepth;
    f.Present = true;
    f.ShapeFactor = Pair(ExactShapeFactor(d, D), UnroundedShapeFactor(m));
    f.ExitGradient = Pair(ExactExitGradient(d, D, m.HeadDiff), SurfaceGradient(m, m.PileDownCol));
    return f;
}

} // namespace verrask::checks
