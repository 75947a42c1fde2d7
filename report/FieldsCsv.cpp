// The run's physical fields as CSV (see FieldsCsv.h).
#include "report/FieldsCsv.h"

#include <cstdio>
#include <limits>

namespace verrask::report {

namespace {

void Put(std::string& out, long double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.10Lg", v);
    out += buffer;
}

} // namespace

std::string FieldsCsv(const section::TNodeResult& m, const TInputTexts& inputs,
                      long double gammaW) {
    std::string out =
        "x (m),z (m),total head (m),head loss (%),pore pressure (kPa),stream function (%)\n";
    TInputValues v;
    // Inputs that were not accepted cannot have made this run: every head is then NaN.
    const long double h1 =
        ReadInputs(inputs, v).empty() ? v.H1 : std::numeric_limits<long double>::quiet_NaN();
    const long double step = m.StratumDepth / section::BaseRow;
    constexpr long double Full = section::FullScale;
    for (int r = 0; r < section::CoarseRows; ++r) {
        for (int c = 0; c <= m.LastCol; ++c) {
            const long double x = c * step, z = -(r * step);
            const long double loss = m.HeadGrid[r][c] / Full;
            const long double head = h1 - m.HeadDiff * loss;
            Put(out, x);
            out += ',';
            Put(out, z == 0 ? 0 : z); // no "-0" on the ground surface
            out += ',';
            Put(out, head);
            out += ',';
            Put(out, 100 * loss);
            out += ',';
            Put(out, gammaW * (head - z));
            out += ',';
            Put(out, 100 * (m.StreamGrid[r][c] / Full));
            out += '\n';
        }
    }
    return out;
}

} // namespace verrask::report
