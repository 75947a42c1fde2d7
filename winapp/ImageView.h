// Image1: a child window that shows the flow-net picture at its own pixel size (one picture
// pixel on one screen pixel, never scaled) and reports every pointer move over it in picture
// pixels. While the left button that was pressed over it is held it keeps the mouse captured,
// so positions beyond its edges are reported too (the probe ignores them).
//
// Holds: the window's size is the picture's; it paints from its own copy of the picture,
// double-buffered through a memory DC, also for WM_PRINTCLIENT (PrintWindow).
#pragma once

#include "sheetpile/Canvas.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace verrask::win {

class TImage {
  public:
    // Registers the class once and creates the window at the given place.
    TImage(HWND parent, int id, int left, int top, int width, int height);
    // A white picture of the given size.
    void SetWhite(int width, int height);
    // A TBitmap (0x00BBGGRR) as shown; the window takes its size and keeps its left edge.
    void SetPicture(const sheetpile::TBitmap& bitmap);
    // The shown colour of a pixel as 0x00BBGGRR.
    sheetpile::TColor PixelAt(int x, int y) const;
    int Width() const { return PictureWidth; }
    int Height() const { return PictureHeight; }

    HWND Handle = nullptr;
    std::function<void(int X, int Y)> OnMouseMove;

    LRESULT Dispatch(UINT message, WPARAM w, LPARAM l); // the window's messages

  private:
    void Paint(HDC dc) const;
    void Resized();
    int PictureWidth = 0, PictureHeight = 0;
    std::vector<std::uint32_t> Pixels; // 0x00RRGGBB, top row first (a top-down DIB)
};

} // namespace verrask::win
