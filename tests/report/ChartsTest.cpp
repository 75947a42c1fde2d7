// Chart contents and the texts the report is made of: the nice-ticks rule, HTML escaping,
// base64 against RFC 4648's vectors, and an embedment chart drawn as well-formed SVG.
#include "report/ChartContents.h"
#include "report/ChartSvg.h"
#include "report/HtmlText.h"
#include "tests/report/ReportFixtures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace verrask::report {
namespace {

TEST(NiceAxis, RoundsOutToStepsOfOneTwoOrFive) {
    struct Case {
        double Lo, Hi, Min, Max, Step;
        int Decimals;
    };
    const Case cases[] = {
        {0, 0.97, 0, 1, 0.2, 1}, // exit gradients
        {0, 9.81, 0, 10, 2, 0},  // net pressure, gamma_w H with H = 1 m
        {-3, 17, -5, 20, 5, 0},  // a negative start
        {0.48, 1.32, 0.4, 1.4, 0.2, 1},
        {1.32, 0.48, 0.4, 1.4, 0.2, 1}, // ends given the other way round
        {0, 0.0004, 0, 0.0004, 0.0001, 4},
    };
    for (const Case& c : cases) {
        const TAxis a = NiceAxis(c.Lo, c.Hi);
        EXPECT_NEAR(a.Min, c.Min, 1e-12) << c.Lo << ".." << c.Hi;
        EXPECT_NEAR(a.Max, c.Max, 1e-12) << c.Lo << ".." << c.Hi;
        EXPECT_NEAR(a.Step, c.Step, 1e-15) << c.Lo << ".." << c.Hi;
        EXPECT_EQ(a.Decimals, c.Decimals) << c.Lo << ".." << c.Hi;
        ASSERT_EQ(a.Ticks.size(),
                  static_cast<std::size_t>(std::lround((c.Max - c.Min) / c.Step)) + 1);
        EXPECT_NEAR(a.Ticks.front(), c.Min, 1e-12);
        EXPECT_NEAR(a.Ticks.back(), c.Max, 1e-12);
    }
    EXPECT_EQ(TickLabel(NiceAxis(0, 0.97), 0.6000000000000001), "0.6");
    EXPECT_EQ(TickLabel(NiceAxis(-1, 1), -0.0), "0.0");

    // A single value gets a range around it; nothing finite gives 0..1.
    const TAxis one = NiceAxis(0.3, 0.3);
    EXPECT_LT(one.Min, 0.3);
    EXPECT_GT(one.Max, 0.3);
    const TAxis none = NiceAxis(NAN, INFINITY);
    EXPECT_EQ(none.Min, 0);
    EXPECT_EQ(none.Max, 1);
}

TEST(HtmlText, EscapesMarkupAndEncodesBase64) {
    EXPECT_EQ(HtmlEscape("<b a=\"1\">Tom & Jerry's</b>"),
              "&lt;b a=&quot;1&quot;&gt;Tom &amp; Jerry&#39;s&lt;/b&gt;");
    EXPECT_EQ(HtmlEscape("\xCE\xB3w m\xC2\xB3"), "\xCE\xB3w m\xC2\xB3"); // UTF-8 unchanged
    // RFC 4648, section 10.
    const std::pair<const char*, const char*> vectors[] = {{"", ""},
                                                           {"f", "Zg=="},
                                                           {"fo", "Zm8="},
                                                           {"foo", "Zm9v"},
                                                           {"foob", "Zm9vYg=="},
                                                           {"fooba", "Zm9vYmE="},
                                                           {"foobar", "Zm9vYmFy"}};
    for (const auto& [plain, coded] : vectors) {
        const std::string s = plain;
        EXPECT_EQ(Base64({s.begin(), s.end()}), coded);
        EXPECT_EQ(testing::FromBase64(coded), std::vector<unsigned char>(s.begin(), s.end()));
    }
}

TEST(EmbedmentChart, TrialsInDepthOrderWithTheTargetAndWellFormedSvg) {
    checks::TEmbedment e;
    e.Criterion = checks::TCriterion::Terzaghi;
    e.Target = 1.5L;
    e.Rows = 14;
    e.Interpolated = 0.5208L;
    // Trials in the order a search may record them; one without a figure is left out.
    for (const auto& [rows, value] : {std::pair{33, 4.046L},
                                      {12, 1.404L},
                                      {14, 1.637L},
                                      {13, 1.497L},
                                      {2, checks::NotAvailable}}) {
        checks::TEmbedmentTrial t;
        t.Rows = rows;
        t.Depth = rows * 0.04L;
        t.Value = value;
        e.Trials.push_back(t);
    }
    const TChart chart = EmbedmentChart(e);
    ASSERT_EQ(chart.Series.size(), 3u); // trials, target, interpolated depth
    const std::vector<TPoint>& trials = chart.Series[0].Points;
    ASSERT_EQ(trials.size(), 4u);
    for (std::size_t i = 1; i < trials.size(); ++i) EXPECT_LT(trials[i - 1].X, trials[i].X);
    for (const TPoint& p : chart.Series[1].Points) EXPECT_DOUBLE_EQ(p.Y, 1.5);
    for (const TSeries& s : chart.Series)
        for (const TPoint& p : s.Points) {
            EXPECT_GE(p.X, chart.X.Min);
            EXPECT_LE(p.X, chart.X.Max);
            EXPECT_GE(p.Y, chart.Y.Min);
            EXPECT_LE(p.Y, chart.Y.Max);
        }
    EXPECT_EQ(chart.Y.Title, "factor of safety (-)");

    // A title with markup stays text.
    TChart hostile = chart;
    hostile.Title = "</svg><script>x</script>";
    const std::string svg = ChartSvg(hostile, "c");
    EXPECT_EQ(testing::TagBalanceError(svg), "");
    EXPECT_EQ(svg.find("<script>"), std::string::npos);
}

} // namespace
} // namespace verrask::report
