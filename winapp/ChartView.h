// A child window that draws one design diagram (report/ChartContents) with GDI: the title, the
// plot frame, both axes with their ticks, tick labels and titles (units included), and every
// series as a line, a dashed line or markers in its colour, with a legend beneath the title.
//
// Assumes: the chart's axes hold every point (ChartContents guarantees it); a depth axis
// (Reversed) grows downwards.
//
// Holds: an empty chart (no series) draws only its title, or the placeholder text if one is set.
#pragma once

#include "report/ChartContents.h"

#include <windows.h>

#include <string>

namespace verrask::win {

class TChartView {
  public:
    TChartView(HWND parent, int id);
    void SetChart(const report::TChart& chart, const std::wstring& placeholder = L"");
    void SetFont(HFONT font) { Font = font; }
    const report::TChart& Chart() const { return Shown; }
    HWND Handle = nullptr;

  private:
    static LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM w, LPARAM l);
    void Paint(HDC dc, const RECT& area) const;
    report::TChart Shown;
    std::wstring Placeholder;
    HFONT Font = nullptr;
};

} // namespace verrask::win
