// The section's calculation sheet: what the engineer signs must be on it, escaped, with the
// certain bracket and every verdict the checks give.
#include "report/SectionReport.h"
#include "sectionmodel/SectionSolve.h"

#include <gtest/gtest.h>

namespace {

using namespace verrask;

TEST(SectionReport, CarriesTheSectionItsBracketAndEveryVerdictEscaped) {
    section::TSection s;
    s.Layers = {{-4.0, 1e-4, 2.5e-5, 20.0, "<sand & silt>"}, {-12.0, 3e-4, 3e-4, 21.0, ""}};
    s.Walls = {{0.0, -7.0}};
    s.Surface = {{0.0, 3.0, false, {{-4.0, 0.0}}}, {-2.5, -2.5, false, {}}};
    report::TSectionReportContent c;
    ASSERT_EQ(sectionmodel::SolveSection(s, c.Result), "");
    c.Date = "2026-12-10 12:00 UTC";
    c.Info.Project = "Quay \"B\"";
    c.Checks = checks::RunSectionChecks(*c.Result, c.Settings);
    c.Embedment = checks::SearchSectionEmbedment(s, checks::TCriterion::Terzaghi, c.Settings,
                                                 sectionmodel::SolveSection);
    const std::string page = report::SectionReportHtml(c);
    EXPECT_EQ(page.find("<sand"), std::string::npos);
    EXPECT_NE(page.find("&lt;sand &amp; silt&gt;"), std::string::npos);
    EXPECT_NE(page.find("Quay &quot;B&quot;"), std::string::npos);
    EXPECT_NE(page.find("id=\"bracket\""), std::string::npos); // two water levels: certain
    EXPECT_NE(page.find("<svg"), std::string::npos);
    EXPECT_NE(page.find("id=\"trials\""), std::string::npos);
    EXPECT_NE(page.find("base of &lt;sand &amp; silt&gt;"), std::string::npos) << "EC7 UPL";
    // The governing verdict is the sentence at the top; every check row has one of three results.
    EXPECT_NE(page.find("Governing check: "), std::string::npos);
    EXPECT_EQ(page.find("nan"), std::string::npos);
    EXPECT_EQ(page.find("inf<"), std::string::npos);
    // Nothing is fetched from elsewhere.
    EXPECT_EQ(page.find("src=\"http"), std::string::npos);
}

} // namespace
