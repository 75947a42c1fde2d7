// Display-scaling arithmetic of the main window and the About box, free of any toolkit: the
// window is designed at 96 dpi and every size it scales explicitly is Round(dpi x w / 96).
//
// Assumes: densities and design values are small positive 32-bit integers, so every product
// fits 32 bits. Holds: products are formed as integers, divided in extended precision and
// rounded to nearest with ties to even (82.5 gives 82, 172.5 gives 172).
#pragma once

#include <array>

namespace verrask {

inline constexpr int DesignDpi = 96;

// Round(value x multiplier / divisor), the rule of every scaled position, size and font.
int ScaleValue(int value, int multiplier, int divisor);
// A design value (at 96 dpi) for the given density.
inline int ScaleDesign(int dpi, int designValue) {
    return ScaleValue(designValue, dpi, DesignDpi);
}

// Sizes the window sets itself after each whole-window scaling, at 96 dpi.
inline constexpr int CheckBoxDesignHeight = 18;
inline constexpr int ThumbDesignLength = 18;
inline constexpr int StatusBarDesignHeight = 32;
// Widths of status panels 0..6 at 96 dpi.
inline constexpr std::array<int, 7> PanelDesignWidths{50, 150, 55, 55, 90, 115, 120};

// The About box: icons of 32 x 32 pixels drawn at x = 16 per 96 dpi, in whole pixels
// (integer division, truncating).
inline int AboutIconSize(int dpi) {
    return dpi * 32 / DesignDpi;
}
inline int AboutIconLeft(int dpi) {
    return dpi * 16 / DesignDpi;
}

// Left edge that centres a picture of the given width in a client area (div truncates toward
// zero, so a wider picture gets a negative left and is cut off on both sides).
inline int CentredLeft(int clientWidth, int pictureWidth) {
    return clientWidth / 2 - pictureWidth / 2;
}

} // namespace verrask
