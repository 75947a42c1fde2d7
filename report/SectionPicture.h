// The picture of a solved section, at natural scale (the same metres per pixel across and down):
// the layers shaded with a legend, the walls, covers, grounds and water levels, the flow net and
// the heave zones beside the outflow ground.
//
// Computes: Nd - 1 equipotentials (red) at equal drops between the highest and the lowest water
// level, and the flow lines (blue) where the stream function is a whole multiple of q / Nf, q its
// range (for two-sided flow into a pit the dividing line psi = 0 is one of them); Nf by default
// from Nd (DefaultFlowChannels). A line is drawn on a pixel whose neighbour to the right or below
// lies in another step of the field, both in the soil and no wall between them. Heave zones as
// TSectionFields finds them, in the design picture's colours. The scale is the largest that keeps
// the picture within MostWidth x MostHeight (legend included); it is at least MinWidth wide.
//
// Assumes: a result of the section model.
//
// Holds on return: "" with `out` filled, or why no picture was drawn (`out` empty). The soil
// below the base is not drawn; only the picture is written, nothing else changes.
#pragma once

#include "report/RgbRaster.h"
#include "section/SectionResult.h"

#include <cmath>
#include <string>

namespace verrask::report {

inline constexpr int MostContourSteps = 100;
inline constexpr int DefaultHeadDrops = 10;

struct TSectionPictureOptions {
    int Nd = DefaultHeadDrops; // equipotential drops, 1..MostContourSteps
    int Nf = 0;                // flow channels, 1..MostContourSteps; 0: from Nd
};

inline constexpr int MostWidth = 1600, MostHeight = 900, MinWidth = 600;

inline constexpr TColor EquipotentialColor = sheetpile::RGBColor(215, 25, 25);
inline constexpr TColor FlowLineColor = sheetpile::RGBColor(20, 40, 200);

struct TSectionPicture {
    TRgbRaster Raster;
    double Scale = 0;    // pixels per metre, across and down alike
    double Left = 0;     // x of the left edge of pixel column 0, m
    double Top = 0;      // elevation of the top edge of pixel row 0, m
    int Nd = 0, Nf = 0;  // as drawn (Nf 0: nothing flows, no flow lines)
    double HeadStep = 0; // m between equipotentials
    double PsiStep = 0;  // m3/s per m between flow lines
    int FrameLeft = 0, FrameRight = 0, FrameTop = 0, FrameBottom = 0; // the section's pixels

    double SectionX(int px) const { return Left + (px + 0.5) / Scale; }
    double SectionZ(int py) const { return Top - (py + 0.5) / Scale; }
    int PixelX(double x) const { return static_cast<int>(std::floor((x - Left) * Scale)); }
    int PixelY(double z) const { return static_cast<int>(std::floor((Top - z) * Scale)); }
};

std::string SectionPicture(const section::TSectionResult& r, const TSectionPictureOptions& options,
                           TSectionPicture& out);

} // namespace verrask::report
