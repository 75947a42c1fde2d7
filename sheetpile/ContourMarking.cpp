// Contour marking: the head loss and the stream function are each cut into N equal bands, and
// every boundary between the bands of two vertically or horizontally adjacent fine cells is
// marked by one pixel on the cell of the lower band. Then each family draws its straight
// boundary lines: the equipotentials the two open stretches of the ground surface, the flow
// lines the bottom row of the picture (the base itself lies just below it).
//
// Cells are visited column by column, top to bottom. A value without a band (within N/2 of
// FullScale) keeps the band of the cell visited just before it, which for the top of a column
// is the bottom of the column to its left; the band of the previous cell is carried the same
// way. Marks in row 200, in column 4 x LastCol or above row 0 fall outside the picture and are
// dropped by the canvas.
//
// Assumes: the fine fields hold a completed run, so F[0][0] is 0 and the running band starts
// at 0 either way; NetBitmap is 4 x LastCol by 200.
//
// Holds on return: NetBitmap's pen has the family's colour. A band count of 0 has no band
// width: nothing is marked, but the closing lines are drawn. No model data changes and nothing
// is allocated.
#include "sheetpile/ContourBands.h"
#include "sheetpile/ModelState.h"

#include <array>
#include <initializer_list>

namespace sheetpile {

namespace {

constexpr TColor EquipotentialColor = 0x0000FF; // red
constexpr TColor FlowLineColor = 0xFF0000;      // blue
constexpr int BottomRow = FineRows - 2;         // last row of the picture

struct TSegment {
    int x0, y0, x1, y1;
};

void MarkBands(TBitmap& bmp, const FineGrid& F, int lastX, std::uint32_t n, TColor colour,
               std::initializer_list<TSegment> closing) {
    if (n > 0) {
        const TBandLookup bandOf(n);
        std::array<std::uint32_t, FineRows> left; // bands of the column before the current one
        std::uint32_t b = 0;
        for (int y = 0; y < FineRows; ++y) {
            bandOf(F[y][0], b);
            left[y] = b;
        }
        for (int x = 1; x <= lastX; ++x) {
            for (int y = 0; y < FineRows; ++y) {
                const std::uint32_t p = b; // band of the cell visited just before
                bandOf(F[y][x], b);
                if (b < p) bmp.SetPixel(x, y, colour);
                if (p < b) bmp.SetPixel(x, y - 1, colour);
                if (b < left[y]) bmp.SetPixel(x, y, colour);
                if (left[y] < b) bmp.SetPixel(x - 1, y, colour);
                left[y] = b;
            }
        }
    }
    bmp.PenColor = colour;
    for (const TSegment& line : closing) {
        bmp.MoveTo(line.x0, line.y0);
        bmp.LineTo(line.x1, line.y1);
    }
}

} // namespace

void TModel::DrawEquipotentials() {
    // The ground surface on both sides of the wall; the pile's top stays open.
    MarkBands(NetBitmap, FineHead, 4 * LastCol, DrawNd, EquipotentialColor,
              {{0, 0, 4 * PileUpCol, 0}, {4 * PileDownCol, 0, 4 * LastCol, 0}});
}

void TModel::DrawFlowLines() {
    MarkBands(NetBitmap, FineStream, 4 * LastCol, DrawNf, FlowLineColor,
              {{0, BottomRow, 4 * LastCol, BottomRow}});
}

} // namespace sheetpile
