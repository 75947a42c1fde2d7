// The section as an SVG drawing (see SectionSvg.h).
#include "report/SectionSvg.h"

#include "report/FigureFormat.h"
#include "report/HtmlText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace verrask::report {

namespace {

constexpr double MostWidth = 800, MostHeight = 420, LeastHeight = 160; // px
constexpr double Margin = 60; // px each side: room for the elevations and the layer names
// Pale, well apart, printable: sand, silt, gravel, clay and so on, repeating after eight.
constexpr const char* Fills[] = {"#eedc9a", "#c9d9a6", "#d9b99b", "#b9cde0",
                                 "#e3c5d8", "#cfcfcf", "#f2c79b", "#a9d6c9"};

std::string Px(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", v);
    return text;
}

struct TFrame {
    double X0 = 0, Top = 0, Scale = 1;
    double X(double x) const { return Margin + (x - X0) * Scale; }
    double Y(double z) const { return Margin / 2 + (Top - z) * Scale; }
};

std::string Rect(const TFrame& f, double x1, double x2, double top, double bottom,
                 const std::string& style) {
    return "<rect x=\"" + Px(f.X(x1)) + "\" y=\"" + Px(f.Y(top)) + "\" width=\"" +
           Px((x2 - x1) * f.Scale) + "\" height=\"" + Px((top - bottom) * f.Scale) + "\" " + style +
           "/>\n";
}

std::string Line(double x1, double y1, double x2, double y2, const std::string& style) {
    return "<line x1=\"" + Px(x1) + "\" y1=\"" + Px(y1) + "\" x2=\"" + Px(x2) + "\" y2=\"" +
           Px(y2) + "\" " + style + "/>\n";
}

std::string Text(double x, double y, const std::string& text, const std::string& anchor) {
    return "<text x=\"" + Px(x) + "\" y=\"" + Px(y) + "\" text-anchor=\"" + anchor +
           "\" font-size=\"11\">" + HtmlEscape(text) + "</text>\n";
}

} // namespace

const char* LayerColour(std::size_t layer) {
    return Fills[layer % std::size(Fills)];
}

std::string SectionSvg(const section::TSection& s, const std::string& id) {
    const double depth = s.Top() - s.Base();
    double left = s.Walls.front().X, right = s.Walls.back().X, top = s.Top();
    for (const section::TStretch& st : s.Surface) {
        top = std::max(top, st.Water);
        for (const section::TCover& c : st.Covers) {
            left = std::min(left, c.X1);
            right = std::max(right, c.X2);
        }
    }
    const section::TExtent extent =
        s.Extent.value_or(section::TExtent{left - 3 * depth, right + 3 * depth});
    left = std::max(extent.Left, left - 1.5 * depth);
    right = std::min(extent.Right, right + 1.5 * depth);
    const double height = top - s.Base();
    TFrame f{left, top, std::min((MostWidth - 2 * Margin) / (right - left), MostHeight / height)};
    f.Scale = std::max(f.Scale, LeastHeight / height);
    const double width = 2 * Margin + (right - left) * f.Scale;
    const double tall = Margin + height * f.Scale + 14;

    std::string out = "<svg class=\"chart\" id=\"" + HtmlEscape(id) +
                      "\" xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Px(width) +
                      "\" height=\"" + Px(tall) + "\" viewBox=\"0 0 " + Px(width) + " " + Px(tall) +
                      "\" role=\"img\" aria-label=\"The section\">\n";
    // Soil: each layer under each stretch's ground, then the water over the ground.
    for (std::size_t k = 0; k < s.Surface.size(); ++k) {
        const section::TStretch& st = s.Surface[k];
        const double x1 = k == 0 ? left : std::max(left, s.Walls[k - 1].X);
        const double x2 = k == s.Walls.size() ? right : std::min(right, s.Walls[k].X);
        if (!(x2 > x1)) continue;
        double upper = st.Ground;
        for (std::size_t l = 0; l < s.Layers.size(); ++l) {
            if (upper > s.Layers[l].Bottom)
                out += Rect(f, x1, x2, upper, s.Layers[l].Bottom,
                            std::string("fill=\"") + LayerColour(l) + "\"");
            upper = std::min(upper, s.Layers[l].Bottom);
        }
        if (st.Water > st.Ground) out += Rect(f, x1, x2, st.Water, st.Ground, "fill=\"#cfe6fb\"");
        out += Line(f.X(x1), f.Y(st.Ground), f.X(x2), f.Y(st.Ground),
                    "stroke=\"#5b4a2f\" stroke-width=\"1.5\"");
        out += Line(f.X(x1), f.Y(st.Water), f.X(x2), f.Y(st.Water),
                    "stroke=\"#1f6fd1\" stroke-width=\"1.5\"");
        const double mark = f.X((x1 + x2) / 2), level = f.Y(st.Water);
        out +=
            "<path d=\"M" + Px(mark - 5) + " " + Px(level - 8) + "h10l-5 8z\" fill=\"#1f6fd1\"/>\n";
        out += Text(mark + 8, level - 3, FormatFigure(st.Water) + " m", "start");
        std::vector<section::TCover> covers = st.Covers;
        if (st.CoveredAll) covers = {{x1, x2}};
        for (const section::TCover& c : covers) {
            const double a = std::max(c.X1, x1), b = std::min(c.X2, x2);
            if (b > a)
                out += Line(f.X(a), f.Y(st.Ground) - 2, f.X(b), f.Y(st.Ground) - 2,
                            "stroke=\"#3a3a3a\" stroke-width=\"4\"");
        }
    }
    // Layer names at the left edge, the base and the elevations of the layer bottoms.
    double upper = s.Surface.front().Ground;
    for (std::size_t l = 0; l < s.Layers.size(); ++l) {
        const section::TLayer& layer = s.Layers[l];
        const double mid = (std::min(upper, s.Top()) + layer.Bottom) / 2;
        out += Text(f.X(left) + 4, f.Y(mid) + 4,
                    layer.Name.empty() ? "layer " + std::to_string(l + 1) : layer.Name, "start");
        out += Text(f.X(left) - 4, f.Y(layer.Bottom) + 4, FormatFigure(layer.Bottom), "end");
        upper = layer.Bottom;
    }
    out += Line(f.X(left), f.Y(s.Base()), f.X(right), f.Y(s.Base()),
                "stroke=\"#000\" stroke-width=\"3\"");
    for (const section::TWall& w : s.Walls) {
        out += Line(f.X(w.X), f.Y(top) - 6, f.X(w.X), f.Y(w.Toe),
                    "stroke=\"#000\" stroke-width=\"4\"");
        out += Text(f.X(w.X) + 6, f.Y(w.Toe) + 4, "toe " + FormatFigure(w.Toe) + " m", "start");
    }
    out += Text(width / 2, tall - 3,
                "x " + FormatFigure(left) + " to " + FormatFigure(right) +
                    " m, natural scale; elevations in m",
                "middle");
    return out + "</svg>\n";
}

} // namespace verrask::report
