// A tiny fixed bitmap font for the labels of the raster figures: printable ASCII in glyphs of
// 5 x 8 pixels (the last row for descenders), drawn on a 6 x 9 pitch, enlarged by whole pixels.
//
// Holds: any byte string can be drawn; a byte outside printable ASCII shows as '?', a UTF-8
// character as one '?'. Only pixels of the glyphs are written.
#pragma once

#include "report/RgbRaster.h"

#include <string_view>

namespace verrask::report {

inline constexpr int GlyphPitch = 6;  // pixels per character across, at scale 1
inline constexpr int GlyphHeight = 9; // pixels per line, at scale 1

// The width `text` takes at `scale`, in pixels.
int TextWidth(std::string_view text, int scale);

// Draws `text` with its top-left corner at (x, y); returns the x after its last character.
int DrawText(TRgbRaster& raster, int x, int y, std::string_view text, TColor colour, int scale);

} // namespace verrask::report
