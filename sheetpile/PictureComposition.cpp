// Picture composition: NetBitmap is repainted whole, bottom layer first: background, zone
// overlays, equipotentials with the ground-surface lines, flow lines with the base line, and
// the structure (the sheet-pile box and one line across both blankets on row 0). The shown
// picture puts a four-row strip marking the structure's extent above NetBitmap.
//
// RedrawNet repeats a composition with the counts of the last RenderNet; it leaves the brush at
// the background colour when it outlines the pile, so the pile's interior shows the background
// there instead of the white of DrawStructure.
//
// Assumes: SetupGeometry has sized NetBitmap to 4 x LastCol by 200 and the fields hold a
// completed run.
//
// Holds on return: ShowNetPicture has written every pixel of ShownPicture (4 x LastCol by 204);
// nothing is allocated (the strip is a bitmap kept by the model).
#include "sheetpile/ZoneOverlays.h"

namespace sheetpile {

namespace {

constexpr TColor StructureColor = 0xFF0000; // blue
constexpr int NetRows = FineRows - 1;       // fine row 200, the base, lies below the picture
constexpr int StripRows = 4;                // rows of the shown picture above NetBitmap
constexpr int StripBitmapRows = 8;

// Background, zone overlays and both families of lines, with the stored counts.
void PaintLayers(TModel& m) {
    m.NetBitmap.BrushColor = NetBackgroundColor;
    m.NetBitmap.FillRect(0, 0, 4 * m.LastCol, NetRows);
    m.DrawZones();
    m.DrawEquipotentials();
    m.DrawFlowLines();
}

// The pile box and the blanket line with the pen and brush as they are.
void DrawPileAndBlankets(TModel& m) {
    TBitmap& bmp = m.NetBitmap;
    bmp.Rectangle(4 * m.PileUpCol, 0, 4 * m.PileDownCol + 1, 4 * m.PileRows + 1);
    bmp.MoveTo(4 * m.LeftBlanketCol, 0);
    bmp.LineTo(4 * m.RightBlanketCol, 0);
}

} // namespace

void TModel::RenderNet(std::uint32_t nd, std::uint32_t nf) {
    DrawNd = nd;
    DrawNf = nf;
    PaintLayers(*this);
}

void TModel::DrawStructure() {
    NetBitmap.PenColor = StructureColor;
    NetBitmap.BrushColor = WhiteColor;
    DrawPileAndBlankets(*this);
}

void TModel::RedrawNet() {
    PaintLayers(*this);
    NetBitmap.PenColor = StructureColor; // the brush keeps the background colour
    DrawPileAndBlankets(*this);
}

void TModel::ShowNetPicture() {
    ShownPicture.SetSize(NetBitmap.Width(), NetBitmap.Height() + StripRows);
    StripBitmap.SetSize(NetBitmap.Width(), StripBitmapRows);
    StripBitmap.PenColor = StructureColor;
    StripBitmap.BrushColor = WhiteColor;
    // Their lower edges (strip row 4) and the rows below end up under NetBitmap.
    StripBitmap.Rectangle(LeftBlanketX, 0, RightBlanketX + 1, StripRows + 1);
    StripBitmap.Rectangle(PileUpX, 0, PileDownX + 1, StripRows + 1);
    ShownPicture.Draw(0, 0, StripBitmap);
    ShowNetBitmap();
}

void TModel::ShowNetBitmap() {
    ShownPicture.Draw(0, StripRows, NetBitmap);
}

} // namespace sheetpile
