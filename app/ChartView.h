// One design diagram drawn on a widget: the frame, both axes with their ticks, labels and titles
// (units in brackets), the title, each series as a line, a dashed line or markers, and a legend,
// each where report/ChartLayout puts it for the widget's size and font.
//
// Assumes: the chart comes from report/ChartContents (every point finite, each axis range holds
// its points and ends on ticks).
//
// Holds: an empty chart draws only a note that there is nothing to draw yet; no tick label is
// cut, and the legend wraps to the width.
#pragma once

#include "report/ChartContents.h"
#include "report/ChartLayout.h"

#include <QWidget>

#include <optional>

namespace verrask::app {

class TChartView final : public QWidget {
  public:
    explicit TChartView(QWidget* parent, QString emptyNote);
    void SetChart(std::optional<report::TChart> chart);
    const std::optional<report::TChart>& Chart() const { return Shown; }
    // Where the chart goes at the widget's size in its font (what paintEvent draws).
    report::TChartLayout Layout() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::optional<report::TChart> Shown;
    QString EmptyNote;
};

} // namespace verrask::app
