// A plain RGB picture of any size for the figures the flow-net bitmap cannot hold (its capacity
// is that of the design's grid): pixels of three bytes, row by row from the top, ready for the
// PNG encoder, with the few drawing operations the figures need.
//
// Assumes: colours in the 0x00BBGGRR form of sheetpile::TColor.
//
// Holds: every operation writes only pixels inside the picture; coordinates outside are clipped,
// never an error.
#pragma once

#include "sheetpile/Canvas.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace verrask::report {

using sheetpile::TColor;

class TRgbRaster {
  public:
    // Width and height clamped to 0..MaxSide; every pixel `fill`.
    void Reset(int width, int height, TColor fill);
    int Width() const { return width_; }
    int Height() const { return height_; }
    const std::vector<unsigned char>& Bytes() const { return rgb_; }

    void Set(int x, int y, TColor c);
    // The colour at (x, y), or sheetpile::InvalidColor outside.
    TColor Get(int x, int y) const;
    // Columns x1..x2-1 of rows y1..y2-1.
    void FillRect(int x1, int y1, int x2, int y2, TColor c);
    // A line from (x1, y1) to (x2, y2), both ends included, `width` pixels across (a square pen).
    void Line(int x1, int y1, int x2, int y2, TColor c, int width = 1);

    // The largest side a picture may have: far above any figure, far below zlib's limits.
    static constexpr int MaxSide = 8000;

  private:
    std::size_t At(int x, int y) const {
        return 3 * (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                    static_cast<std::size_t>(x));
    }
    std::vector<unsigned char> rgb_;
    int width_ = 0;
    int height_ = 0;
};

// The colours half and half.
constexpr TColor MixColor(TColor a, TColor b) {
    return sheetpile::RGBColor((sheetpile::RedOf(a) + sheetpile::RedOf(b)) >> 1,
                               (sheetpile::GreenOf(a) + sheetpile::GreenOf(b)) >> 1,
                               (sheetpile::BlueOf(a) + sheetpile::BlueOf(b)) >> 1);
}

} // namespace verrask::report
