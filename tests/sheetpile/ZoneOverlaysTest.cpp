// Heave and critical-zone overlays: the threshold, the peak of the running mean per column, the
// stripes drawn from it, the half-and-half tint, and the degenerate thresholds. The gradient
// profiles are written into HeadGrid, since DrawZones always rebuilds the gradient from it.
#include "tests/ModelFixtures.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

namespace sheetpile::testing {
namespace {

constexpr TColor Background = RGBColor(245, 242, 235);
constexpr TColor Possible = RGBColor(222, 214, 192);
constexpr TColor Imminent = RGBColor(200, 185, 151);
constexpr TColor Skip = InvalidColor; // a pixel the check leaves out

// Default markers (1204 x 200), a background picture, no gradient (HeadGrid constant) and
// inputs that make the threshold exactly unitWeightRatio x 1e9 / headDiff.
std::unique_ptr<TModel> ZoneModel(long double unitWeightRatio, long double headDiff = 1000) {
    auto m = NewModel();
    SetMarkers(*m, 25, 0, 0);
    m->StratumDepth = 50;
    m->HeadDiff = headDiff;
    m->UnitWeightRatio = unitWeightRatio;
    for (auto& row : m->HeadGrid) row.fill(500000000);
    m->NetBitmap.SetSize(1204, 200);
    m->NetBitmap.BrushColor = Background;
    m->NetBitmap.FillRect(0, 0, 1204, 200);
    return m;
}

// GradGrid rows of one coarse column, whole numbers, row 0 even.
using Profile = std::array<std::int64_t, CoarseRows>;

// Writes HeadGrid columns c0..c1 so that BuildGradientField gives the profile in rows 0..47
// (fine rows 0..188 between whole coarse columns). The base row's difference is fixed by the
// others; one negative step at row 48 or 49 keeps it at 0. Returns the profile as built.
Profile SetProfile(TModel& m, Profile g, int c0, int c1) {
    std::int64_t base = -g[0];
    for (int r = 1; r < BaseRow; ++r) base += (r % 2 == 1 ? 2 : -2) * g[r];
    (base < 0 ? g[48] : g[49]) -= (base < 0 ? -base : base) / 2;
    std::array<std::int64_t, CoarseRows> h{500000000, 500000000 - g[0]};
    for (int r = 1; r < BaseRow; ++r) h[r + 1] = h[r - 1] - 2 * g[r];
    EXPECT_EQ(h[BaseRow - 1], h[BaseRow]);
    for (int r = 0; r < CoarseRows; ++r)
        for (int c = c0; c <= c1; ++c) m.HeadGrid[r][c] = static_cast<std::uint32_t>(h[r]);
    return g;
}

// Fine rows 45..52: 1, 2, 3, 4, 2.5, 1, -0.5, -2 (x 1e7): the running mean rises to 2.7e6 at
// row 50 and falls from row 51 on.
Profile PeakAt50() {
    Profile g{};
    g[12] = 40000000;
    g[13] = -20000000;
    return g;
}

// "" if every pixel is want(x, y) (or Skip), else the first misses.
template <typename Want> std::string Diff(const TBitmap& bmp, Want want) {
    std::string out;
    int wrong = 0;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            if (want(x, y) != Skip && bmp.GetPixel(x, y) != want(x, y) && ++wrong <= 6)
                out += " (" + std::to_string(x) + "," + std::to_string(y) + ")";
    return wrong ? std::to_string(wrong) + " wrong:" + out : "";
}
// Stripes over rows 0..lastRow of every column, and these colours below: top first.
auto Rows(int lastRow, TColor stripe, std::initializer_list<std::pair<int, TColor>> below = {}) {
    return [=](int, int y) {
        if (y <= lastRow) return stripe;
        for (const auto& [last, colour] : below)
            if (y <= last) return colour;
        return Background;
    };
}

TEST(ZoneOverlays, ThresholdIsTheCriticalGradientPerGridStep) {
    EXPECT_EQ(ZoneModel(1)->HeaveThreshold(), 1000000.0L);
    EXPECT_EQ(ZoneModel(-1)->HeaveThreshold(), -1000000.0L);
    EXPECT_EQ(ZoneModel(0)->HeaveThreshold(), 0.0L);
    // The default inputs (Y'/Yw 1, D 2, head difference 1): 2 / 50 is inexact, 4e7 is not.
    auto m = ZoneModel(1, 1);
    m->StratumDepth = 2;
    EXPECT_EQ(m->HeaveThreshold(), 40000000.0L);
    // In the stated order, 0.3, 2 and 3 give one unit in the last place above 4e6 (forming
    // D / 50 or 1e9 / 3 first would give 4e6 exactly).
    m->UnitWeightRatio = 0.3L;
    m->HeadDiff = 3;
    EXPECT_EQ(m->HeaveThreshold(), std::nextafter(4000000.0L, 5000000.0L));
}

TEST(ZoneOverlays, NoOverlayChangesNoPixelAndBuildsNoGradient) {
    auto m = ZoneModel(1);
    const Profile g = SetProfile(*m, PeakAt50(), 0, m->LastCol);
    for (auto& row : m->GradGrid) row.fill(7);
    for (auto& row : m->FineGrad) row.fill(7);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 1204; ++x) m->NetBitmap.SetPixel(x, y, static_cast<TColor>(x * y));
    const std::uint64_t before = m->NetBitmap.PixelHash();
    m->DrawZones();
    EXPECT_EQ(m->NetBitmap.PixelHash(), before);
    EXPECT_EQ(m->GradGrid[10][10], 7);
    EXPECT_EQ(m->FineGrad[40][40], 7);

    // The profile as the overlays' gradient gives it.
    m->BuildGradientField();
    for (int r = 0; r < CoarseRows; ++r)
        for (int c = 0; c <= m->LastCol; c += 50) {
            ASSERT_EQ(m->GradGrid[r][c], static_cast<long double>(g[r])) << r << "," << c;
            ASSERT_EQ(m->FineGrad[4 * r][4 * c], static_cast<long double>(g[r]));
        }
    EXPECT_EQ(m->FineGrad[49][1204], 25000000.0L);
}

TEST(ZoneOverlays, StripeEndsTwoRowsAboveThePeakRow) {
    Profile peakAtOne{}, tie{};
    peakAtOne[0] = 4000000; // fine rows 1..4: 3, 2, 1, 0 (x 1e6)
    // Fine rows 1..10 and 11..20 both sum to 9e6: equal means at rows 10 and 20.
    const std::int64_t coarse[] = {-12, 0, 8, -4, 0, 8, -40};
    for (int r = 0; r < 7; ++r) tie[r] = coarse[r] * 1000000;
    const std::pair<Profile, int> cases[] = {{PeakAt50(), 48}, {peakAtOne, -1}, {tie, 8}};
    for (const auto& [profile, stripeEnd] : cases) {
        const int lastRow = stripeEnd; // captured below
        // Coarse columns 0..100 carry the profile (fine columns 0..400 exactly), 104.. none.
        auto m = ZoneModel(0.5L); // threshold 5e5, below every peak mean here
        SetProfile(*m, profile, 0, 100);
        for (const TColor stripe : {Possible, Imminent}) {
            m->ShowPossibleHeave = stripe == Possible;
            m->ShowImminentHeave = stripe == Imminent;
            m->NetBitmap.FillRect(0, 0, 1204, 200);
            m->DrawZones();
            EXPECT_EQ(Diff(m->NetBitmap,
                           [&](int x, int y) {
                               if (x > 400 && x < 404) return Skip; // between the halves
                               return x <= 400 ? Rows(lastRow, stripe)(x, y) : Background;
                           }),
                      "")
                << lastRow;
            EXPECT_EQ(m->NetBitmap.PenColor, stripe);
        }
    }
}

TEST(ZoneOverlays, ComparisonsWithTheThresholdAreStrict) {
    // Peak mean 2.7e6 equal to the threshold: no imminent stripe; above a threshold of 2.6e6:
    // the stripe.
    auto m = ZoneModel(27, 10000);
    SetProfile(*m, PeakAt50(), 0, m->LastCol);
    m->ShowImminentHeave = true;
    m->DrawZones();
    EXPECT_EQ(Diff(m->NetBitmap, Rows(-1, Imminent)), "");
    m->UnitWeightRatio = 26;
    m->DrawZones();
    EXPECT_EQ(Diff(m->NetBitmap, Rows(48, Imminent)), "");

    // Threshold 2e7: rows 47..49 lie above it and are tinted, row 46 equals it and is not.
    m = ZoneModel(20);
    SetProfile(*m, PeakAt50(), 0, m->LastCol);
    m->ShowCriticalZone = true;
    m->DrawZones();
    EXPECT_EQ(Diff(m->NetBitmap, Rows(46, Background, {{49, RGBColor(205, 222, 237)}})), "");
}

TEST(ZoneOverlays, TintMixesHalfAndHalfWithWhatLiesBelow) {
    // Threshold 1e6: stripe rows 0..48, rows 45..50 above the threshold.
    auto m = ZoneModel(1);
    SetProfile(*m, PeakAt50(), 0, m->LastCol);
    m->ShowPossibleHeave = m->ShowImminentHeave = m->ShowCriticalZone = true;
    m->DrawZones();
    EXPECT_EQ(
        Diff(m->NetBitmap,
             Rows(44, Imminent, {{48, RGBColor(183, 193, 195)}, {50, RGBColor(205, 222, 237)}})),
        "");
    m->NetBitmap.FillRect(0, 0, 1204, 200);
    m->ShowImminentHeave = false;
    m->DrawZones();
    EXPECT_EQ(
        Diff(m->NetBitmap,
             Rows(44, Possible, {{48, RGBColor(194, 208, 216)}, {50, RGBColor(205, 222, 237)}})),
        "");
}

TEST(ZoneOverlays, NegativeAndZeroThresholds) {
    auto m = ZoneModel(-1); // no gradient anywhere, threshold -1e6
    m->ShowPossibleHeave = true;
    m->DrawZones();
    EXPECT_EQ(Diff(m->NetBitmap, Rows(-1, Possible)), "") << "a mean of 0 is not positive";
    m->ShowImminentHeave = true;
    m->DrawZones();
    EXPECT_EQ(Diff(m->NetBitmap, Rows(0, Imminent)), "") << "segment (i, 0) to (i, -1)";
    m->NetBitmap.FillRect(0, 0, 1204, 200);
    m->ShowPossibleHeave = m->ShowImminentHeave = false;
    m->ShowCriticalZone = true;
    m->DrawZones();
    EXPECT_EQ(Diff(m->NetBitmap, Rows(0, Background, {{199, RGBColor(205, 222, 237)}})), "");

    m = ZoneModel(0);
    m->ShowPossibleHeave = m->ShowImminentHeave = m->ShowCriticalZone = true;
    m->DrawZones();
    EXPECT_EQ(Diff(m->NetBitmap, Rows(-1, Imminent)), "") << "no gradient, nothing above 0";
    SetProfile(*m, PeakAt50(), 0, m->LastCol);
    m->ShowCriticalZone = false;
    m->DrawZones();
    EXPECT_EQ(Diff(m->NetBitmap, Rows(48, Imminent)), "");
}

} // namespace
} // namespace sheetpile::testing
