// SVG drawing of a chart (see ChartSvg.h).
#include "report/ChartSvg.h"

#include "report/FigureFormat.h"
#include "report/HtmlText.h"

#include <cmath>
#include <vector>

namespace verrask::report {

namespace {

// Room around the plot for the title and legend (top), tick labels and axis titles.
constexpr int MarginLeft = 64, MarginRight = 18, MarginBottom = 46;
constexpr int TitleHeight = 22, LegendRowHeight = 16;
// About 6 px a character of the 11 px font: where the legend's next entry starts.
constexpr double LegendCharWidth = 6;

std::string C(double v) {
    return FormatFixed(v, 1);
}

struct TFrame {
    double Left, Top, Width, Height;
    double X(const TAxis& a, double v) const {
        return Left + (a.Reversed ? a.Max - v : v - a.Min) / (a.Max - a.Min) * Width;
    }
    double Y(const TAxis& a, double v) const {
        return Top + (a.Reversed ? v - a.Min : a.Max - v) / (a.Max - a.Min) * Height;
    }
};

std::string Text(double x, double y, const std::string& anchor, const std::string& text,
                 const std::string& extra = "") {
    return "<text x=\"" + C(x) + "\" y=\"" + C(y) + "\" text-anchor=\"" + anchor + "\"" + extra +
           ">" + HtmlEscape(text) + "</text>\n";
}

std::string Line(double x1, double y1, double x2, double y2, const std::string& style) {
    return "<line x1=\"" + C(x1) + "\" y1=\"" + C(y1) + "\" x2=\"" + C(x2) + "\" y2=\"" + C(y2) +
           "\" " + style + "/>\n";
}

std::string Stroke(const TSeries& s) {
    std::string out = "stroke=\"" + s.Colour + "\" stroke-width=\"2\" fill=\"none\"";
    if (s.Style == TLineStyle::Dashed) out += " stroke-dasharray=\"6 4\"";
    return out;
}

} // namespace

std::string ChartSvg(const TChart& chart, const std::string& id, int width, int height) {
    // Legend entries in rows under the title, a new row where the next one would not fit.
    struct TPlace {
        double X, Y;
    };
    std::vector<TPlace> places;
    double lx = MarginLeft, ly = TitleHeight + 12;
    for (const TSeries& s : chart.Series) {
        const double w = 25 + LegendCharWidth * static_cast<double>(s.Name.size());
        if (lx > MarginLeft && lx + w > width - MarginRight) {
            lx = MarginLeft;
            ly += LegendRowHeight;
        }
        places.push_back({lx, ly});
        lx += w + 15;
    }
    const double top = ly + 14;
    const TFrame f{MarginLeft, top, static_cast<double>(width - MarginLeft - MarginRight),
                   height - top - MarginBottom};
    const std::string w = std::to_string(width), h = std::to_string(height);
    std::string out = "<svg xmlns=\"http://www.w3.org/2000/svg\" id=\"" + HtmlEscape(id) +
                      "\" class=\"chart\" width=\"" + w + "\" height=\"" + h + "\" viewBox=\"0 0 " +
                      w + " " + h + "\" font-family=\"sans-serif\" font-size=\"11\">\n";
    out += "<title>" + HtmlEscape(chart.Title) + "</title>\n";
    out += "<clipPath id=\"" + HtmlEscape(id) + "-plot\"><rect x=\"" + C(f.Left) + "\" y=\"" +
           C(f.Top) + "\" width=\"" + C(f.Width) + "\" height=\"" + C(f.Height) +
           "\"/></clipPath>\n";
    out += Text(width / 2.0, 16, "middle", chart.Title, " font-size=\"13\" font-weight=\"bold\"");

    for (std::size_t i = 0; i < chart.Series.size(); ++i) {
        const TSeries& s = chart.Series[i];
        const double x = places[i].X, y = places[i].Y;
        if (s.Style == TLineStyle::Markers)
            out += "<circle cx=\"" + C(x + 10) + "\" cy=\"" + C(y - 4) + "\" r=\"3\" fill=\"" +
                   s.Colour + "\"/>\n";
        else
            out += Line(x, y - 4, x + 20, y - 4, Stroke(s));
        out += Text(x + 25, y, "start", s.Name);
    }

    // Grid lines, ticks and their labels.
    const std::string grid = "stroke=\"#dddddd\" stroke-width=\"1\"";
    const std::string tick = "stroke=\"#000000\" stroke-width=\"1\"";
    for (double v : chart.X.Ticks) {
        const double x = f.X(chart.X, v);
        out += Line(x, f.Top, x, f.Top + f.Height, grid);
        out += Line(x, f.Top + f.Height, x, f.Top + f.Height + 4, tick);
        out += Text(x, f.Top + f.Height + 16, "middle", TickLabel(chart.X, v));
    }
    for (double v : chart.Y.Ticks) {
        const double y = f.Y(chart.Y, v);
        out += Line(f.Left, y, f.Left + f.Width, y, grid);
        out += Line(f.Left - 4, y, f.Left, y, tick);
        out += Text(f.Left - 7, y + 4, "end", TickLabel(chart.Y, v));
    }
    out += "<rect x=\"" + C(f.Left) + "\" y=\"" + C(f.Top) + "\" width=\"" + C(f.Width) +
           "\" height=\"" + C(f.Height) + "\" fill=\"none\" " + tick + "/>\n";
    out += Text(f.Left + f.Width / 2, height - 8.0, "middle", chart.X.Title);
    const double ty = f.Top + f.Height / 2;
    out += Text(16, ty, "middle", chart.Y.Title, " transform=\"rotate(-90 16 " + C(ty) + ")\"");

    // The series, clipped to the plot.
    out += "<g clip-path=\"url(#" + HtmlEscape(id) + "-plot)\">\n";
    for (const TSeries& s : chart.Series) {
        if (s.Points.empty()) continue;
        if (s.Style == TLineStyle::Markers) {
            std::string path;
            for (const TPoint& p : s.Points)
                path +=
                    (path.empty() ? "M" : " L") + C(f.X(chart.X, p.X)) + " " + C(f.Y(chart.Y, p.Y));
            out += "<path d=\"" + path + "\" stroke=\"" + s.Colour +
                   "\" stroke-width=\"1\" fill=\"none\" stroke-opacity=\"0.5\"/>\n";
            for (const TPoint& p : s.Points)
                out += "<circle cx=\"" + C(f.X(chart.X, p.X)) + "\" cy=\"" + C(f.Y(chart.Y, p.Y)) +
                       "\" r=\"3.5\" fill=\"" + s.Colour + "\"/>\n";
            continue;
        }
        std::string points;
        for (const TPoint& p : s.Points) {
            if (!points.empty()) points += ' ';
            points += C(f.X(chart.X, p.X)) + "," + C(f.Y(chart.Y, p.Y));
        }
        out += "<polyline points=\"" + points + "\" " + Stroke(s) + "/>\n";
    }
    out += "</g>\n</svg>\n";
    return out;
}

} // namespace verrask::report
