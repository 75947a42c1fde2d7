// The RGB picture's drawing (see RgbRaster.h).
#include "report/RgbRaster.h"

#include <algorithm>
#include <cstdlib>

namespace verrask::report {

void TRgbRaster::Reset(int width, int height, TColor fill) {
    width_ = std::clamp(width, 0, MaxSide);
    height_ = std::clamp(height, 0, MaxSide);
    rgb_.assign(3 * static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0);
    FillRect(0, 0, width_, height_, fill);
}

void TRgbRaster::Set(int x, int y, TColor c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    const std::size_t at = At(x, y);
    rgb_[at] = static_cast<unsigned char>(sheetpile::RedOf(c));
    rgb_[at + 1] = static_cast<unsigned char>(sheetpile::GreenOf(c));
    rgb_[at + 2] = static_cast<unsigned char>(sheetpile::BlueOf(c));
}

TColor TRgbRaster::Get(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return sheetpile::InvalidColor;
    const std::size_t at = At(x, y);
    return sheetpile::RGBColor(rgb_[at], rgb_[at + 1], rgb_[at + 2]);
}

void TRgbRaster::FillRect(int x1, int y1, int x2, int y2, TColor c) {
    x1 = std::max(x1, 0), y1 = std::max(y1, 0);
    x2 = std::min(x2, width_), y2 = std::min(y2, height_);
    for (int y = y1; y < y2; ++y)
        for (int x = x1; x < x2; ++x) Set(x, y, c);
}

void TRgbRaster::Line(int x1, int y1, int x2, int y2, TColor c, int width) {
    // Far-off ends (a clipped figure) would make a long walk: nothing drawn is that far out.
    constexpr int Far = 4 * MaxSide;
    if (std::abs(x1) > Far || std::abs(x2) > Far || std::abs(y1) > Far || std::abs(y2) > Far)
        return;
    const int before = (width - 1) / 2, after = width - before;
    const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        FillRect(x1 - before, y1 - before, x1 + after, y1 + after, c);
        if (x1 == x2 && y1 == y2) break;
        const int twice = 2 * error;
        if (twice >= dy) error += dy, x1 += sx;
        if (twice <= dx) error += dx, y1 += sy;
    }
}

} // namespace verrask::report
