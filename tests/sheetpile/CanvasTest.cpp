// Tests of the raster canvas: sizing, drawing state, line, rectangle and copy
// pixel rules, clipping far outside the bitmap, and read-out helpers.
#include "sheetpile/Canvas.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <string>
#include <utility>

using namespace sheetpile;

namespace {

constexpr TColor Red = RGBColor(255, 0, 0);
constexpr TColor Blue = RGBColor(0, 0, 255);
constexpr TColor Background = RGBColor(245, 242, 235);
using Pixels = std::set<std::pair<int, int>>;

Pixels Marked(const TBitmap& bmp) { // every pixel that is not white
    Pixels out;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            if (bmp.GetPixel(x, y) != WhiteColor) out.insert({x, y});
    return out;
}

// One line on a fresh 10 x 10 (or given size) bitmap.
Pixels Line(int x0, int y0, int x1, int y1, int w = 10, int h = 10) {
    TBitmap bmp(w, h);
    bmp.MoveTo(x0, y0);
    bmp.LineTo(x1, y1);
    return Marked(bmp);
}

// Textbook incremental Bresenham, end point excluded.
Pixels ReferenceLine(int x0, int y0, int x1, int y1) {
    Pixels out;
    const int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    const int sx = x1 < x0 ? -1 : 1, sy = y1 < y0 ? -1 : 1;
    const bool xMajor = dx >= dy;
    const int major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
    for (int i = 0, k = 0, err = 2 * minor - major; i < major; ++i, err += 2 * minor) {
        out.insert(xMajor ? std::pair{x0 + sx * i, y0 + sy * k}
                          : std::pair{x0 + sx * k, y0 + sy * i});
        if (err > 0) {
            ++k;
            err -= 2 * major;
        }
    }
    return out;
}

} // namespace

TEST(CanvasBasics, ColoursSizingAndPixelAccess) {
    EXPECT_EQ(Red, 0x0000FFu);
    EXPECT_EQ(Blue, 0xFF0000u);
    EXPECT_EQ(Background, 0xEBF2F5u);
    EXPECT_EQ(RedOf(Background), 245);
    EXPECT_EQ(GreenOf(Background), 242);
    EXPECT_EQ(BlueOf(Background), 235);
    TBitmap bmp;
    EXPECT_EQ(bmp.Width(), 0);
    EXPECT_EQ(bmp.Height(), 0);
    bmp.SetSize(4, 3);
    EXPECT_TRUE(Marked(bmp).empty());
    for (auto [x, y] : Pixels{{3, 2}, {-1, 0}, {4, 0}, {0, 3}, {0, -1}}) bmp.SetPixel(x, y, Red);
    EXPECT_EQ(Marked(bmp), (Pixels{{3, 2}}));
    EXPECT_EQ(bmp.GetPixel(4, 0), InvalidColor);
    EXPECT_EQ(bmp.GetPixel(0, -1), InvalidColor);
    bmp.SetSize(5000, 300); // resize whitens and clamps to the capacity
    EXPECT_EQ(bmp.Width(), MaxBitmapWidth);
    EXPECT_EQ(bmp.Height(), MaxBitmapHeight);
    EXPECT_EQ(bmp.GetPixel(3, 2), WhiteColor);
    bmp.SetSize(-3, 4);
    EXPECT_EQ(bmp.GetPixel(0, 0), InvalidColor);
}

TEST(CanvasBasics, PenAndBrushDefaultAndPersist) {
    TBitmap bmp(10, 10);
    EXPECT_EQ(bmp.PenColor, BlackColor);
    EXPECT_EQ(bmp.BrushColor, WhiteColor);
    bmp.PenColor = Blue;
    bmp.BrushColor = Background;
    bmp.FillRect(0, 0, 2, 2);
    bmp.Rectangle(0, 0, 3, 3);
    bmp.SetSize(4, 4);
    bmp.MoveTo(0, 1);
    bmp.LineTo(1, 1);
    bmp.FillRect(0, 0, 1, 1);
    EXPECT_EQ(bmp.GetPixel(0, 0), Background);
    EXPECT_EQ(bmp.GetPixel(0, 1), Blue);
}

TEST(CanvasLine, EndPointExcludedInAllFourDirections) {
    EXPECT_EQ(Line(2, 1, 5, 1), (Pixels{{2, 1}, {3, 1}, {4, 1}}));
    EXPECT_EQ(Line(5, 1, 2, 1), (Pixels{{5, 1}, {4, 1}, {3, 1}}));
    EXPECT_EQ(Line(6, 2, 6, 5), (Pixels{{6, 2}, {6, 3}, {6, 4}}));
    EXPECT_EQ(Line(6, 5, 6, 2), (Pixels{{6, 5}, {6, 4}, {6, 3}}));
    EXPECT_TRUE(Line(3, 3, 3, 3).empty());
    EXPECT_EQ(Line(2, 0, 2, -1, 5, 200), (Pixels{{2, 0}}));
}

TEST(CanvasLine, CurrentPositionMovesToEndPoint) {
    TBitmap bmp(10, 10);
    bmp.MoveTo(1, 2);
    bmp.LineTo(4, 2);
    EXPECT_EQ(bmp.CurrentX(), 4);
    EXPECT_EQ(bmp.CurrentY(), 2);
    bmp.LineTo(4, 4);
    EXPECT_EQ(Marked(bmp), (Pixels{{1, 2}, {2, 2}, {3, 2}, {4, 2}, {4, 3}}));
}

TEST(CanvasLine, FarOutsideCoordinatesAreClipped) {
    EXPECT_EQ(Line(INT_MIN, 3, INT_MAX, 3, 20, 10).size(), 20u);
    EXPECT_EQ(Line(7, INT_MAX, 7, INT_MIN, 20, 10).size(), 10u);
    EXPECT_LE(Line(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 20, 10).size(), 10u);
    EXPECT_TRUE(Line(-100, 50, -100, -50).empty());
    EXPECT_TRUE(Line(-100, -50, 100, -50).empty());
}

TEST(CanvasLine, DiagonalsFollowBresenhamWithoutEndPoint) {
    for (int x1 = 0; x1 <= 12; ++x1)
        for (int y1 = 0; y1 <= 12; ++y1)
            EXPECT_EQ(Line(6, 6, x1, y1, 13, 13), ReferenceLine(6, 6, x1, y1)) << x1 << "," << y1;
}

TEST(CanvasFill, CoversHalfOpenSpanClipped) {
    TBitmap bmp(10, 10);
    bmp.BrushColor = Red;
    bmp.FillRect(2, 3, 4, 5);
    EXPECT_EQ(Marked(bmp), (Pixels{{2, 3}, {3, 3}, {2, 4}, {3, 4}}));
    bmp.FillRect(5, 5, 5, 9);
    bmp.FillRect(6, 6, 1, 9);
    bmp.FillRect(-5, 8, INT_MAX, INT_MAX);
    EXPECT_EQ(Marked(bmp).size(), 24u);
}

TEST(CanvasRectangle, OutlineWithPenInsideWithBrushPositionKept) {
    TBitmap bmp(10, 10);
    bmp.PenColor = Blue;
    bmp.BrushColor = Background;
    bmp.MoveTo(1, 1);
    bmp.Rectangle(2, 2, 6, 5);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool inSpan = x >= 2 && x <= 5 && y >= 2 && y <= 4;
            const bool edge = x == 2 || x == 5 || y == 2 || y == 4;
            EXPECT_EQ(bmp.GetPixel(x, y), !inSpan ? WhiteColor : edge ? Blue : Background);
        }
    EXPECT_EQ(bmp.CurrentX(), 1);
    EXPECT_EQ(bmp.CurrentY(), 1);
    bmp.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX); // clipped: all interior
    EXPECT_EQ(bmp.GetPixel(0, 0), Background);
}

TEST(CanvasRectangle, OneRowOrOneColumnIsOutlineOnly) {
    TBitmap bmp(10, 10);
    bmp.PenColor = Blue;
    bmp.BrushColor = Red;
    bmp.Rectangle(1, 0, 6, 1);
    bmp.Rectangle(3, 2, 4, 5);
    bmp.Rectangle(5, 5, 5, 8);
    bmp.Rectangle(5, 5, 8, 4);
    EXPECT_EQ(Marked(bmp),
              (Pixels{{1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {3, 2}, {3, 3}, {3, 4}}));
    for (const auto& [x, y] : Marked(bmp)) EXPECT_EQ(bmp.GetPixel(x, y), Blue);
}

TEST(CanvasRectangle, PileBoxFiveWide) {
    TBitmap bmp(1204, 200);
    bmp.PenColor = Blue;
    bmp.Rectangle(600, 0, 605, 101);
    for (int y = 0; y <= 100; ++y)
        for (int x = 600; x <= 604; ++x) {
            const bool outline = x == 600 || x == 604 || y == 0 || y == 100;
            EXPECT_EQ(bmp.GetPixel(x, y), outline ? Blue : WhiteColor) << x << "," << y;
        }
    EXPECT_EQ(Marked(bmp).size(), 2u * 101 + 2u * 3);
}

TEST(CanvasDraw, CopiesOpaquelyAtOffsetKeepingState) {
    TBitmap strip(6, 8);
    strip.PenColor = Blue;
    strip.Rectangle(0, 0, 6, 5);
    TBitmap shown(6, 10);
    shown.BrushColor = Red;
    shown.FillRect(0, 0, 6, 10);
    shown.MoveTo(2, 2);
    shown.Draw(0, 4, strip);
    EXPECT_EQ(shown.GetPixel(0, 3), Red);
    EXPECT_EQ(shown.GetPixel(0, 4), Blue);
    EXPECT_EQ(shown.GetPixel(2, 6), WhiteColor); // white copies over red
    EXPECT_EQ(shown.GetPixel(5, 8), Blue);
    EXPECT_EQ(shown.GetPixel(2, 9), WhiteColor);
    EXPECT_EQ(shown.BrushColor, Red);
    EXPECT_EQ(shown.CurrentX(), 2);
    EXPECT_EQ(shown.CurrentY(), 2);
}

TEST(CanvasDraw, NegativeFarAndSelfOffsetsClip) {
    TBitmap src(3, 3);
    src.SetPixel(2, 2, Red);
    src.SetPixel(0, 0, Blue);
    TBitmap dst(4, 4);
    dst.Draw(-2, -2, src);
    dst.Draw(3, 3, src);
    EXPECT_EQ(Marked(dst), (Pixels{{0, 0}, {3, 3}}));
    EXPECT_EQ(dst.GetPixel(0, 0), Red);
    const std::uint64_t before = dst.PixelHash();
    dst.Draw(INT_MAX, 0, src);
    dst.Draw(0, INT_MIN, src);
    dst.Draw(-3, 0, src);
    EXPECT_EQ(dst.PixelHash(), before);

    TBitmap diag(5, 5); // a shifted self-copy must not smear
    for (int i = 0; i < 5; ++i) diag.SetPixel(i, i, RGBColor(i, 0, 0));
    diag.Draw(1, 1, diag);
    for (int i = 1; i < 5; ++i) EXPECT_EQ(diag.GetPixel(i, i), RGBColor(i - 1, 0, 0));
    diag.Draw(-1, -1, diag);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(diag.GetPixel(i, i), RGBColor(i, 0, 0));
}

TEST(CanvasReadOut, RowHashAndPpm) {
    TBitmap bmp(3, 2);
    bmp.SetPixel(1, 1, Red);
    EXPECT_EQ(bmp.Row(1)[1], Red);
    EXPECT_EQ(bmp.Row(2), nullptr);
    EXPECT_EQ(bmp.Row(-1), nullptr);
    TBitmap other(2, 3); // same pixel stream, other shape
    other.SetPixel(0, 2, Red);
    EXPECT_NE(other.PixelHash(), bmp.PixelHash());
    EXPECT_EQ(TBitmap().PixelHash(), 0xA8C7F832281A39C5ull); // FNV-1a of eight zero bytes

    const std::string path = ::testing::TempDir() + "canvas_test.ppm";
    ASSERT_TRUE(bmp.WritePPM(path));
    std::ifstream in(path, std::ios::binary);
    const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(data, std::string("P6\n3 2\n255\n") + std::string(12, '\xFF') + "\xFF" +
                        std::string(2, '\0') + std::string(3, '\xFF'));
    std::remove(path.c_str());
}
