// The model's completed run as the shared result (see RunResult.h).
#include "sheetpile/RunResult.h"

#include "sheetpile/ZoneOverlays.h"

namespace sheetpile {

namespace {

namespace section = verrask::section;

static_assert(section::FullScale == FullScale && section::BaseRow == BaseRow &&
                  section::FineRows == FineRows && section::CoarseRows == CoarseRows,
              "the shared result holds the model's grids as they are");

template <typename Grid> section::TNodeGrid Copy(const Grid& grid, int rows, int cols) {
    section::TNodeGrid out;
    out.Rows = rows;
    out.Cols = cols;
    out.Values.reserve(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
    for (int r = 0; r < rows; ++r) {
        const auto& row = grid[static_cast<std::size_t>(r)];
        out.Values.insert(out.Values.end(), row.begin(), row.begin() + cols);
    }
    return out;
}

void CopyInputsAndGeometry(const TModel& m, section::TNodeResult& r) {
    r.HeadDiff = m.HeadDiff;
    r.StratumDepth = m.StratumDepth;
    r.Permeability = m.Permeability;
    r.UnitWeightRatio = m.UnitWeightRatio;
    r.LeftBlanketCol = m.LeftBlanketCol;
    r.PileUpCol = m.PileUpCol;
    r.PileDownCol = m.PileDownCol;
    r.RightBlanketCol = m.RightBlanketCol;
    r.LastCol = m.LastCol;
    r.PileRows = m.PileRows;
    r.HeadGrid = Copy(m.HeadGrid, CoarseRows, m.LastCol + 1);
    r.HeadPasses = m.HeadPasses;
}

} // namespace

section::TNodeResultPtr RunResult(const TModel& m, bool fine) {
    auto r = std::make_shared<section::TNodeResult>();
    CopyInputsAndGeometry(m, *r);
    r->StreamGrid = Copy(m.StreamGrid, CoarseRows, m.LastCol + 1);
    // The fine grids, the gradient the overlays read and the picture belong to the last drawing:
    // of another geometry (a wider one may reach columns no drawing wrote), they are left out.
    const bool drawn = m.ShownPicture.Height() > 0 && m.ShownPicture.Width() == 4 * m.LastCol;
    if (fine && drawn) {
        r->FineHead = Copy(m.FineHead, FineRows, 4 * m.LastCol + 1);
        r->FineStream = Copy(m.FineStream, FineRows, 4 * m.LastCol + 1);
    }
    r->InflowSum = m.InflowSum;
    r->OutflowSum = m.OutflowSum;
    r->Nd = m.Nd;
    r->Nf = m.Nf;
    r->ShapeFactor = m.ShapeFactor;
    r->Q = (m.HeadDiff * m.ShapeFactor) * m.Permeability;
    r->StreamPasses = m.StreamPasses;
    r->ShowCriticalZone = m.ShowCriticalZone;
    r->ShowPossibleHeave = m.ShowPossibleHeave;
    r->ShowImminentHeave = m.ShowImminentHeave;
    if (!drawn) return r;
    const TZoneExtent zones = ZoneExtent(m);
    r->Zones = {zones.CriticalPixels, zones.PossibleColumns, zones.ImminentColumns};

    const TBitmap& shown = m.ShownPicture;
    r->Picture.Width = shown.Width();
    r->Picture.Height = shown.Height();
    r->Picture.Rgb.reserve(3 * static_cast<std::size_t>(shown.Width()) *
                           static_cast<std::size_t>(shown.Height()));
    for (int y = 0; y < shown.Height(); ++y) {
        const TColor* pixels = shown.Row(y);
        for (int x = 0; x < shown.Width(); ++x) {
            r->Picture.Rgb.push_back(static_cast<unsigned char>(RedOf(pixels[x])));
            r->Picture.Rgb.push_back(static_cast<unsigned char>(GreenOf(pixels[x])));
            r->Picture.Rgb.push_back(static_cast<unsigned char>(BlueOf(pixels[x])));
        }
    }
    return r;
}

section::TNodeResultPtr TrialResult(const TModel& m) {
    // A trial wall is solved for its head loss only: nothing else of the model belongs to it.
    auto r = std::make_shared<section::TNodeResult>();
    CopyInputsAndGeometry(m, *r);
    r->Partial = true;
    return r;
}

} // namespace sheetpile
