// Where a secondary window opens next to the main window: on the screen that holds most of the
// main window, beside it (right, else left, else below, else above), never off that screen's
// work area.
//
// Assumes: rectangles in screen pixels with Right and Bottom exclusive; work areas are the
// screens' usable parts (without task bars); the size is the secondary window's outer frame.
//
// Holds: the result lies inside the chosen work area (shrunk to it when larger); it overlaps
// the main window only when no side of that screen has room for it, and then as little as the
// side with the most room allows.
#pragma once

#include <vector>

namespace verrask {

struct TScreenRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TScreenRect&) const = default;
};

// A gap of a few pixels keeps the two frames apart on every density.
inline constexpr int PlacementGap = 8;

// The placement of a window of `width` x `height` beside `main`. No work areas: the main
// window's own rectangle stands for the screen.
TScreenRect PlaceBeside(const TScreenRect& main, const std::vector<TScreenRect>& workAreas,
                        int width, int height, int gap = PlacementGap);

} // namespace verrask
