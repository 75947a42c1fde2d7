// One design diagram drawn on a widget: the frame, both axes with their ticks, labels and titles
// (units in brackets), the title, each series as a line, a dashed line or markers, and a legend.
//
// Assumes: the chart comes from report/ChartContents (every point finite, each axis range holds
// its points and ends on ticks).
//
// Holds: an empty chart draws only a note that there is nothing to draw yet.
#pragma once

#include "report/ChartContents.h"

#include <QWidget>

#include <optional>

namespace verrask::app {

class TChartView final : public QWidget {
  public:
    explicit TChartView(QWidget* parent, QString emptyNote);
    void SetChart(std::optional<report::TChart> chart);
    const std::optional<report::TChart>& Chart() const { return Shown; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::optional<report::TChart> Shown;
    QString EmptyNote;
};

} // namespace verrask::app
