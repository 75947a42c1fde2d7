// The fields CSV against closed forms: the typed heads on the two ground surfaces, hydrostatic
// pore pressure from them, the grid's extent, and the antisymmetry of the single-wall flow.
#include "report/FieldsCsv.h"

#include "tests/checks/CheckFixtures.h"

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace verrask::report {
namespace {

using TRow = std::vector<double>; // x, z, total head, head loss, pore pressure, stream

std::vector<TRow> Rows(const std::string& csv, std::string& header) {
    std::istringstream in(csv);
    std::getline(in, header);
    std::vector<TRow> rows;
    for (std::string line; std::getline(in, line);) {
        TRow row;
        for (const char* p = line.c_str(); *p; p += *p == ',') {
            char* end = nullptr;
            row.push_back(std::strtod(p, &end));
            p = end;
        }
        rows.push_back(row);
    }
    return rows;
}

TEST(FieldsCsv, HeadsAndPorePressuresMatchTheTypedHeadsAndHydrostatics) {
    // D = 2 m, d = 1 m, no blankets; H1 = 3 m and H2 = 2 m of water over the ground surface
    // (H = 1 m, as solved); gamma_w = 10 kN/m3 to tell it from the default.
    const sheetpile::TModel& m = checks::testing::HalfDepthRun();
    TInputTexts inputs;
    inputs.UpstreamHead = std::string("3");
    inputs.DownstreamHead = std::string("2");
    std::string header;
    const std::vector<TRow> rows =
        Rows(FieldsCsv(*checks::testing::ResultOf(m), inputs, 10), header);
    EXPECT_EQ(header,
              "x (m),z (m),total head (m),head loss (%),pore pressure (kPa),stream function (%)");
    const int cols = m.LastCol + 1;
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(sheetpile::CoarseRows * cols));
    for (const TRow& row : rows) ASSERT_EQ(row.size(), 6u);
    auto at = [&](int r, int c) -> const TRow& {
        return rows[static_cast<std::size_t>(r * cols + c)];
    };

    // Printed with 10 significant digits: 1e-9 relative covers the rounding of the last one.
    constexpr double Tol = 1e-8;
    // Upstream ground: no head lost, total head H1, pore pressure gamma_w H1.
    EXPECT_NEAR(at(0, 0)[2], 3, Tol);
    EXPECT_NEAR(at(0, 0)[3], 0, Tol);
    EXPECT_NEAR(at(0, 0)[4], 30, Tol);
    // Downstream ground: all of H lost, total head H2, pore pressure gamma_w H2.
    EXPECT_NEAR(at(0, m.LastCol)[2], 2, Tol);
    EXPECT_NEAR(at(0, m.LastCol)[3], 100, Tol);
    EXPECT_NEAR(at(0, m.LastCol)[4], 20, Tol);
    // The grid's extent: 3 D of open ground each side of the wall's two faces one step apart
    // (x = 301 x D/50 = 12.04 m at the right edge), the base at z = -D.
    EXPECT_NEAR(at(0, m.LastCol)[0], 12.04, Tol);
    EXPECT_NEAR(at(sheetpile::BaseRow, 0)[1], -2, Tol);
    EXPECT_EQ(at(0, 5)[1], 0); // the ground surface, not "-0"

    // A single wall without blankets: the flow is antisymmetric about the wall, so at mirrored
    // base nodes the total heads sum to H1 + H2 and the pore pressures to gamma_w (H1 + H2 + 2D).
    // The relaxation truncates its integer means, which biases the head loss by well under
    // 0.2 % of H; the tolerances allow that.
    for (int k = 0; k <= 150; k += 30) {
        const TRow& up = at(sheetpile::BaseRow, m.PileUpCol - k);
        const TRow& down = at(sheetpile::BaseRow, m.PileDownCol + k);
        EXPECT_NEAR(up[2] + down[2], 5, 2e-3) << k;
        EXPECT_NEAR(up[4] + down[4], 10 * (5 + 4), 2e-2) << k;
    }
}

} // namespace
} // namespace verrask::report
