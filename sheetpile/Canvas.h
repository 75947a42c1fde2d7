// Canvas: a small off-screen raster bitmap with a drawing surface (pen, brush,
// current position) following the raster rules the flow-net pictures rely on.
// Assumes: single-threaded use per bitmap; colours in the 0x00BBGGRR form.
// On return from every operation: only pixels inside the logical size were
// written, and no drawing operation allocated memory or threw.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace sheetpile {

// Colour as 0x00BBGGRR: red in the low byte, blue in the third byte.
using TColor = std::uint32_t;

// Channels are masked to 8 bits, as a byte conversion would do.
constexpr TColor RGBColor(int r, int g, int b) {
    return static_cast<TColor>(r & 0xFF) | (static_cast<TColor>(g & 0xFF) << 8) |
           (static_cast<TColor>(b & 0xFF) << 16);
}
constexpr int RedOf(TColor c) {
    return static_cast<int>(c & 0xFFu);
}
constexpr int GreenOf(TColor c) {
    return static_cast<int>((c >> 8) & 0xFFu);
}
constexpr int BlueOf(TColor c) {
    return static_cast<int>((c >> 16) & 0xFFu);
}

constexpr TColor BlackColor = 0x000000;
constexpr TColor WhiteColor = 0xFFFFFF;
// Returned by GetPixel for a point outside the bitmap; no real colour has a top byte.
constexpr TColor InvalidColor = 0xFFFFFFFF;

// 4 pixels per grid column x 501 columns, the widest geometry.
constexpr int MaxBitmapWidth = 2004;
// 200 net rows plus the 4-row structure strip of the shown picture.
constexpr int MaxBitmapHeight = 204;

class TBitmap {
  public:
    // Allocates the full capacity once, unwritten; the logical size starts at 0 x 0.
    TBitmap();
    // Same, then SetSize(width, height).
    TBitmap(int width, int height);
    // Copies keep their own full store and copy the pixels of the logical size;
    // moves fall back to copies, so no bitmap is ever left without storage.
    TBitmap(const TBitmap& other);
    TBitmap& operator=(const TBitmap& other);

    // New logical size, each dimension clamped to 0..MaxBitmapWidth/Height;
    // every pixel becomes white. Pen, brush and current position are kept.
    void SetSize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Drawing state; persists between operations.
    TColor PenColor = BlackColor;
    TColor BrushColor = WhiteColor;
    int CurrentX() const { return curX_; }
    int CurrentY() const { return curY_; }

    // Sets exactly pixel (x, y) if inside; otherwise nothing.
    void SetPixel(int x, int y, TColor c);
    // The colour as last written, or InvalidColor outside the bitmap.
    TColor GetPixel(int x, int y) const;

    void MoveTo(int x, int y);
    // Draws with the pen from the current position towards (x, y), end point
    // excluded, then moves there. Axis-aligned lines cover start..end-1 (or
    // down to end+1); other lines follow the plain Bresenham walk along the
    // major axis (minor coordinate rounded to nearest, halves toward the start).
    void LineTo(int x, int y);
    // Columns x1..x2-1 of rows y1..y2-1 with the brush; empty if x2 <= x1 or y2 <= y1.
    void FillRect(int x1, int y1, int x2, int y2);
    // Pen outline on columns x1, x2-1 and rows y1, y2-1; brush inside. Same span
    // and emptiness as FillRect. The current position is unchanged.
    void Rectangle(int x1, int y1, int x2, int y2);
    // Copies source opaquely with its top-left at (x, y), clipped to this bitmap.
    void Draw(int x, int y, const TBitmap& source);

    // Pixels of row y (Width() of them), or nullptr if y is outside.
    const TColor* Row(int y) const;
    // FNV-1a 64 over width, height, then every pixel in row order, each fed as
    // four little-endian bytes.
    std::uint64_t PixelHash() const;
    // Binary P6 dump for debugging, through the one file writer; true if written.
    bool WritePPM(const std::string& path) const;

  private:
    void Fill(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, TColor c);

    std::unique_ptr<TColor[]> pixels_; // rows of width_ pixels, packed; full capacity
    int width_ = 0;
    int height_ = 0;
    int curX_ = 0;
    int curY_ = 0;
};

} // namespace sheetpile
