// Draws a chart's contents (ChartContents.h) as an SVG element to put inline in HTML.
//
// Computes: an <svg> of the given size in CSS pixels with the title, rows of legend entries,
// the plot frame with tick marks, tick labels and grid lines, the axis titles and every series
// (polyline, dashed polyline or circle markers), clipped to the plot.
//
// Assumes: the chart's axes hold its points (as ChartContents makes them).
//
// Holds: the text is well-formed XML (every element closed, every text escaped) and uses no
// external resource; coordinates are written with '.' whatever the locale.
#pragma once

#include "report/ChartContents.h"

#include <string>

namespace verrask::report {

std::string ChartSvg(const TChart& chart, const std::string& id, int width = 420, int height = 320);

} // namespace verrask::report
