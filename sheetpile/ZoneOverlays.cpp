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
// Holds on return: with an overlay on, GradGrid and FineGrad are rebuilt from HeadGrid (with all
// off, nothing is read or written); only pixels of NetBitmap changed, each column only its own;
// the pen has the last stripe colour set, if any.
#include "sheetpile/ZoneOverlays.h"

#include <memory>

namespace sheetpile {

namespace {

constexpr int LastScanRow = FineRows - 2; // rows 1..199: the surface and the base take no part

// From (i, 0) down to PeakRow - 2; nothing for PeakRow 1, pixel (i, 0) alone for PeakRow 0.
void DrawStripe(TBitmap& bmp, int i, int peakRow, TColor colour) {
    bmp.PenColor = colour;
    bmp.MoveTo(i, 0);
    bmp.LineTo(i, peakRow - 1);
}

} // namespace

TColumnPeak ColumnPeak(const FineRealGrid& grad, int i) {
    TColumnPeak peak;
    long double sum = 0;
    for (int j = 1; j <= LastScanRow; ++j) {
        sum = sum + grad[j][i];
        const long double mean = sum / static_cast<long double>(j);
        if (mean > peak.Mean) {
            peak.Mean = mean;
            peak.Row = j;
        }
    }
    return peak;
}

TZoneExtent ZoneExtent(const TModel& m) {
    // Not zero-filled: only the columns the gradient writes are read.
    const std::unique_ptr<CoarseRealGrid> coarse(new CoarseRealGrid);
    const std::unique_ptr<FineRealGrid> grad(new FineRealGrid);
    BuildGradient(m.HeadGrid, m.LastCol, *coarse, *grad);
    TZoneExtent extent;
    const long double T = m.HeaveThreshold();
    for (int i = 0; i < 4 * m.LastCol; ++i) {
        const TColumnPeak peak = ColumnPeak(*grad, i);
        const bool drawn = peak.Row != 1; // a stripe down to row 1 has no pixel
        if (drawn && peak.Mean > 0) ++extent.PossibleColumns;
        if (drawn && peak.Mean > T) ++extent.ImminentColumns;
        for (int j = 1; j <= LastScanRow; ++j)
            if ((*grad)[j][i] > T) ++extent.CriticalPixels;
    }
    return extent;
}

long double TModel::HeaveThreshold() const {
    return ((UnitWeightRatio * StratumDepth) / 50.0L) * 1000000000.0L / HeadDiff;
}

void TModel::DrawZones() {
    const bool stripes = ShowPossibleHeave || ShowImminentHeave;
    if (!stripes && !ShowCriticalZone) return; // nothing to draw: the gradient is not needed
    BuildGradientField();
    const long double T = HeaveThreshold();
    const int width = 4 * LastCol;
    for (int i = 0; i < width; ++i) {
        if (stripes) {
            const TColumnPeak peak = ColumnPeak(FineGrad, i);
            if (ShowPossibleHeave && peak.Mean > 0)
                DrawStripe(NetBitmap, i, peak.Row, PossibleHeaveColor);
            if (ShowImminentHeave && peak.Mean > T)
                DrawStripe(NetBitmap, i, peak.Row, ImminentHeaveColor);
        }
        if (ShowCriticalZone) {
            for (int j = 1; j <= LastScanRow; ++j) {
                if (!(FineGrad[j][i] > T)) continue;
                NetBitmap.SetPixel(i, j, CriticalZoneMix(NetBitmap.GetPixel(i, j)));
            }
        }
    }
}

} // namespace sheetpile
