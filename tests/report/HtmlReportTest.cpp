// The report of a known run read back: its figures are the batch tool's texts, the engineering
// figures match the exact solution of a single wall, the embedded PNG decodes to the shown
// picture's exact pixels, the diagrams are well-formed SVG, every outside text is escaped; and a
// failed write keeps the earlier file.
//
// Tolerance of the published figures: the 51-row grid reads the wall figures within about 1.5 %
// of the exact solution at d/D = 0.5 (its gradient is singular at the tip); 3 % bounds that grid
// error and still catches a figure taken from the wrong row, column or check.
#include "report/HtmlReport.h"
#include "control/NumberFormat.h"
#include "report/ChartContents.h"
#include "report/CheckReport.h"
#include "report/ReportFile.h"
#include "tests/checks/CheckFixtures.h"
#include "tests/report/ReportFixtures.h"

#include <zlib.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

namespace verrask::report {
namespace {

using testing::TextById;

std::uint32_t BigEndian32(const unsigned char* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

// The default inputs solved, with the critical zone switched on as a user would.
struct TKnownRun {
    std::unique_ptr<sheetpile::TModel> Model;
    TReportContent Content;
    std::string Html;
};

const TKnownRun& KnownRun() {
    static const TKnownRun run = [] {
        TKnownRun r;
        r.Model = std::make_unique<sheetpile::TModel>(checks::testing::HalfDepthRun());
        r.Model->ShowCriticalZone = true;
        r.Model->RedrawNet();
        r.Model->ShowNetBitmap();
        r.Content.Date = "2026-12-09 <noon> & after";
        r.Content.Info.Project = "Dam <A>";
        r.Content.Inputs.Permeability = "1E-5<script>alert('x')</script>";
        r.Content.Settings.TypedWallDepth = 1;
        r.Content.Checks =
            checks::RunDesignChecks(*checks::testing::ResultOf(*r.Model), r.Content.Settings);
        std::string error;
        r.Html = ReportHtml(r.Content, *checks::testing::ResultOf(*r.Model), error);
        EXPECT_EQ(error, "");
        return r;
    }();
    return run;
}

TEST(HtmlReport, FiguresAreTheBatchToolsAndMatchTheExactSolution) {
    const TKnownRun& r = KnownRun();
    const std::string batch = report::ChecksText(r.Content.Checks, r.Content.Settings);
    const std::string message = ResultMessage(*r.Model, '.');
    auto contains = [](const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    };
    EXPECT_TRUE(contains(message, "= " + TextById(r.Html, "shape-factor") + "\r\n"));
    EXPECT_TRUE(contains(message, "q = " + TextById(r.Html, "q")));
    EXPECT_EQ(TextById(r.Html, "nd"), std::to_string(r.Model->Nd));
    EXPECT_EQ(TextById(r.Html, "nf"), std::to_string(r.Model->Nf));
    EXPECT_TRUE(contains(batch, " q = " + TextById(r.Html, "q-per-day") + " m3/day"));
    EXPECT_TRUE(contains(batch, "FS_exit = " + TextById(r.Html, "fs-exit") + " "));
    EXPECT_TRUE(contains(batch, "FS = " + TextById(r.Html, "fs-terzaghi") + " passes;"));
    EXPECT_TRUE(contains(batch, "utilisation " + TextById(r.Html, "utilisation-a") + " "));
    EXPECT_TRUE(contains(batch, "utilisation " + TextById(r.Html, "utilisation-b") + " "));
    EXPECT_TRUE(contains(batch, "net water force " + TextById(r.Html, "net-force") + " kN/m"));

    // Exact solution at d/D = 0.5, H = 1 m, d = 1 m, i_c = 1, gamma_w = 9.81 kN/m3: net water
    // force 0.6494 gamma_w H d; Terzaghi's FS = i_c d / (0.3414 H).
    EXPECT_NEAR(std::stod(TextById(r.Html, "net-force")), 0.6494 * 9.81, 0.03 * 0.6494 * 9.81);
    EXPECT_NEAR(std::stod(TextById(r.Html, "fs-terzaghi")), 1 / 0.3414, 0.03 / 0.3414);
    // Nf/Nd = 0.5 exact; the shown shape factor is rounded to 1/80.
    EXPECT_NEAR(std::stod(TextById(r.Html, "shape-factor")), 0.5, 0.5 * 0.03);
}

TEST(HtmlReport, EmbeddedPngDecodesToTheShownPicture) {
    const TKnownRun& r = KnownRun();
    const std::string prefix = "src=\"data:image/png;base64,";
    const std::size_t at = r.Html.find(prefix);
    ASSERT_NE(at, std::string::npos);
    const std::size_t start = at + prefix.size();
    const std::vector<unsigned char> png =
        testing::FromBase64(r.Html.substr(start, r.Html.find('"', start) - start));
    const sheetpile::TBitmap& shown = r.Model->ShownPicture;
    const int width = shown.Width(), height = shown.Height();
    ASSERT_GT(png.size(), 8u);

    std::vector<unsigned char> idat;
    for (std::size_t p = 8; p + 12 <= png.size();) {
        const std::uint32_t size = BigEndian32(&png[p]);
        ASSERT_LE(p + 12 + size, png.size());
        const std::string type(png.begin() + static_cast<long>(p) + 4,
                               png.begin() + static_cast<long>(p) + 8);
        if (type == "IHDR") {
            EXPECT_EQ(BigEndian32(&png[p + 8]), static_cast<std::uint32_t>(width));
            EXPECT_EQ(BigEndian32(&png[p + 12]), static_cast<std::uint32_t>(height));
        }
        if (type == "IDAT") idat.insert(idat.end(), &png[p + 8], &png[p + 8] + size);
        p += 12 + size;
    }
    const std::size_t rowBytes = 1 + 3 * static_cast<std::size_t>(width);
    std::vector<unsigned char> raw(rowBytes * static_cast<std::size_t>(height));
    uLongf rawSize = static_cast<uLongf>(raw.size());
    ASSERT_EQ(uncompress(raw.data(), &rawSize, idat.data(), static_cast<uLong>(idat.size())), Z_OK);
    ASSERT_EQ(rawSize, raw.size());
    int wrong = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned char* px = &raw[rowBytes * static_cast<std::size_t>(y) + 1 + 3 * x];
            const sheetpile::TColor c = shown.Row(y)[x];
            wrong += px[0] != sheetpile::RedOf(c) || px[1] != sheetpile::GreenOf(c) ||
                     px[2] != sheetpile::BlueOf(c);
        }
    EXPECT_EQ(wrong, 0);
}

TEST(HtmlReport, DiagramsAreWellFormedAndOutsideTextsEscaped) {
    const TKnownRun& r = KnownRun();
    EXPECT_EQ(r.Html.find("<script"), std::string::npos);
    EXPECT_NE(r.Html.find("1E-5&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt;"),
              std::string::npos);
    EXPECT_EQ(TextById(r.Html, "date"), "2026-12-09 &lt;noon&gt; &amp; after");
    EXPECT_NE(r.Html.find("<td>Dam &lt;A&gt;</td>"), std::string::npos);
    // The governing check in one sentence at the top; the run's q and the field's both labelled.
    EXPECT_EQ(TextById(r.Html, "governing").rfind("Governing check: ", 0), 0u);
    EXPECT_LT(r.Html.find("id=\"governing\""), r.Html.find("id=\"inputs\""));
    EXPECT_NE(TextById(r.Html, "field-shape-factor"), TextById(r.Html, "shape-factor"));

    std::vector<std::string> svgs = testing::Svgs(r.Html);
    EXPECT_EQ(svgs.size(), 2u); // no embedment section without a search
    TReportContent withSearch = r.Content;
    withSearch.Embedment.emplace();
    withSearch.Embedment->Trials.push_back({12, 0.48L, 1.404L, false, 0});
    withSearch.Embedment->Trials.push_back({14, 0.56L, 1.637L, true, 0});
    std::string error;
    svgs = testing::Svgs(ReportHtml(withSearch, *checks::testing::ResultOf(*r.Model), error));
    ASSERT_EQ(svgs.size(), 3u);
    for (const std::string& svg : svgs) EXPECT_EQ(testing::TagBalanceError(svg), "") << svg;

    // An overlay shown but empty says so under the picture: a critical gradient Y'/Yw of 100
    // exceeds any gradient of the grid, at most H / (D/50) = 25.
    auto heavy = checks::testing::Rescaled(*r.Model, 2, 1, 1e-5L, 100);
    heavy->ShowImminentHeave = true;
    EXPECT_NE(ReportHtml(r.Content, *checks::testing::ResultOf(*heavy), error)
                  .find("Overlays shown: critical zone (no critical zone anywhere), imminent "
                        "heave zone (no imminent heave anywhere)</figcaption>"),
              std::string::npos);

    // The wall diagram: the full head above ground at the surface on both diagrams, the creep
    // line down to nothing at the tip, depth growing downwards.
    const TChart wall = WallPressureChart(*checks::testing::ResultOf(*r.Model), r.Content.Checks,
                                          r.Content.Settings);
    ASSERT_EQ(wall.Series.size(), 2u);
    EXPECT_EQ(wall.Series[0].Points.size(), 26u);
    EXPECT_NEAR(wall.Series[0].Points.front().X, 9.81, 1e-9);
    EXPECT_NEAR(wall.Series[1].Points.back().Y, 1, 1e-12);
    EXPECT_EQ(wall.Series[1].Points.back().X, 0);
    EXPECT_TRUE(wall.Y.Reversed);
}

TEST(ReportFile, ReplacesTheTargetOnlyWhenComplete) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(::testing::TempDir()) / "verrask_report_file";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string path = (dir / "r.html").string();
    auto read = [](const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    ASSERT_EQ(WriteReportFile(path, "first"), "");
    EXPECT_EQ(read(path), "first");
    ASSERT_EQ(WriteReportFile(path, "second"), "");
    EXPECT_EQ(read(path), "second");
    EXPECT_FALSE(fs::exists(path + ".part"));

    // The temporary file cannot be made: the earlier report stays.
    fs::create_directory(path + ".part");
    EXPECT_NE(WriteReportFile(path, "third"), "");
    EXPECT_EQ(read(path), "second");
    fs::remove(path + ".part");
    // A folder in the target's place, a missing folder, no name: refused, nothing left behind.
    fs::create_directory(dir / "sub");
    EXPECT_NE(WriteReportFile((dir / "sub").string(), "x"), "");
    EXPECT_TRUE(fs::is_directory(dir / "sub"));
    EXPECT_FALSE(fs::exists((dir / "sub").string() + ".part"));
    EXPECT_NE(WriteReportFile((dir / "missing" / "r.html").string(), "x"), "");
    EXPECT_NE(WriteReportFile("", "x"), "");
    fs::remove_all(dir);
}

} // namespace
} // namespace verrask::report
