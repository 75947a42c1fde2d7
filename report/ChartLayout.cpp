// Layout of a chart on a drawing of a given size (see ChartLayout.h).
#include "report/ChartLayout.h"

#include <algorithm>

namespace verrask::report {

namespace {

// Spacing in sixteenths of the line height; at the report's 16 px line these are pixels.
constexpr double Edge = 4;          // free strip along the drawing's edges
constexpr double TitleGap = 2;      // between the title's last line and the legend
constexpr double LegendGap = 10;    // between the legend's last row and the plot
constexpr double SampleWidth = 20;  // a legend entry's line sample
constexpr double SampleGap = 5;     // between the sample and the name
constexpr double EntryGap = 15;     // between legend entries on a row
constexpr double MarginLeft = 64;   // least room left of the plot
constexpr double MarginRight = 18;  // least room right of the plot
constexpr double MarginBottom = 46; // room under the plot: tick labels and the axis title
constexpr double TickLength = 4;
constexpr double YLabelGap = 7; // from a vertical-axis label's right end to the plot
constexpr double YTitleGap = 4; // between the vertical axis title and the widest label
constexpr double XTitleUp = 20; // the horizontal axis title's top above the drawing's bottom

// "…" in UTF-8.
constexpr const char* Ellipsis = "\xE2\x80\xA6";

double Measure(const TTextMeasure& m, const std::string& text) {
    return text.empty() || !m.Width ? 0 : std::max(0.0, m.Width(text));
}

// The title's words in lines of at most `room`; a word alone wider than that is cut.
std::vector<std::string> WrapWords(const std::string& text, double room, const TTextMeasure& m) {
    std::vector<std::string> lines;
    std::string line;
    std::size_t at = 0;
    while (at <= text.size()) {
        std::size_t end = text.find(' ', at);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(at, end - at);
        at = end + 1;
        if (word.empty()) continue;
        const std::string joined = line.empty() ? word : line + " " + word;
        if (line.empty() || Measure(m, joined) <= room) {
            line = joined;
        } else {
            lines.push_back(FitText(line, room, m));
            line = word;
        }
    }
    lines.push_back(FitText(line, room, m));
    return lines;
}

} // namespace

std::string FitText(const std::string& text, double room, const TTextMeasure& measure) {
    if (Measure(measure, text) <= room) return text;
    std::string start = text;
    while (!start.empty()) {
        // Drop the last whole UTF-8 character (its continuation bytes are 10xxxxxx).
        std::size_t cut = start.size() - 1;
        while (cut > 0 && (static_cast<unsigned char>(start[cut]) & 0xC0) == 0x80) --cut;
        start.erase(cut);
        while (!start.empty() && start.back() == ' ') start.pop_back();
        const std::string shown = start + Ellipsis;
        if (Measure(measure, shown) <= room) return shown;
    }
    return Measure(measure, Ellipsis) <= room ? Ellipsis : "";
}

double TChartLayout::PlaceX(double v) const {
    return Plot.Left + (X.Reversed ? X.Max - v : v - X.Min) / (X.Max - X.Min) * Plot.Width;
}

double TChartLayout::PlaceY(double v) const {
    return Plot.Top + (Y.Reversed ? v - Y.Min : Y.Max - v) / (Y.Max - Y.Min) * Plot.Height;
}

TChartLayout LayOutChart(const TChart& chart, double width, double height,
                         const TTextMeasure& measure) {
    TChartLayout out;
    out.Width = width;
    out.Height = height;
    out.X = chart.X;
    out.Y = chart.Y;
    const double line = measure.LineHeight;
    const double u = line / 16;
    out.LineHeight = line;
    out.TickLength = TickLength * u;
    const double textRoom = std::max(0.0, width - 2 * Edge * u);

    // The title, centred, in as many lines as it needs.
    double top = Edge * u;
    for (std::string& text : WrapWords(chart.Title, textRoom, measure)) {
        const double w = Measure(measure, text);
        out.Title.push_back({std::move(text), {(width - w) / 2, top, w, line}});
        top += line;
    }
    const double legendTop = top + TitleGap * u;

    // The plot's sides: room for the widest vertical-axis label beside that axis' title, and for
    // half the outer horizontal-axis labels, which are centred on the frame's corners.
    std::vector<std::string> yLabels, xLabels;
    double widestY = 0;
    for (double v : chart.Y.Ticks) {
        yLabels.push_back(TickLabel(chart.Y, v));
        widestY = std::max(widestY, Measure(measure, yLabels.back()));
    }
    for (double v : chart.X.Ticks) xLabels.push_back(TickLabel(chart.X, v));
    const double firstX = xLabels.empty() ? 0 : Measure(measure, xLabels.front());
    const double lastX = xLabels.empty() ? 0 : Measure(measure, xLabels.back());
    const double left = std::max(
        {MarginLeft * u, (Edge + YTitleGap + YLabelGap) * u + line + widestY, firstX / 2 + u});
    const double right = std::max(MarginRight * u, lastX / 2 + u);

    // Legend entries from the plot's left edge, a new row where the next would pass its right.
    const double rowEnd = width - right;
    double x = left;
    int row = 0;
    for (std::size_t i = 0; i < chart.Series.size(); ++i) {
        std::string name = chart.Series[i].Name;
        const double lead = (SampleWidth + SampleGap) * u;
        double w = lead + Measure(measure, name);
        if (x > left && x + w > rowEnd) {
            x = left;
            ++row;
        }
        // An entry too long for a row of its own starts further left, and is cut at the edge.
        double at = x;
        if (at + w > rowEnd) at = std::max(Edge * u, rowEnd - w);
        if (at + w > width - Edge * u) {
            name = FitText(name, width - Edge * u - at - lead, measure);
            w = lead + Measure(measure, name);
        }
        const double rowTop = legendTop + row * line;
        TLegendEntry entry;
        entry.Series = i;
        entry.Sample = {at, rowTop, SampleWidth * u, line};
        entry.Name = {name, {at + lead, rowTop, w - lead, line}};
        out.Legend.push_back(std::move(entry));
        x = at + w + EntryGap * u;
    }
    out.LegendRows = row + 1; // a row is kept for the legend even with no series

    const double plotTop = legendTop + out.LegendRows * line + LegendGap * u;
    out.Plot = {left, plotTop, std::max(1.0, width - left - right),
                std::max(1.0, height - plotTop - MarginBottom * u)};

    for (std::size_t i = 0; i < chart.X.Ticks.size(); ++i) {
        const double at = out.PlaceX(chart.X.Ticks[i]);
        const double w = Measure(measure, xLabels[i]);
        out.XTicks.push_back(
            {chart.X.Ticks[i],
             at,
             {xLabels[i], {at - w / 2, out.Plot.Bottom() + out.TickLength, w, line}}});
    }
    for (std::size_t i = 0; i < chart.Y.Ticks.size(); ++i) {
        const double at = out.PlaceY(chart.Y.Ticks[i]);
        const double w = Measure(measure, yLabels[i]);
        out.YTicks.push_back({chart.Y.Ticks[i],
                              at,
                              {yLabels[i], {left - YLabelGap * u - w, at - line / 2, w, line}}});
    }

    // Axis titles: centred on the plot, shifted (and cut) to stay on the drawing.
    const std::string xTitle = FitText(chart.X.Title, textRoom, measure);
    const double xw = Measure(measure, xTitle);
    const double xLeft = std::clamp(out.Plot.Left + out.Plot.Width / 2 - xw / 2, Edge * u,
                                    std::max(Edge * u, width - Edge * u - xw));
    out.XTitle = {xTitle, {xLeft, height - XTitleUp * u, xw, line}};
    const double yRoom = std::max(0.0, height - 2 * Edge * u);
    const std::string yTitle = FitText(chart.Y.Title, yRoom, measure);
    const double yw = Measure(measure, yTitle);
    const double yTop = std::clamp(out.Plot.Top + out.Plot.Height / 2 - yw / 2, Edge * u,
                                   std::max(Edge * u, height - Edge * u - yw));
    out.YTitle = {yTitle, {Edge * u, yTop, line, yw}};
    return out;
}

} // namespace verrask::report
