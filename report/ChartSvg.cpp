// SVG drawing of a chart (see ChartSvg.h).
#include "report/ChartSvg.h"

#include "report/ChartLayout.h"
#include "report/FigureFormat.h"
#include "report/HtmlText.h"

namespace verrask::report {

namespace {

// The report's text: 11 px sans-serif on a 16 px line, its baseline 12 px below a line's top.
// The widths are an estimate of about 6 px a character, as no font is at hand when writing.
constexpr double LineHeight = 16, Baseline = 12, CharWidth = 6;

std::string C(double v) {
    return FormatFixed(v, 1);
}

// Characters, not bytes: a UTF-8 continuation byte adds nothing.
double EstimatedWidth(const std::string& text) {
    double n = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n * CharWidth;
}

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
    const TChartLayout layout = LayOutChart(chart, width, height, {&EstimatedWidth, LineHeight});
    const TBox& f = layout.Plot;
    const std::string w = std::to_string(width), h = std::to_string(height);
    std::string out = "<svg xmlns=\"http://www.w3.org/2000/svg\" id=\"" + HtmlEscape(id) +
                      "\" class=\"chart\" width=\"" + w + "\" height=\"" + h + "\" viewBox=\"0 0 " +
                      w + " " + h + "\" font-family=\"sans-serif\" font-size=\"11\">\n";
    out += "<title>" + HtmlEscape(chart.Title) + "</title>\n";
    out += "<clipPath id=\"" + HtmlEscape(id) + "-plot\"><rect x=\"" + C(f.Left) + "\" y=\"" +
           C(f.Top) + "\" width=\"" + C(f.Width) + "\" height=\"" + C(f.Height) +
           "\"/></clipPath>\n";
    for (const TPlacedText& t : layout.Title)
        out += Text(width / 2.0, t.Box.Top + Baseline, "middle", t.Text,
                    " font-size=\"13\" font-weight=\"bold\"");

    for (const TLegendEntry& e : layout.Legend) {
        const TSeries& s = chart.Series[e.Series];
        const double x = e.Sample.Left, y = e.Sample.Top + e.Sample.Height / 2;
        if (s.Style == TLineStyle::Markers)
            out += "<circle cx=\"" + C(x + e.Sample.Width / 2) + "\" cy=\"" + C(y) +
                   "\" r=\"3\" fill=\"" + s.Colour + "\"/>\n";
        else
            out += Line(x, y, e.Sample.Right(), y, Stroke(s));
        out += Text(e.Name.Box.Left, e.Name.Box.Top + Baseline, "start", e.Name.Text);
    }

    // Grid lines, ticks and their labels.
    const std::string grid = "stroke=\"#dddddd\" stroke-width=\"1\"";
    const std::string tick = "stroke=\"#000000\" stroke-width=\"1\"";
    for (const TTick& t : layout.XTicks) {
        out += Line(t.At, f.Top, t.At, f.Bottom(), grid);
        out += Line(t.At, f.Bottom(), t.At, f.Bottom() + layout.TickLength, tick);
        out += Text(t.At, t.Label.Box.Top + Baseline, "middle", t.Label.Text);
    }
    for (const TTick& t : layout.YTicks) {
        out += Line(f.Left, t.At, f.Right(), t.At, grid);
        out += Line(f.Left - layout.TickLength, t.At, f.Left, t.At, tick);
        out += Text(t.Label.Box.Right(), t.At + Baseline - LineHeight / 2, "end", t.Label.Text);
    }
    out += "<rect x=\"" + C(f.Left) + "\" y=\"" + C(f.Top) + "\" width=\"" + C(f.Width) +
           "\" height=\"" + C(f.Height) + "\" fill=\"none\" " + tick + "/>\n";
    const TBox& xt = layout.XTitle.Box;
    out += Text(xt.Left + xt.Width / 2, xt.Top + Baseline, "middle", layout.XTitle.Text);
    // Read upwards: turned a quarter left about its baseline's middle (a whole pixel across).
    const TBox& yt = layout.YTitle.Box;
    const double tx = yt.Left + Baseline, ty = yt.Top + yt.Height / 2;
    out += Text(tx, ty, "middle", layout.YTitle.Text,
                " transform=\"rotate(-90 " + FormatFixed(tx, 0) + " " + C(ty) + ")\"");

    // The series, clipped to the plot.
    out += "<g clip-path=\"url(#" + HtmlEscape(id) + "-plot)\">\n";
    for (const TSeries& s : chart.Series) {
        if (s.Points.empty()) continue;
        if (s.Style == TLineStyle::Markers) {
            std::string path;
            for (const TPoint& p : s.Points)
                path += (path.empty() ? "M" : " L") + C(layout.PlaceX(p.X)) + " " +
                        C(layout.PlaceY(p.Y));
            out += "<path d=\"" + path + "\" stroke=\"" + s.Colour +
                   "\" stroke-width=\"1\" fill=\"none\" stroke-opacity=\"0.5\"/>\n";
            for (const TPoint& p : s.Points)
                out += "<circle cx=\"" + C(layout.PlaceX(p.X)) + "\" cy=\"" +
                       C(layout.PlaceY(p.Y)) + "\" r=\"3.5\" fill=\"" + s.Colour + "\"/>\n";
            continue;
        }
        std::string points;
        for (const TPoint& p : s.Points) {
            if (!points.empty()) points += ' ';
            points += C(layout.PlaceX(p.X)) + "," + C(layout.PlaceY(p.Y));
        }
        out += "<polyline points=\"" + points + "\" " + Stroke(s) + "/>\n";
    }
    out += "</g>\n</svg>\n";
    return out;
}

} // namespace verrask::report
