// Picture composition: the layers of NetBitmap, the pile box and the blanket line, the
// structure strip of the shown picture, repaints with the stored counts, and golden pictures of
// complete runs.
#include "support/PngFile.h"
#include "tests/ModelFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace sheetpile::testing {
namespace {

constexpr TColor Red = RGBColor(255, 0, 0);
constexpr TColor Blue = RGBColor(0, 0, 255);
constexpr TColor Background = RGBColor(245, 242, 235);
constexpr TColor Magenta = RGBColor(255, 0, 255);

// A model after start-up with the geometry of (D = 2, d, L, R), the other inputs as the boxes
// hold them when the window opens, and every fine field at 0.
std::unique_ptr<TModel> PictureModel(long double d, long double L, long double R) {
    auto m = NewModel();
    m->StratumDepth = 2;
    m->HeadDiff = 1;
    m->UnitWeightRatio = 1;
    m->Permeability = 1e-5L;
    m->SetupGeometry(2, d, L, R);
    for (auto& row : m->FineHead) row.fill(0); // a new model leaves them unwritten
    for (auto& row : m->FineStream) row.fill(0);
    return m;
}

// NetBitmap of fields that are 0 everywhere: red ground lines on row 0, the blue base line on
// row 199, the pile box from x = pileX to pileX + 4 and down to row pileBottom with the given
// interior, and the blanket line on row 0 from x = 600 to blanketEnd - 1.
auto ZeroFieldNet(int pileX, int pileBottom, int blanketEnd, TColor interior) {
    return [=](int x, int y) {
        const bool inBox = x >= pileX && x <= pileX + 4 && y <= pileBottom;
        if (inBox && (x == pileX || x == pileX + 4 || y == 0 || y == pileBottom)) return Blue;
        if (inBox) return interior;
        if (y == 0) return x >= 600 && x < blanketEnd ? Blue : Red;
        return y == 199 ? Blue : Background;
    };
}

// "" if every pixel is want(x, y), else the first misses.
template <typename Want> std::string Diff(const TBitmap& bmp, Want want) {
    std::string out;
    int wrong = 0;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            if (bmp.GetPixel(x, y) != want(x, y) && ++wrong <= 6)
                out += " (" + std::to_string(x) + "," + std::to_string(y) + ")";
    return wrong ? std::to_string(wrong) + " wrong:" + out : "";
}

// The shown picture: 204 rows, the strip (row 0 blue over x0..x3, rows 1..3 blue at the four
// x) above NetBitmap.
std::string Shown(const TModel& m, int x0, int x1, int x2, int x3) {
    if (m.ShownPicture.Width() != m.NetBitmap.Width() || m.ShownPicture.Height() != 204)
        return "size";
    return Diff(m.ShownPicture, [&](int x, int y) {
        if (y >= 4) return m.NetBitmap.GetPixel(x, y - 4);
        if (y == 0) return x >= x0 && x <= x3 ? Blue : WhiteColor;
        return x == x0 || x == x1 || x == x2 || x == x3 ? Blue : WhiteColor;
    });
}

TEST(PictureComposition, PileBoxBlanketLineAndStrip) {
    struct Case {
        long double d, L, R;
        int width, pileX, pileBottom, rightBlanketX;
    };
    const Case cases[] = {
        {1, 0, 0, 1204, 600, 100, 604},    // default: both strip boxes at x = 600..604
        {0, 0, 0, 1204, 600, 0, 604},      // PileRows 0: a one-row box on row 0
        {1, 1, 0.5L, 1352, 700, 100, 752}, // right blanket Round(12.5) = 12 steps
    };
    for (const Case& c : cases) {
        auto m = PictureModel(c.d, c.L, c.R);
        m->RenderNet(10, 5);
        m->DrawStructure();
        m->ShowNetPicture();
        ASSERT_EQ(m->NetBitmap.Width(), c.width);
        ASSERT_EQ(m->NetBitmap.Height(), 200);
        EXPECT_EQ(
            Diff(m->NetBitmap, ZeroFieldNet(c.pileX, c.pileBottom, c.rightBlanketX, WhiteColor)),
            "");
        EXPECT_EQ(Shown(*m, 600, c.pileX, c.pileX + 4, c.rightBlanketX), "");
    }
    // The default geometry by hand: box x = 600..604 and rows 0..100, blanket line 600..603.
    auto m = PictureModel(1, 0, 0);
    m->RenderNet(10, 5);
    m->DrawStructure();
    const TColor row0[] = {Red, Blue, Blue, Blue, Blue, Blue, Red}; // x = 599..605
    for (int x = 599; x <= 605; ++x) EXPECT_EQ(m->NetBitmap.GetPixel(x, 0), row0[x - 599]) << x;
    EXPECT_EQ(m->NetBitmap.GetPixel(602, 99), WhiteColor);
    EXPECT_EQ(m->NetBitmap.GetPixel(602, 100), Blue);
    EXPECT_EQ(m->NetBitmap.GetPixel(600, 101), Background);
    EXPECT_EQ(m->DrawNd, 10u);
    EXPECT_EQ(m->DrawNf, 5u);
}

TEST(PictureComposition, RedrawLeavesThePileBackgroundUntilTheNextRender) {
    auto m = PictureModel(1, 0, 0);
    m->RenderNet(10, 5);
    m->DrawStructure();
    m->ShowCriticalZone = true; // a check box changed: no gradient here, so no tint
    m->RedrawNet();
    EXPECT_EQ(Diff(m->NetBitmap, ZeroFieldNet(600, 100, 604, Background)), "");
    m->RenderNet(10, 6);
    m->DrawStructure();
    EXPECT_EQ(Diff(m->NetBitmap, ZeroFieldNet(600, 100, 604, WhiteColor)), "");
}

TEST(PictureComposition, RedrawUsesTheCountsOfTheLastRender) {
    auto m = PictureModel(1, 0, 0);
    for (int y = 0; y < FineRows; ++y)
        for (int x = 0; x < FineCols; ++x) {
            m->FineHead[y][x] = 5000000u * static_cast<std::uint32_t>(y);
            m->FineStream[y][x] = std::min(FullScale, 830000u * static_cast<std::uint32_t>(x));
        }
    m->RenderNet(20, 30);
    const std::uint64_t other = m->NetBitmap.PixelHash();
    m->RenderNet(4, 3);
    ASSERT_NE(m->NetBitmap.PixelHash(), other);
    m->DrawStructure();
    TBitmap want = m->NetBitmap;
    for (int y = 1; y < 100; ++y)
        for (int x = 601; x <= 603; ++x) want.SetPixel(x, y, Background);

    m->Nd = 20; // the Flow Net bar moved without a re-rendering
    m->Nf = 30;
    m->RedrawNet();
    EXPECT_EQ(m->DrawNd, 4u);
    EXPECT_EQ(m->DrawNf, 3u);
    EXPECT_EQ(Diff(m->NetBitmap, [&](int x, int y) { return want.GetPixel(x, y); }), "");
}

TEST(PictureComposition, ShownPictureIsWrittenWholeAndRepaintsKeepTheStrip) {
    // An earlier, wider run left its strip behind, and the picture is painted over.
    auto m = PictureModel(1, 1, 0.5L);
    m->RenderNet(10, 5);
    m->DrawStructure();
    m->ShowNetPicture();
    m->SetupGeometry(2, 1, 0, 0);
    m->ShownPicture.BrushColor = Magenta;
    m->ShownPicture.FillRect(0, 0, 2004, 204);
    m->RenderNet(10, 5);
    m->DrawStructure();
    m->ShowNetPicture();
    EXPECT_EQ(Shown(*m, 600, 600, 604, 604), "");

    // A check box: NetBitmap repainted and copied below the strip, which stays.
    m->ShowCriticalZone = true;
    m->RedrawNet();
    m->ShownPicture.SetPixel(0, 4, Magenta);
    m->ShowNetBitmap();
    EXPECT_EQ(Shown(*m, 600, 600, 604, 604), "");
    EXPECT_EQ(m->ShownPicture.GetPixel(602, 5), Background);
}

// --- Whole pictures of complete runs ---

class PictureGolden : public ::testing::Test {
  protected:
    // A run from start-up: inputs, geometry, both workers, the discharge.
    static std::unique_ptr<TModel> Solve(long double d, long double L, long double R) {
        auto m = PictureModel(d, L, R);
        TThread1Execute(*m);
        TThread2Execute(*m);
        m->ComputeDischarge();
        return m;
    }
    // What the completion of a run draws.
    static void Compose(TModel& m) {
        m.RenderNet(m.Nd, m.Nf);
        m.DrawStructure();
        m.ShowNetPicture();
    }
    static ::testing::AssertionResult Golden(const TModel& m, std::uint64_t want,
                                             const std::string& name) {
        const std::uint64_t got = m.ShownPicture.PixelHash();
        if (got == want) return ::testing::AssertionSuccess();
        const std::string path = ::testing::TempDir() + "verrask_" + name + ".png";
        const std::string error = verrask::WritePng(path, m.ShownPicture);
        return ::testing::AssertionFailure() << name << ": hash " << got << "ull, picture "
                                             << (error.empty() ? "written to " + path : error);
    }
    static void SetUpTestSuite() { defaultRun = Solve(1, 0, 0).release(); }
    static void TearDownTestSuite() {
        delete defaultRun;
        defaultRun = nullptr;
    }
    static TModel* defaultRun;
};

TModel* PictureGolden::defaultRun = nullptr;

TEST_F(PictureGolden, DefaultRun) {
    TModel& m = *defaultRun;
    ASSERT_EQ(m.Nd, 10u);
    ASSERT_EQ(m.Nf, 5u);
    Compose(m);
    EXPECT_TRUE(Golden(m, 877990990578684562ull, "default"));
}

TEST_F(PictureGolden, DefaultRunWithAllZones) {
    TModel& m = *defaultRun;
    m.ShowCriticalZone = m.ShowPossibleHeave = m.ShowImminentHeave = true;
    Compose(m);
    m.ShowCriticalZone = m.ShowPossibleHeave = m.ShowImminentHeave = false;
    EXPECT_TRUE(Golden(m, 16491001752491009018ull, "default_zones"));
    // Possible heave downstream of the wall; no mean gradient reaches the critical one, and
    // the local gradient exceeds it only at two pixels beside the wall's tip.
    int possible = 0, imminent = 0;
    std::vector<std::pair<int, int>> tinted;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < m.NetBitmap.Width(); ++x) {
            const TColor c = m.NetBitmap.GetPixel(x, y);
            possible += c == RGBColor(222, 214, 192);
            imminent += c == RGBColor(200, 185, 151);
            if (c == RGBColor(194, 208, 216)) tinted.push_back({x, y});
        }
    EXPECT_EQ(possible, 5330);
    EXPECT_EQ(imminent, 0);
    EXPECT_EQ(tinted, (std::vector<std::pair<int, int>>{{605, 95}, {605, 97}}));
}

TEST_F(PictureGolden, RunWithBlankets) {
    auto m = Solve(1.5L, 1, 0.5L);
    Compose(*m);
    EXPECT_TRUE(Golden(*m, 17590541243908839349ull, "blankets"));
}

} // namespace
} // namespace sheetpile::testing
