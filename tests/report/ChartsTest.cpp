// Chart contents and the texts the report is made of: the nice-ticks rule, HTML escaping,
// base64 against RFC 4648's vectors, an embedment chart drawn as well-formed SVG, and the chart
// layout with a measure of its own: nothing leaves the drawing, no tick label is cut.
#include "report/ChartContents.h"
#include "report/ChartLayout.h"
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

// 7 px a byte on a 14 px line: wider than the report's estimate, so nothing fits by its margins.
const TTextMeasure FakeMeasure{
    [](const std::string& t) { return 7.0 * static_cast<double>(t.size()); }, 14};

TChart ChartWithSeries(std::vector<std::string> names) {
    TChart chart;
    chart.Title = "Embedment search: factor of safety against heave";
    chart.X = NiceAxis(0, 12);
    chart.X.Title = "wall depth (m)";
    chart.Y = NiceAxis(0, 1e6); // a target of 1e6: seven-digit labels
    chart.Y.Title = "factor of safety (-)";
    for (std::string& name : names)
        chart.Series.push_back(
            {std::move(name), "#000000", TLineStyle::Solid, {{0, 0}, {12, 1e6}}});
    return chart;
}

void ExpectInside(const TBox& b, double width, const std::string& what) {
    EXPECT_GE(b.Left, 0) << what;
    EXPECT_LE(b.Right(), width) << what;
}

TEST(ChartLayout, WideTickLabelsAreWholeAndClearOfTheAxisTitle) {
    const TChart chart = ChartWithSeries({"trial depths"});
    for (double width : {420.0, 260.0}) {
        const TChartLayout l = LayOutChart(chart, width, 320, FakeMeasure);
        ASSERT_EQ(l.YTicks.size(), chart.Y.Ticks.size());
        for (const TTick& t : l.YTicks) {
            EXPECT_EQ(t.Label.Text, TickLabel(chart.Y, t.Value)); // never cut
            EXPECT_DOUBLE_EQ(t.Label.Box.Width, FakeMeasure.Width(t.Label.Text));
            EXPECT_GE(t.Label.Box.Left, l.YTitle.Box.Right()) << t.Label.Text;
            EXPECT_LT(t.Label.Box.Right(), l.Plot.Left) << t.Label.Text;
        }
        EXPECT_EQ(l.YTicks.back().Label.Text, "1000000");
        for (const TTick& t : l.XTicks) ExpectInside(t.Label.Box, width, t.Label.Text);
        ExpectInside(l.XTitle.Box, width, l.XTitle.Text);
        for (const TPlacedText& t : l.Title) ExpectInside(t.Box, width, t.Text);
        EXPECT_GT(l.Title.size(), width < 300 ? 1u : 0u); // the title wraps where it must
    }
}

TEST(ChartLayout, LegendWrapsIntoRowsWithinTheWidth) {
    const double width = 300;
    const TChart chart =
        ChartWithSeries({"from the flow net", "Bligh's line of creep", "interpolated depth 4.37 m",
                         "target FS 1.5", "a name far too long to stand on any row of this chart"});
    const TChartLayout l = LayOutChart(chart, width, 320, FakeMeasure);
    ASSERT_EQ(l.Legend.size(), chart.Series.size());
    EXPECT_GE(l.LegendRows, 3);
    for (std::size_t i = 0; i < l.Legend.size(); ++i) {
        const TLegendEntry& e = l.Legend[i];
        ExpectInside(e.Sample, width, e.Name.Text);
        ExpectInside(e.Name.Box, width, e.Name.Text);
        EXPECT_LE(e.Name.Box.Bottom(), l.Plot.Top) << e.Name.Text;
        // Entries on one row do not overlap.
        if (i > 0 && l.Legend[i - 1].Sample.Top == e.Sample.Top) {
            EXPECT_LT(l.Legend[i - 1].Name.Box.Right(), e.Sample.Left) << e.Name.Text;
        }
    }
    EXPECT_EQ(l.Legend[0].Name.Text, "from the flow net");
    const std::string& cut = l.Legend.back().Name.Text;
    EXPECT_EQ(cut.substr(cut.size() - 3), "\xE2\x80\xA6"); // an ellipsis
    EXPECT_EQ(FitText("abc", 1, FakeMeasure), "");
    // Whole UTF-8 characters are dropped: 7 px a character, not a byte.
    const TTextMeasure chars{[](const std::string& t) {
                                 double n = 0;
                                 for (char c : t)
                                     n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
                                 return 7 * n;
                             },
                             14};
    EXPECT_EQ(FitText("\xCE\xB3\xCE\xB3\xCE\xB3", 14, chars), "\xCE\xB3\xE2\x80\xA6");
}

TEST(ChartLayout, PlotStaysPositiveAndPointsLandInItAtAnySize) {
    const TChart chart = ChartWithSeries({"from the flow net", "Bligh's line of creep"});
    for (auto [w, h] : {std::pair{0.0, 0.0}, {1.0, 1.0}, {60.0, 40.0}, {220.0, 200.0}}) {
        const TChartLayout l = LayOutChart(chart, w, h, FakeMeasure);
        EXPECT_GE(l.Plot.Width, 1) << w << " x " << h;
        EXPECT_GE(l.Plot.Height, 1) << w << " x " << h;
    }
    const TChartLayout l = LayOutChart(chart, 420, 320, FakeMeasure);
    EXPECT_DOUBLE_EQ(l.PlaceX(chart.X.Min), l.Plot.Left);
    EXPECT_DOUBLE_EQ(l.PlaceX(chart.X.Max), l.Plot.Right());
    EXPECT_DOUBLE_EQ(l.PlaceY(chart.Y.Min), l.Plot.Bottom());
    TChart depth = chart;
    depth.Y.Reversed = true; // depth grows downwards
    EXPECT_DOUBLE_EQ(LayOutChart(depth, 420, 320, FakeMeasure).PlaceY(depth.Y.Min), l.Plot.Top);
}

} // namespace
} // namespace verrask::report
