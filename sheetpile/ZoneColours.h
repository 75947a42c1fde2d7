// The colours of the flow-net picture's background and of its three zone overlays, which every
// picture of a run shares (the design's, the section's, the reports' legends).
#pragma once

#include "sheetpile/Canvas.h"

namespace sheetpile {

inline constexpr TColor NetBackgroundColor = 0xEBF2F5;              // (245, 242, 235)
inline constexpr TColor PossibleHeaveColor = 0xC0D6DE;              // (222, 214, 192)
inline constexpr TColor ImminentHeaveColor = 0x97B9C8;              // (200, 185, 151)
inline constexpr TColor CriticalZoneTint = RGBColor(166, 202, 240); // sky blue

// A pixel of the critical zone: its colour and the tint, half and half.
constexpr TColor CriticalZoneMix(TColor under) {
    return RGBColor((RedOf(under) + RedOf(CriticalZoneTint)) >> 1,
                    (GreenOf(under) + GreenOf(CriticalZoneTint)) >> 1,
                    (BlueOf(under) + BlueOf(CriticalZoneTint)) >> 1);
}

} // namespace sheetpile
