// Heave and critical-zone overlays, from the vertical gradient (positive where the water rises).
//
// Per picture column: the depth whose mean gradient from the surface down is largest (PeakRow,
// the shallowest of equal means) gives a stripe from the ground surface down to it, pale where
// that mean is positive (possible heave) and darker where it exceeds the critical gradient
// (imminent heave); every pixel whose own gradient exceeds the critical gradient is mixed half
// and half with a sky-blue tint (critical zone). The critical gradient Y'/Yw is expressed in the
// field's unit, FullScale per grid step of StratumDepth / 50.
//
// Assumes: HeadDiff > 0 (a zero or negative Y'/Yw gives a zero or negative threshold: a
// negative one already lies below a mean of 0, so a column without any rising water gets the
// imminent stripe's degenerate segment, pixel (i, 0) alone, and every gradient above it is
// tinted).
//
// Holds on return: GradGrid and FineGrad are rebuilt whatever the flags; only pixels of
// NetBitmap changed, each column only its own; the pen has the last stripe colour set, if any.
#include "sheetpile/ModelState.h"

namespace sheetpile {

namespace {

constexpr TColor PossibleHeaveColor = 0xC0D6DE; // (222, 214, 192)
constexpr TColor ImminentHeaveColor = 0x97B9C8; // (200, 185, 151)
constexpr int TintRed = 166, TintGreen = 202, TintBlue = 240;
constexpr int LastScanRow = FineRows - 2; // rows 1..199: the surface and the base take no part

// From (i, 0) down to PeakRow - 2; nothing for PeakRow 1, pixel (i, 0) alone for PeakRow 0.
void DrawStripe(TBitmap& bmp, int i, int peakRow, TColor colour) {
    bmp.PenColor = colour;
    bmp.MoveTo(i, 0);
    bmp.LineTo(i, peakRow - 1);
}

} // namespace

long double TModel::HeaveThreshold() const {
    return ((UnitWeightRatio * StratumDepth) / 50.0L) * 1000000000.0L / HeadDiff;
}

void TModel::DrawZones() {
    BuildGradientField();
    const long double T = HeaveThreshold();
    const bool stripes = ShowPossibleHeave || ShowImminentHeave;
    const int width = 4 * LastCol;
    for (int i = 0; i < width; ++i) {
        if (stripes) {
            long double peakMean = 0, sum = 0;
            int peakRow = 0;
            for (int j = 1; j <= LastScanRow; ++j) {
                sum = sum + FineGrad[j][i];
                const long double mean = sum / static_cast<long double>(j);
                if (mean > peakMean) {
                    peakMean = mean;
                    peakRow = j;
                }
            }
            if (ShowPossibleHeave && peakMean > 0)
                DrawStripe(NetBitmap, i, peakRow, PossibleHeaveColor);
            if (ShowImminentHeave && peakMean > T)
                DrawStripe(NetBitmap, i, peakRow, ImminentHeaveColor);
        }
        if (ShowCriticalZone) {
            for (int j = 1; j <= LastScanRow; ++j) {
                if (!(FineGrad[j][i] > T)) continue;
                const TColor c = NetBitmap.GetPixel(i, j);
                NetBitmap.SetPixel(i, j,
                                   RGBColor((RedOf(c) + TintRed) >> 1,
                                            (GreenOf(c) + TintGreen) >> 1,
                                            (BlueOf(c) + TintBlue) >> 1));
            }
        }
    }
}

} // namespace sheetpile
