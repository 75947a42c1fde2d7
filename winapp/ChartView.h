// A child window that draws one design diagram (report/ChartContents) with GDI: the title, the
// plot frame, both axes with their ticks, tick labels and titles (units included), and every
// series as a line, a dashed line or markers in its colour, with a legend beneath the title,
// each where report/ChartLayout puts it for the window's size and font.
//
// Assumes: the chart's axes hold every point (ChartContents guarantees it); a depth axis
// (Reversed) grows downwards.
//
// Holds: an empty chart (no series) draws only its title, or the placeholder text if one is set;
// no tick label is cut, and the legend wraps to the width.
#pragma once

#include "report/ChartContents.h"
#include "report/ChartLayout.h"

#include <windows.h>

#include <string>

namespace verrask::win {

class TChartView {
  public:
    TChartView(HWND parent, int id);
    void SetChart(const report::TChart& chart, const std::wstring& placeholder = L"");
    void SetFont(HFONT font) { Font = font; }
    const report::TChart& Chart() const { return Shown; }
    // Where the chart goes at the window's size in its font (what painting draws).
    report::TChartLayout Layout() const;
    HWND Handle = nullptr;
    LRESULT Dispatch(UINT message, WPARAM w, LPARAM l); // the window's messages

  private:
    report::TChartLayout Layout(HDC dc, const RECT& area) const;
    void Paint(HDC dc, const RECT& area) const;
    report::TChart Shown;
    std::wstring Placeholder;
    HFONT Font = nullptr;
};

} // namespace verrask::win
