// The picture of a solved section (see SectionPicture.h).
#include "report/SectionPicture.h"

#include "report/FigureFormat.h"
#include "report/PixelFont.h"
#include "report/SectionFields.h"
#include "sheetpile/ZoneColours.h"

#include <algorithm>
#include <array>
#include <climits>
#include <vector>

namespace verrask::report {

namespace {

using sheetpile::RGBColor;

// Layout in pixels: text at twice the font's size, margins for the axes' labels.
constexpr int TextScale = 2;
constexpr int LineHeight = GlyphHeight * TextScale + 6;
// The title's line and room above the section's headroom for the water marks' labels.
constexpr int MarginLeft = 110, MarginRight = 30, TitleHeight = 64, AxisHeight = 52;
// A legend column's width; the keys' longest line (the flow lines' with a long figure).
constexpr int LegendBottom = 16, LegendColumn = 640, KeysWidth = 640;
// Room above the highest water or ground for the wall heads and the water marks, of the depth.
constexpr double Headroom = 0.12;

constexpr TColor Ink = RGBColor(40, 40, 40);
constexpr TColor GroundColor = RGBColor(110, 70, 30);
constexpr TColor WaterColor = RGBColor(225, 238, 252);
constexpr TColor WaterLineColor = RGBColor(40, 120, 230);
constexpr TColor CoverColor = RGBColor(90, 90, 90);
constexpr TColor EndColor = RGBColor(160, 160, 160);
// Pale and distinct, none near the heave zones' tans or the water's blue.
constexpr std::array<TColor, 8> LayerColors = {RGBColor(252, 246, 196), RGBColor(214, 238, 204),
                                               RGBColor(232, 218, 244), RGBColor(248, 216, 210),
                                               RGBColor(204, 236, 236), RGBColor(236, 236, 236),
                                               RGBColor(246, 226, 176), RGBColor(222, 226, 250)};

constexpr int NoBand = INT_MIN;

TColor LayerColor(std::size_t layer) {
    return LayerColors[layer % LayerColors.size()];
}

// 1, 2 or 5 times a power of ten, giving about `count` steps over `range`.
double NiceStep(double range, double count) {
    const double raw = range / count, power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * power >= raw) return m * power;
    return 10 * power;
}

std::string Tick(double v, double step) {
    const int decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
    return FormatFixed(std::fabs(v) < step / 1000 ? 0.0 : v, decimals);
}

// The water's mark: a small downward triangle standing on the level, two short strokes below.
void WaterMark(TRgbRaster& raster, int x, int y) {
    for (int row = 0; row < 10; ++row)
        raster.FillRect(x - 7 + row * 7 / 10, y - 11 + row, x + 8 - row * 7 / 10, y - 10 + row,
                        WaterLineColor);
    raster.Line(x - 5, y + 4, x + 5, y + 4, WaterLineColor);
    raster.Line(x - 3, y + 8, x + 3, y + 8, WaterLineColor);
}

// Where two neighbouring pixels lie in different steps of a field, the first one is a line.
void MarkSteps(TRgbRaster& raster, const TSectionPicture& p, const TSectionFields& fields,
               const std::vector<int>& band, int width, TColor colour) {
    const int height = static_cast<int>(band.size()) / std::max(width, 1);
    for (int b = 0; b < height; ++b)
        for (int a = 0; a < width; ++a) {
            const int here = band[static_cast<std::size_t>(b * width + a)];
            if (here == NoBand) continue;
            const int px = p.FrameLeft + a, py = p.FrameTop + b;
            bool line = false;
            if (a + 1 < width) {
                const int right = band[static_cast<std::size_t>(b * width + a + 1)];
                line = right != NoBand && right != here &&
                       !fields.WallBetween(p.SectionX(px), p.SectionX(px + 1), p.SectionZ(py));
            }
            if (!line && b + 1 < height) {
                const int below = band[static_cast<std::size_t>((b + 1) * width + a)];
                line = below != NoBand && below != here;
            }
            if (line) raster.Set(px, py, colour);
        }
}

// Ends, base, grounds, covers, water and walls over the soil.
void DrawStructure(TRgbRaster& raster, const TSectionPicture& p, const section::TSectionResult& r,
                   double high) {
    const section::TSection& s = r.Section;
    const double left = r.X.front(), right = r.X.back(), base = s.Base();
    const int baseY = p.PixelY(base), x0 = p.PixelX(left), x1 = p.PixelX(right);
    raster.Line(x0, baseY, x0, p.PixelY(s.Surface.front().Ground), EndColor);
    raster.Line(x1, baseY, x1, p.PixelY(s.Surface.back().Ground), EndColor);
    // The impervious base, hatched below.
    raster.FillRect(x0, baseY, x1 + 1, baseY + 2, Ink);
    for (int x = x0; x + 8 <= x1; x += 8) raster.Line(x + 8, baseY + 2, x, baseY + 10, Ink);
    for (std::size_t k = 0; k < s.Surface.size(); ++k) {
        const section::TStretch& st = s.Surface[k];
        const double a = k == 0 ? left : s.Walls[k - 1].X;
        const double b = k + 1 == s.Surface.size() ? right : s.Walls[k].X;
        const int xa = p.PixelX(a), xb = p.PixelX(b), ground = p.PixelY(st.Ground);
        const int water = p.PixelY(st.Water);
        raster.Line(xa, water, xb, water, WaterLineColor, 2);
        raster.Line(xa, ground, xb, ground, GroundColor, 2);
        const int mark = (xa + xb) / 2;
        WaterMark(raster, mark, water);
        // The level beside its mark, else above it, else (a narrow pit) left out.
        const std::string level = FormatFigure(st.Water) + " m";
        const int wide = TextWidth(level, TextScale);
        if (mark + 12 + wide + 4 < xb)
            DrawText(raster, mark + 12, water - 20, level, WaterLineColor, TextScale);
        else if (xa + 4 < mark - wide / 2 && mark + wide / 2 + 4 < xb)
            DrawText(raster, mark - wide / 2, water - 36, level, WaterLineColor, TextScale);
        auto cover = [&](double c1, double c2) {
            raster.FillRect(p.PixelX(c1), ground - 5, p.PixelX(c2) + 1, ground + 1, CoverColor);
        };
        if (st.CoveredAll) cover(a, b);
        for (const section::TCover& c : st.Covers) cover(c.X1, c.X2);
    }
    const double depth = std::max(high, s.Top()) - base;
    const int head = p.PixelY(std::max(high, s.Top()) + Headroom / 2 * depth);
    for (const section::TWall& w : s.Walls) {
        const int x = p.PixelX(w.X);
        raster.FillRect(x - 2, head, x + 3, p.PixelY(w.Toe) + 1, Ink);
    }
}

// A round step of about `count` ticks over [from, to], or fewer where their labels (each `room`
// pixels plus its text's width across, or `room` down) would not fit a step at `scale`.
double TickStep(double from, double to, double count, double scale, int room, bool across) {
    double step = NiceStep(to - from, count);
    for (; count > 1; count /= 1.5, step = NiceStep(to - from, count)) {
        int widest = 0;
        for (double v = std::ceil(from / step - 1e-9) * step; across && v <= to; v += step)
            widest = std::max(widest, TextWidth(Tick(v, step), TextScale));
        if (step * scale >= room + widest) break;
    }
    return step;
}

// Elevations left of the section, x along its base: round steps, labelled in metres.
void DrawAxes(TRgbRaster& raster, const TSectionPicture& p, double base, double top, double left,
              double right) {
    const double zStep = TickStep(base, top, 6, p.Scale, GlyphHeight * TextScale + 8, false);
    const int axisX = p.FrameLeft - 10;
    raster.Line(axisX, p.PixelY(base), axisX, p.PixelY(top), Ink);
    for (double z = std::ceil(base / zStep - 1e-9) * zStep; z <= top + 1e-9 * zStep; z += zStep) {
        const int y = p.PixelY(z);
        raster.Line(axisX - 5, y, axisX, y, Ink);
        const std::string label = Tick(z, zStep);
        DrawText(raster, axisX - 8 - TextWidth(label, TextScale), y - GlyphHeight * TextScale / 2,
                 label, Ink, TextScale);
    }
    DrawText(raster, axisX - 8 - TextWidth("z (m)", TextScale), std::max(p.PixelY(top) - 40, 36),
             "z (m)", Ink, TextScale);
    const double xStep = TickStep(left, right, 10, p.Scale, 16, true);
    const int axisY = p.PixelY(base) + 14;
    for (double x = std::ceil(left / xStep - 1e-9) * xStep; x <= right + 1e-9 * xStep; x += xStep) {
        const int px = p.PixelX(x);
        raster.Line(px, axisY, px, axisY + 5, Ink);
        const std::string label = Tick(x, xStep);
        DrawText(raster, px - TextWidth(label, TextScale) / 2, axisY + 9, label, Ink, TextScale);
    }
    DrawText(raster, p.FrameLeft - 40 - TextWidth("x (m)", TextScale), axisY + 9, "x (m)", Ink,
             TextScale);
}

// The legend's line of layer l: its name (or number), permeabilities and critical gradient.
std::string LayerText(const section::TSection& s, std::size_t l) {
    const section::TLayer& layer = s.Layers[l];
    const std::string name = layer.Name.empty() ? "layer " + std::to_string(l + 1) : layer.Name;
    return name + ": kx " + FormatFigure(layer.Kx) + ", kz " + FormatFigure(layer.Kz) +
           " m/s, i_c " +
           FormatFigure((layer.GammaSat - section::GammaWater) / section::GammaWater);
}

std::string Refusal(const section::TSectionResult& r, const TSectionPictureOptions& o) {
    if (o.Nd < 1 || o.Nd > MostContourSteps)
        return "Nd = " + std::to_string(o.Nd) + ": the head drops must be 1 to 100";
    if (o.Nf < 0 || o.Nf > MostContourSteps)
        return "Nf = " + std::to_string(o.Nf) + ": the flow channels must be 1 to 100";
    const section::TSection& s = r.Section;
    if (r.X.size() < 2 || r.Y.size() < 2 || r.Head.size() != r.Columns() * r.Rows() ||
        r.Psi.size() != r.X.size() * r.Y.size() || s.Layers.empty() ||
        s.Surface.size() != s.Walls.size() + 1 || r.StretchFlux.size() != s.Surface.size())
        return "the section has no solved fields to draw";
    if (!(r.X.back() > r.X.front()) || !(s.Top() > s.Base()))
        return "the section has no extent to draw";
    return "";
}

} // namespace

std::string SectionPicture(const section::TSectionResult& r, const TSectionPictureOptions& options,
                           TSectionPicture& out) {
    out = TSectionPicture{};
    if (std::string why = Refusal(r, options); !why.empty()) return why;
    const section::TSection& s = r.Section;
    const TSectionFields fields(r);

    double low = s.Surface.front().Water, high = low;
    for (const section::TStretch& st : s.Surface) {
        low = std::min(low, st.Water);
        high = std::max(high, st.Water);
    }
    const double left = r.X.front(), right = r.X.back(), base = s.Base();
    const double depth = std::max(high, s.Top()) - base;
    const double top = std::max(high, s.Top()) + Headroom * depth;

    // The flow net's steps.
    out.Nd = high > low ? options.Nd : 0;
    out.HeadStep = out.Nd ? (high - low) / out.Nd : 0;
    const double q = fields.PsiMax() - fields.PsiMin();
    const int automatic = DefaultFlowChannels(r, fields, options.Nd);
    out.Nf = automatic == 0 ? 0 : options.Nf ? options.Nf : std::min(automatic, MostContourSteps);
    out.PsiStep = out.Nf ? q / out.Nf : 0;

    // The legend: the layers, then the keys (beside them where the picture is wide enough).
    bool possible = false, imminent = false;
    for (const TSectionFields::TColumn& c : fields.HeaveColumns()) {
        possible = possible || !std::isnan(c.StripeBottom);
        imminent = imminent || c.Imminent;
    }
    const int keyRows =
        4 + (possible ? 1 : 0) + (imminent ? 1 : 0) + (fields.AnyCritical() ? 1 : 0);
    const int layerRows = static_cast<int>(s.Layers.size());

    // The largest scale that fits, the same across and down.
    const double spanX = right - left, spanZ = top - base;
    const double fitWidth = (MostWidth - MarginLeft - MarginRight) / spanX;
    // The keys beside the layers where the section is wide enough for both columns.
    bool besides = true;
    int legendHeight = 0;
    for (;;) {
        legendHeight = (besides ? std::max(layerRows, keyRows) : layerRows + keyRows) * LineHeight +
                       LegendBottom;
        const double fitHeight = (MostHeight - TitleHeight - AxisHeight - legendHeight) / spanZ;
        out.Scale = std::max(std::min(fitWidth, fitHeight), 1e-9);
        if (!besides || out.Scale * spanX >= 2 * LegendColumn - MarginLeft) break;
        besides = false;
    }
    // Less a trace, so that a product of exactly a whole number of pixels is not one more.
    const int frameWidth = static_cast<int>(std::ceil(out.Scale * spanX - 1e-6));
    const int frameHeight = static_cast<int>(std::ceil(out.Scale * spanZ - 1e-6));
    // Wide enough for the legend's texts, up to the most width.
    int legendWidth = besides ? 2 * LegendColumn + 20 : KeysWidth;
    for (std::size_t l = 0; l < s.Layers.size(); ++l)
        legendWidth = std::max(legendWidth, 64 + TextWidth(LayerText(s, l), TextScale));
    const int width = std::max(
        {MinWidth, MarginLeft + frameWidth + MarginRight, std::min(legendWidth, MostWidth)});
    out.FrameLeft = MarginLeft + (width - MarginLeft - MarginRight - frameWidth) / 2;
    out.FrameTop = TitleHeight;
    out.FrameRight = out.FrameLeft + frameWidth;
    out.FrameBottom = out.FrameTop + frameHeight;
    out.Left = left - out.FrameLeft / out.Scale;
    out.Top = top + out.FrameTop / out.Scale;
    TRgbRaster& raster = out.Raster;
    raster.Reset(width, out.FrameBottom + AxisHeight + legendHeight, sheetpile::WhiteColor);

    // Soil, water and the fields' steps, pixel by pixel.
    std::vector<int> heads(
        static_cast<std::size_t>(frameWidth) * static_cast<std::size_t>(frameHeight), NoBand),
        psis = heads;
    const int psiLow =
        out.Nf ? static_cast<int>(std::floor(fields.PsiMin() / out.PsiStep + 1e-6)) : 0;
    const int psiHigh =
        out.Nf ? static_cast<int>(std::ceil(fields.PsiMax() / out.PsiStep - 1e-6)) - 1 : 0;
    for (int b = 0; b < frameHeight; ++b)
        for (int a = 0; a < frameWidth; ++a) {
            const int px = out.FrameLeft + a, py = out.FrameTop + b;
            const double x = out.SectionX(px), z = out.SectionZ(py);
            if (x < left || x > right || z < base) continue;
            const section::TStretch& st = s.Surface[fields.Stretch(x)];
            if (z >= st.Ground) {
                if (z < st.Water) raster.Set(px, py, WaterColor);
                continue;
            }
            TColor colour = LayerColor(fields.Layer(z));
            const TSectionFields::TColumn& heave = fields.HeaveAt(x);
            if (!std::isnan(heave.StripeBottom) && z >= heave.StripeBottom)
                colour =
                    heave.Imminent ? sheetpile::ImminentHeaveColor : sheetpile::PossibleHeaveColor;
            if (fields.Critical(x, z)) colour = sheetpile::CriticalZoneMix(colour);
            raster.Set(px, py, colour);
            const std::size_t at = static_cast<std::size_t>(b * frameWidth + a);
            const double h = fields.Head(x, z), p = fields.Psi(x, z);
            if (out.Nd && !std::isnan(h))
                heads[at] = std::clamp(static_cast<int>(std::floor((h - low) / out.HeadStep)), 0,
                                       out.Nd - 1);
            if (out.Nf && !std::isnan(p)) {
                // Rounding leaves some 1e-15 q where psi is zero (the base, the ends, a divide).
                const double snapped = std::fabs(p) < 1e-9 * q ? 0 : p;
                psis[at] = std::clamp(static_cast<int>(std::floor(snapped / out.PsiStep)), psiLow,
                                      psiHigh);
            }
        }
    MarkSteps(raster, out, fields, heads, frameWidth, EquipotentialColor);
    MarkSteps(raster, out, fields, psis, frameWidth, FlowLineColor);

    DrawStructure(raster, out, r, high);
    DrawAxes(raster, out, base, std::max(high, s.Top()), left, right);

    std::string title = "Flow net: q = " + FormatFigure(r.Q) + " m3/s per m";
    if (out.Nd) title += ", Nd = " + std::to_string(out.Nd);
    if (out.Nf) title += ", Nf = " + std::to_string(out.Nf);
    DrawText(raster, 10, 12, title, Ink, TextScale);

    // Legend.
    const int legendTop = out.FrameBottom + AxisHeight;
    int y = legendTop;
    for (std::size_t l = 0; l < s.Layers.size(); ++l, y += LineHeight) {
        raster.FillRect(10, y, 46, y + LineHeight - 8, Ink);
        raster.FillRect(11, y + 1, 45, y + LineHeight - 9, LayerColor(l));
        DrawText(raster, 54, y, LayerText(s, l), Ink, TextScale);
    }
    const int keyLeft = besides ? width / 2 : 10;
    y = besides ? legendTop : y;
    auto key = [&](const std::string& text) {
        DrawText(raster, keyLeft + 44, y, text, Ink, TextScale);
        y += LineHeight;
    };
    const int mid = LineHeight / 2 - 4;
    raster.Line(keyLeft, y + mid, keyLeft + 36, y + mid, EquipotentialColor, 2);
    key(out.Nd ? "equipotentials: Nd = " + std::to_string(out.Nd) + ", " +
                     FormatFigure(out.HeadStep) + " m of head each"
               : "no equipotentials: one water level");
    raster.Line(keyLeft, y + mid, keyLeft + 36, y + mid, FlowLineColor, 2);
    key(out.Nf ? "flow lines: Nf = " + std::to_string(out.Nf) + ", " + FormatFigure(out.PsiStep) +
                     " m3/s per m each"
               : "no flow lines: nothing flows");
    raster.Line(keyLeft, y + mid + 4, keyLeft + 36, y + mid + 4, WaterLineColor, 2);
    WaterMark(raster, keyLeft + 18, y + mid + 4);
    key("water level");
    auto swatch = [&](TColor colour, const std::string& text) {
        raster.FillRect(keyLeft, y, keyLeft + 36, y + LineHeight - 8, Ink);
        raster.FillRect(keyLeft + 1, y + 1, keyLeft + 35, y + LineHeight - 9, colour);
        key(text);
    };
    if (possible) swatch(sheetpile::PossibleHeaveColor, "possible heave: mean upward gradient > 0");
    if (imminent) swatch(sheetpile::ImminentHeaveColor, "imminent heave: mean gradient > i_c");
    if (fields.AnyCritical())
        swatch(sheetpile::CriticalZoneMix(sheetpile::WhiteColor), "upward gradient > i_c");
    // A scale bar of a round length, about a sixth of the section.
    const double bar = NiceStep(right - left, 6);
    const int barEnd = keyLeft + static_cast<int>(std::lround(bar * out.Scale));
    raster.Line(keyLeft, y + mid, barEnd, y + mid, Ink, 2);
    raster.Line(keyLeft, y + mid - 5, keyLeft, y + mid + 5, Ink, 2);
    raster.Line(barEnd, y + mid - 5, barEnd, y + mid + 5, Ink, 2);
    DrawText(raster, barEnd + 10, y, Tick(bar, bar) + " m", Ink, TextScale);
    return "";
}

} // namespace verrask::report
