// Random sections the reader accepts, through everything a user can ask of them: the solve, the
// checks, the picture, the report and the toe search. Each must be solved (no refusal for lost
// precision), balanced and drawn, with nothing undefined in the texts; this is how a thin
// gravel lens between clays and soil cut off behind a wall to the base were found.
#include "checks/SectionChecks.h"
#include "checks/SectionEmbedment.h"
#include "report/SectionChecksText.h"
#include "report/SectionPicture.h"
#include "report/SectionReport.h"
#include "report/SectionText.h"
#include "section/SectionFile.h"
#include "sectionmodel/SectionSolve.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <sstream>

namespace {

using namespace verrask;

// A section file with 1 to 3 layers (k from 1e-9 to 1e-2 m/s, anisotropic), 1 or 2 walls (some
// to the base), grounds and water levels of their own, some covers; it may be refused.
std::string RandomSectionText(std::mt19937& rng) {
    const auto real = [&](double a, double b) {
        return std::uniform_real_distribution<double>(a, b)(rng);
    };
    const auto whole = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng); };
    std::ostringstream j;
    const int layers = whole(1, 3), walls = whole(1, 2);
    double z = 0;
    j << "{\"verrask_section\":1,\"accuracy\":0.02,\"layers\":[";
    for (int l = 0; l < layers; ++l) {
        z -= real(0.5, 10);
        const double k = std::pow(10, real(-9, -2));
        j << (l ? "," : "") << "{\"bottom\":" << z << ",\"kx\":" << k * std::pow(10, real(0, 1))
          << ",\"kz\":" << k << ",\"gamma_sat\":" << real(10.5, 25) << "}";
    }
    const double base = z;
    std::vector<double> xs{real(-10, 10)}, grounds;
    if (walls == 2) xs.push_back(xs[0] + real(0.5, 20));
    for (int k = 0; k <= walls; ++k) grounds.push_back(real(0.6 * base, 0));
    j << "],\"walls\":[";
    for (int w = 0; w < walls; ++w) {
        const double low = std::min(grounds[w], grounds[w + 1]);
        j << (w ? "," : "") << "{\"x\":" << xs[w]
          << ",\"toe\":" << (whole(0, 8) == 0 ? base : real(base + 0.01, low - 0.01)) << "}";
    }
    j << "],\"surface\":[";
    for (int k = 0; k <= walls; ++k) {
        j << (k ? "," : "") << "{\"ground\":" << grounds[k]
          << ",\"water\":" << grounds[k] + (whole(0, 3) ? real(0, 5) : 0);
        const double a = k == 0 ? xs[0] - 5 : xs[k - 1], b = k == walls ? xs.back() + 5 : xs[k];
        double c1 = real(a, b), c2 = real(a, b);
        if (c1 > c2) std::swap(c1, c2);
        if (whole(0, 3) == 0 && c2 - c1 > 0.01) j << ",\"covered\":[[" << c1 << "," << c2 << "]]";
        j << "}";
    }
    j << "]}";
    return j.str();
}

TEST(RandomSections, AreSolvedCheckedDrawnAndReported) {
    std::mt19937 rng(20261210);
    int solved = 0;
    for (int n = 0; n < 24; ++n) {
        const std::string text = RandomSectionText(rng);
        section::TSection s;
        if (!section::ReadSectionText(text, s).empty()) continue;
        SCOPED_TRACE(text);
        section::TSectionResultPtr r;
        ASSERT_EQ(sectionmodel::SolveSection(s, r), "");
        ++solved;
        EXPECT_LE(r->QLow, r->QHigh);
        // Inflow equals outflow to 1e-9 even for soils 1e7 apart: the heads are refined in
        // long double (in double, the most pervious soil's rounding reached 2e-6).
        EXPECT_LE(std::fabs(r->MassBalance), 1e-9);
        const checks::TCheckSettings settings;
        report::TSectionReportContent c;
        c.Result = r;
        c.Checks = checks::RunSectionChecks(*r, settings);
        if (n % 8 == 0)
            c.Embedment = checks::SearchSectionEmbedment(s, checks::TCriterion::Terzaghi, settings,
                                                         sectionmodel::SolveSection);
        const std::string texts = report::SectionText(*r, 0) + report::SectionJson(*r, 0) +
                                  report::SectionChecksText(*r, c.Checks, settings) +
                                  report::SectionChecksJson(*r, c.Checks, settings) +
                                  report::SectionReportHtml(c);
        EXPECT_EQ(texts.find("nan"), std::string::npos);
        EXPECT_EQ(texts.find("inf\""), std::string::npos);
        report::TSectionPicture picture;
        EXPECT_EQ(report::SectionPicture(*r, {}, picture), "");
        EXPECT_GT(picture.Raster.Width(), 0);
    }
    EXPECT_GE(solved, 12); // the reader accepts most of them
}

} // namespace
