// Where everything of a chart (ChartContents.h) goes on a drawing of a given size, computed once
// for every renderer (the report's SVG and both windows): the title lines, the legend rows, the
// plot frame, the tick marks with their labels on both axes and the two axis titles.
//
// Computes: from the chart, the drawing's size and the renderer's text measure (the width of a
// line of text in its font and the font's line height), boxes in the drawing's pixels, y down.
// Spacing is given in sixteenths of the line height (the report's 11 px font has a 16 px line),
// so a chart scales with the renderer's font. The plot's left edge leaves room for the vertical
// axis title and the widest tick label of that axis as measured, its right edge for half the
// last horizontal tick label; the title wraps at spaces and the legend entries go on as many
// rows as they need, each row within the drawing's width.
//
// Assumes: the measure returns a finite width of at least 0 for any UTF-8 text and the line
// height is positive; each axis has Max > Min (NiceAxis makes it so).
//
// Holds: every text box (title lines, legend names, tick labels, axis titles) lies inside the
// drawing's width; a text wider than the room it has is cut with an ellipsis, never a tick label
// (the plot gives way to it); the plot's width and height are at least 1 pixel whatever the size.
// Every text box is one line high; the vertical axis title's box is given unrotated (reading
// upwards, its width is the line height and its height the text's length).
#pragma once

#include "report/ChartContents.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace verrask::report {

struct TTextMeasure {
    std::function<double(const std::string& text)> Width; // advance of one line of text
    double LineHeight = 16;
};

struct TBox {
    double Left = 0, Top = 0, Width = 0, Height = 0;
    double Right() const { return Left + Width; }
    double Bottom() const { return Top + Height; }
};

struct TPlacedText {
    std::string Text; // as drawn (cut with an ellipsis where it had to be)
    TBox Box;
};

struct TTick {
    double Value = 0;
    double At = 0;     // x of a horizontal-axis tick, y of a vertical-axis one
    TPlacedText Label; // centred under the tick, or right-aligned left of it
};

struct TLegendEntry {
    std::size_t Series = 0; // index into the chart's series
    TBox Sample;            // the line (or marker) sample, drawn across the box's middle
    TPlacedText Name;
};

struct TChartLayout {
    double Width = 0, Height = 0;
    double LineHeight = 16, TickLength = 4;
    std::vector<TPlacedText> Title; // one entry a line, centred
    std::vector<TLegendEntry> Legend;
    int LegendRows = 0;
    TBox Plot;
    std::vector<TTick> XTicks, YTicks;
    TPlacedText XTitle, YTitle; // centred under the plot; centred beside it, reading upwards
    TAxis X, Y;                 // the chart's axes, for placing points

    // A value's place on the drawing; a reversed axis grows downwards (or leftwards).
    double PlaceX(double v) const;
    double PlaceY(double v) const;
};

TChartLayout LayOutChart(const TChart& chart, double width, double height,
                         const TTextMeasure& measure);

// The longest start of `text` (whole UTF-8 characters) that, with an ellipsis, fits `room`; the
// text itself where it fits, nothing where not even the ellipsis does.
std::string FitText(const std::string& text, double room, const TTextMeasure& measure);

} // namespace verrask::report
