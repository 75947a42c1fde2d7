// Canvas: pixel operations of TBitmap. All coordinate arithmetic is done in
// 64 bits and clipped to the logical size before any pixel is touched, so
// coordinates anywhere in the int range are safe and cost at most one walk
// across the bitmap. Pixels are stored packed, Width() per row.
#include "sheetpile/Canvas.h"

#include "support/FileWrite.h"

#include <algorithm>
#include <cstring>

namespace sheetpile {

namespace {

using i64 = std::int64_t;

constexpr std::size_t Capacity =
    static_cast<std::size_t>(MaxBitmapWidth) * static_cast<std::size_t>(MaxBitmapHeight);

i64 Abs64(i64 v) {
    return v < 0 ? -v : v;
}

} // namespace

// The store is left unwritten: SetSize writes every pixel of the logical size, and nothing reads
// a pixel outside it.
TBitmap::TBitmap() : pixels_(new TColor[Capacity]) {}

TBitmap::TBitmap(const TBitmap& other) : TBitmap() {
    *this = other;
}

TBitmap& TBitmap::operator=(const TBitmap& other) {
    if (this == &other) return *this;
    std::copy_n(other.pixels_.get(), static_cast<std::ptrdiff_t>(other.width_) * other.height_,
                pixels_.get());
    PenColor = other.PenColor;
    BrushColor = other.BrushColor;
    width_ = other.width_;
    height_ = other.height_;
    curX_ = other.curX_;
    curY_ = other.curY_;
    return *this;
}

TBitmap::TBitmap(int width, int height) : TBitmap() {
    SetSize(width, height);
}

void TBitmap::SetSize(int width, int height) {
    width_ = std::clamp(width, 0, MaxBitmapWidth);
    height_ = std::clamp(height, 0, MaxBitmapHeight);
    std::fill_n(pixels_.get(), static_cast<std::ptrdiff_t>(width_) * height_, WhiteColor);
}

void TBitmap::SetPixel(int x, int y, TColor c) {
    if (x >= 0 && x < width_ && y >= 0 && y < height_)
        pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                static_cast<std::size_t>(x)] = c;
}

TColor TBitmap::GetPixel(int x, int y) const {
    if (x < 0 || x >= width_ || y < 0 || y >= height_) return InvalidColor;
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
}

void TBitmap::MoveTo(int x, int y) {
    curX_ = x;
    curY_ = y;
}

void TBitmap::LineTo(int x, int y) {
    const i64 dx = i64{x} - curX_;
    const i64 dy = i64{y} - curY_;
    const bool xMajor = Abs64(dx) >= Abs64(dy);
    const i64 a0 = xMajor ? curX_ : curY_;
    const i64 b0 = xMajor ? curY_ : curX_;
    const i64 span = Abs64(xMajor ? dx : dy); // steps drawn: start .. end-1
    const auto rise = static_cast<std::uint64_t>(Abs64(xMajor ? dy : dx));
    const i64 sa = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const i64 sb = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const i64 majorExtent = xMajor ? width_ : height_;
    const i64 minorExtent = xMajor ? height_ : width_;
    MoveTo(x, y);
    if (span == 0) return;

    // Only the steps whose major coordinate lies inside the bitmap are walked.
    const i64 lo = sa > 0 ? std::max<i64>(0, -a0) : std::max<i64>(0, a0 - majorExtent + 1);
    const i64 hi = sa > 0 ? std::min(span, majorExtent - a0) : std::min(span, a0 + 1);
    const auto d = static_cast<std::uint64_t>(span);
    for (i64 i = lo; i < hi; ++i) {
        // Minor offset = round(i * rise / span), halves toward the start: the
        // value the incremental Bresenham error term reaches at step i.
        const std::uint64_t prod = static_cast<std::uint64_t>(i) * rise; // < 2^64
        const std::uint64_t q = prod / d + (2 * (prod % d) > d ? 1 : 0);
        const i64 a = a0 + sa * i;
        const i64 b = b0 + sb * static_cast<i64>(q);
        if (b < 0 || b >= minorExtent) continue;
        if (xMajor)
            SetPixel(static_cast<int>(a), static_cast<int>(b), PenColor);
        else
            SetPixel(static_cast<int>(b), static_cast<int>(a), PenColor);
    }
}

void TBitmap::Fill(i64 x1, i64 y1, i64 x2, i64 y2, TColor c) {
    x1 = std::max<i64>(x1, 0);
    y1 = std::max<i64>(y1, 0);
    x2 = std::min<i64>(x2, width_);
    y2 = std::min<i64>(y2, height_);
    if (x2 <= x1 || y2 <= y1) return;
    for (i64 row = y1; row < y2; ++row) {
        auto first = pixels_.get() + static_cast<std::ptrdiff_t>(row * width_ + x1);
        std::fill(first, first + static_cast<std::ptrdiff_t>(x2 - x1), c);
    }
}

void TBitmap::FillRect(int x1, int y1, int x2, int y2) {
    Fill(x1, y1, x2, y2, BrushColor);
}

void TBitmap::Rectangle(int x1, int y1, int x2, int y2) {
    if (x2 <= x1 || y2 <= y1) return;
    const i64 l = x1, t = y1, r = x2, b = y2;
    Fill(l + 1, t + 1, r - 1, b - 1, BrushColor); // empty when 2 wide or 2 high
    Fill(l, t, r, t + 1, PenColor);
    Fill(l, b - 1, r, b, PenColor);
    Fill(l, t, l + 1, b, PenColor);
    Fill(r - 1, t, r, b, PenColor);
}

void TBitmap::Draw(int x, int y, const TBitmap& source) {
    const i64 colLo = std::max<i64>(0, -i64{x});
    const i64 colHi = std::min<i64>(source.width_, i64{width_} - x);
    const i64 rowLo = std::max<i64>(0, -i64{y});
    const i64 rowHi = std::min<i64>(source.height_, i64{height_} - y);
    if (colHi <= colLo || rowHi <= rowLo) return;
    const auto count = static_cast<std::size_t>(colHi - colLo) * sizeof(TColor);
    // Bottom-up when moving down keeps a self-copy from reading rows it wrote.
    const bool upward = y > 0;
    for (i64 k = 0; k < rowHi - rowLo; ++k) {
        const i64 sy = upward ? rowHi - 1 - k : rowLo + k;
        const TColor* from = source.pixels_.get() + sy * source.width_ + colLo;
        TColor* to = pixels_.get() + (sy + y) * width_ + colLo + x;
        std::memmove(to, from, count);
    }
}

const TColor* TBitmap::Row(int y) const {
    if (y < 0 || y >= height_) return nullptr;
    return pixels_.get() + static_cast<std::ptrdiff_t>(y) * width_;
}

std::uint64_t TBitmap::PixelHash() const {
    std::uint64_t h = 0xCBF29CE484222325ull; // FNV-1a 64 offset basis
    auto feed = [&h](std::uint32_t v) {
        for (int k = 0; k < 4; ++k) {
            h ^= (v >> (8 * k)) & 0xFFu;
            h *= 0x100000001B3ull; // FNV-1a 64 prime
        }
    };
    feed(static_cast<std::uint32_t>(width_));
    feed(static_cast<std::uint32_t>(height_));
    for (int y = 0; y < height_; ++y) {
        const TColor* row = Row(y);
        for (int x = 0; x < width_; ++x) feed(row[x]);
    }
    return h;
}

bool TBitmap::WritePPM(const std::string& path) const {
    std::string ppm = "P6\n" + std::to_string(width_) + ' ' + std::to_string(height_) + "\n255\n";
    ppm.reserve(ppm.size() +
                static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 3);
    for (int y = 0; y < height_; ++y) {
        const TColor* row = Row(y);
        for (int x = 0; x < width_; ++x) {
            ppm += static_cast<char>(RedOf(row[x]));
            ppm += static_cast<char>(GreenOf(row[x]));
            ppm += static_cast<char>(BlueOf(row[x]));
        }
    }
    return verrask::WriteWholeFile(path, ppm).empty();
}

} // namespace sheetpile
