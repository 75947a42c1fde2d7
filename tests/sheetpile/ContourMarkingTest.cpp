// Contour marking: band width and lookup (the division against the plain search, the
// multiplication against the division), the pixel
// that marks each band boundary, the running band at values without a band, and the closing
// lines of both families, on small hand-made fields.
#include "sheetpile/ContourBands.h"
#include "tests/ModelFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace sheetpile::testing {
namespace {

using Pixels = std::set<std::pair<int, int>>;

Pixels Area(int x0, int x1, int y0, int y1) {
    Pixels p;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) p.insert({x, y});
    return p;
}
Pixels operator+(Pixels a, const Pixels& b) {
    a.insert(b.begin(), b.end());
    return a;
}
// The border cells of a box, and the cells just around it (corners excluded).
Pixels Outline(int x0, int x1, int y0, int y1) {
    return Area(x0, x1, y0, y0) + Area(x0, x1, y1, y1) + Area(x0, x0, y0, y1) +
           Area(x1, x1, y0, y1);
}
Pixels Around(int x0, int x1, int y0, int y1) {
    return Area(x0, x1, y0 - 1, y0 - 1) + Area(x0, x1, y1 + 1, y1 + 1) +
           Area(x0 - 1, x0 - 1, y0, y1) + Area(x1 + 1, x1 + 1, y0, y1);
}
const Pixels GroundLines = Area(0, 599, 0, 0) + Area(604, 1203, 0, 0); // pile top left open
const Pixels BaseLine = Area(0, 1203, 199, 199);

void Box(FineGrid& f, int x0, int x1, int y0, int y1, std::uint32_t v) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) f[y][x] = v;
}
void All(FineGrid& f, std::uint32_t v) {
    Box(f, 0, FineCols - 1, 0, FineRows - 1, v);
}

// Default markers (pile at x = 600..604, LastCol 301), a white 1204 x 200 picture, both fine
// fields 0 everywhere.
std::unique_ptr<TModel> NetModel(std::uint32_t nd, std::uint32_t nf = 1) {
    auto m = NewModel();
    SetMarkers(*m, 25, 0, 0);
    m->NetBitmap.SetSize(4 * m->LastCol, 200);
    m->DrawNd = nd;
    m->DrawNf = nf;
    // A new model leaves its fine grids unwritten; these tests start from zero fields.
    All(m->FineHead, 0);
    All(m->FineStream, 0);
    return m;
}

// "" if the picture is red on `red`, blue on `blue` and white elsewhere, else the first misses.
std::string Diff(const TBitmap& bmp, const Pixels& red, const Pixels& blue = {}) {
    std::string out;
    int wrong = 0;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x) {
            const TColor want = blue.count({x, y})  ? RGBColor(0, 0, 255)
                                : red.count({x, y}) ? RGBColor(255, 0, 0)
                                                    : WhiteColor;
            if (bmp.GetPixel(x, y) != want && ++wrong <= 6)
                out += " (" + std::to_string(x) + "," + std::to_string(y) + ")";
        }
    return wrong ? std::to_string(wrong) + " wrong:" + out : "";
}

TEST(ContourBands, WidthRoundsTheQuotientTiesToEven) {
    EXPECT_EQ(BandWidth(1), 1000000000u);
    EXPECT_EQ(BandWidth(3), 333333333u);
    EXPECT_EQ(BandWidth(6), 166666667u);
    EXPECT_EQ(BandWidth(7), 142857143u);
    EXPECT_EQ(BandWidth(10), 100000000u);
    EXPECT_EQ(BandWidth(40), 25000000u);
    EXPECT_EQ(BandWidth(1024), 976562u);  // 976562.5
    EXPECT_EQ(BandWidth(2000000000), 0u); // 0.5: every band empty
    EXPECT_EQ(BandWidth(std::numeric_limits<std::uint32_t>::max()), 0u);
}

TEST(ContourBands, DivisionMatchesTheLinearSearchAtEveryBandBoundary) {
    std::vector<std::uint32_t> counts{41, 97, 1000, 1023, 1024, 1510};
    for (std::uint32_t n = 1; n <= 40; ++n) counts.push_back(n);
    for (const std::uint32_t n : counts) {
        const std::uint32_t s = BandWidth(n);
        std::vector<std::uint32_t> values{0, 1};
        for (std::uint32_t k = 1; k <= n; ++k)
            values.insert(values.end(), {k * s - 1, k * s, k * s + 1});
        for (std::uint32_t v = std::min(n * s - 1, FullScale); v <= FullScale; ++v)
            values.push_back(v);
        for (const std::uint32_t v : values) {
            std::uint32_t linear = 0xABCD, division = 0xABCD; // kept when there is no band
            const bool found = BandOfLinear(v, n, s, linear);
            ASSERT_EQ(BandOfDivision(v, n, s, division), found) << "N " << n << " v " << v;
            ASSERT_EQ(division, linear) << "N " << n << " v " << v;
            ASSERT_EQ(found, v < n * s) << "N " << n << " v " << v;
        }
    }
    std::uint32_t b = 7;
    EXPECT_TRUE(BandOfDivision(FullScale, 6, BandWidth(6), b));
    EXPECT_EQ(b, 5u);
    EXPECT_FALSE(BandOfDivision(999999999, 3, BandWidth(3), b));
    EXPECT_FALSE(BandOfDivision(0, 2000000000, BandWidth(2000000000), b)) << "empty bands";
    EXPECT_EQ(b, 5u);
}

TEST(ContourBands, ReciprocalMatchesTheDivisionForEveryWidth) {
    std::vector<std::uint32_t> counts{
        1,    2,     3,         7,         10,         40,
        1510, 65536, 999999999, FullScale, 2000000000, std::numeric_limits<std::uint32_t>::max()};
    std::uint64_t x = 99;
    for (int i = 0; i < 200; ++i) {
        x = x * 6364136223846793005ull + 1442695040888963407ull;
        counts.push_back(
            std::max(1u, static_cast<std::uint32_t>(x >> 32) >> (x & 31))); // all sizes
    }
    for (const std::uint32_t n : counts) {
        const std::uint32_t s = BandWidth(n);
        const TBandLookup lookup(n);
        std::vector<std::uint32_t> values{0, 1, s - 1, s, s + 1, FullScale, ~0u};
        for (std::uint32_t k = 1; k <= std::min(n, 64u); ++k)
            values.insert(values.end(), {k * s - 1, k * s, k * s + 1});
        for (int i = 0; i < 2000; ++i) {
            x = x * 6364136223846793005ull + 1442695040888963407ull;
            values.push_back(static_cast<std::uint32_t>(x >> 32));
        }
        for (const std::uint32_t v : values) {
            std::uint32_t division = 0xABCD, reciprocal = 0xABCD;
            ASSERT_EQ(lookup(v, reciprocal), BandOfDivision(v, n, s, division))
                << "N " << n << " v " << v;
            ASSERT_EQ(reciprocal, division) << "N " << n << " v " << v;
        }
    }
}

TEST(ContourMarking, EachBoundaryMarksOnePixelOnTheCellOfTheLowerBand) {
    // N = 10; a patch x = 400..409, y = 50..59 in a background, values next to the boundaries.
    struct Case {
        std::uint32_t background, patch;
        Pixels marks;
    };
    const Case cases[] = {
        {299999999, 300000000, Around(400, 409, 50, 59)},  // band 3 in 2: marks around it
        {200000000, 199999999, Outline(400, 409, 50, 59)}, // band 1 in 2: marks its border
        {250000000, 750000000, Around(400, 409, 50, 59)},  // 7 in 2: still one pixel
        {200000000, 299999999, {}},                        // the same band: nothing
    };
    for (const Case& c : cases) {
        auto m = NetModel(10);
        All(m->FineHead, c.background);
        Box(m->FineHead, 400, 409, 50, 59, c.patch);
        m->DrawEquipotentials();
        EXPECT_EQ(Diff(m->NetBitmap, GroundLines + c.marks), "") << c.patch;
    }

    // The stream function the same way, in blue (N = 4, S = 250000000).
    auto m = NetModel(10, 4);
    All(m->FineStream, 499999999);
    Box(m->FineStream, 10, 30, 150, 160, 500000000);
    Box(m->FineStream, 1100, 1110, 20, 25, 249999999);
    Box(m->FineStream, 1204, 1204, 0, 200, 750000000); // the last fine column, off the picture
    m->DrawFlowLines();
    EXPECT_EQ(Diff(m->NetBitmap, {},
                   BaseLine + Around(10, 30, 150, 160) + Outline(1100, 1110, 20, 25) +
                       Area(1203, 1203, 0, 198)),
              "");
    EXPECT_EQ(m->NetBitmap.PenColor, RGBColor(0, 0, 255));
}

TEST(ContourMarking, HorizontalBandsMarkTheirLowestRowsFromColumnOne) {
    // v = 5000000 y: band k begins at row 20k, so rows 19, 39, .., 179 are marked from x = 1
    // (the seeding column draws nothing). Row 200 holds FullScale and keeps band 9 from row
    // 199, which the top of each next column leaves: (x, 0), seen on the pile's open top.
    auto m = NetModel(10);
    for (int y = 0; y < FineRows; ++y)
        Box(m->FineHead, 0, FineCols - 1, y, y, 5000000u * static_cast<std::uint32_t>(y));
    m->DrawEquipotentials();
    Pixels want = GroundLines + Area(600, 603, 0, 0);
    for (int k = 1; k <= 9; ++k) want = want + Area(1, 1203, 20 * k - 1, 20 * k - 1);
    EXPECT_EQ(Diff(m->NetBitmap, want), "");
}

TEST(ContourMarking, ValuesWithoutABandKeepTheBandOfTheCellBefore) {
    // N = 10: column 700 is FullScale throughout; its top takes band 5 from the bottom of
    // column 699 and passes it down, as do columns 701.. (band 5 themselves): only the
    // boundary 699 | 700 is marked, and (699, 199) above row 200.
    auto m = NetModel(10);
    m->FineHead[200][699] = 550000000;
    Box(m->FineHead, 700, 700, 0, 200, FullScale);
    Box(m->FineHead, 701, FineCols - 1, 0, 200, 550000000);
    m->DrawEquipotentials();
    EXPECT_EQ(Diff(m->NetBitmap, GroundLines + Area(699, 699, 0, 199)), "");

    // The band of the previous cell carries over too: row 200 of column 600 in band 3 marks
    // (600, 199) and (601, 0), the top of the next column, which the pile's top shows.
    m = NetModel(10);
    m->FineHead[200][600] = 300000000;
    m->DrawEquipotentials();
    EXPECT_EQ(Diff(m->NetBitmap, GroundLines + Pixels{{600, 199}, {601, 0}}), "");
}

TEST(ContourMarking, TopValuesForThreeAndSixBands) {
    // Column 700: one value over rows 0..99, then the top values over rows 100..200, in band-0
    // surroundings. Where the column is not band 0 its neighbours 699 and 701 are marked; a
    // band change inside it marks (700, 99).
    struct Case {
        std::uint32_t n, upper, lower, lowest;
        bool standsOut, marked;
    };
    const Case cases[] = {
        {3, 333333333, 999999999, FullScale, true, false},  // no band: keep band 1
        {3, 333333332, 999999999, FullScale, false, false}, // keep band 0
        {6, 833333335, FullScale, FullScale, true, false},  // FullScale lies in band 5
        {6, 833333334, FullScale, FullScale, true, true},   // band 4 above band 5
    };
    for (const Case& c : cases) {
        auto m = NetModel(c.n);
        Box(m->FineHead, 700, 700, 0, 99, c.upper);
        Box(m->FineHead, 700, 700, 100, 150, c.lower);
        Box(m->FineHead, 700, 700, 151, 200, c.lowest);
        m->DrawEquipotentials();
        Pixels want = GroundLines;
        if (c.standsOut) want = want + Area(699, 699, 0, 199) + Area(701, 701, 0, 199);
        if (c.marked) want.insert({700, 99});
        EXPECT_EQ(Diff(m->NetBitmap, want), "") << c.n << " " << c.upper;
    }
}

TEST(ContourMarking, FieldsWithoutBandChangesDrawOnlyTheClosingLines) {
    // One band (FullScale keeps band 0), constant fields, and no bands at all.
    for (const std::uint32_t n : {1u, 7u, 0u}) {
        auto m = NetModel(n, n);
        for (int y = 0; y < FineRows; ++y)
            for (int x = 0; x < FineCols; ++x) {
                m->FineHead[y][x] = n == 7 ? 123456789 : 5000000u * static_cast<std::uint32_t>(y);
                m->FineStream[y][x] =
                    n == 7 ? FullScale : static_cast<std::uint32_t>(x % 2) * FullScale;
            }
        const std::uint64_t head = FineHash(m->FineHead, *m), stream = FineHash(m->FineStream, *m);
        m->DrawEquipotentials();
        EXPECT_EQ(Diff(m->NetBitmap, GroundLines), "") << n;
        EXPECT_EQ(m->NetBitmap.PenColor, RGBColor(255, 0, 0));
        m->DrawFlowLines();
        EXPECT_EQ(Diff(m->NetBitmap, GroundLines, BaseLine), "") << n;
        EXPECT_EQ(FineHash(m->FineHead, *m), head);
        EXPECT_EQ(FineHash(m->FineStream, *m), stream);
    }
}

} // namespace
} // namespace sheetpile::testing
