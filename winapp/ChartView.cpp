// Drawing a design diagram with GDI (see ChartView.h).
#include "winapp/ChartView.h"

#include "report/ChartLayout.h"
#include "winapp/WideText.h"
#include "winapp/WindowClass.h"

#include <cmath>
#include <vector>

namespace verrask::win {
namespace {

constexpr wchar_t ClassName[] = L"TChartView";

COLORREF ColourOf(const std::string& hex) { // "#rrggbb"
    if (hex.size() != 7 || hex[0] != '#') return RGB(0, 0, 0);
    const unsigned long v = std::stoul(hex.substr(1), nullptr, 16);
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

int Px(double v) {
    return static_cast<int>(std::lround(v));
}

RECT RectOf(const report::TBox& b) {
    return {Px(b.Left), Px(b.Top), Px(b.Right()), Px(b.Bottom())};
}

// A text in its box, whole: the layout has made the box as wide as the text.
void DrawIn(HDC dc, const report::TPlacedText& t, UINT align) {
    const std::wstring text = Widen(t.Text);
    RECT r = RectOf(t.Box);
    DrawTextW(dc, text.c_str(), -1, &r, align | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
}

} // namespace

TChartView::TChartView(HWND parent, int id) {
    CreateWindowOf(this, ClassName, TClassLook{IDC_ARROW, -1, false, 0}, 0, L"",
                   WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent,
                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id))); // sets Handle
}

void TChartView::SetChart(const report::TChart& chart, const std::wstring& placeholder) {
    Shown = chart;
    Placeholder = placeholder;
    InvalidateRect(Handle, nullptr, TRUE);
}

LRESULT TChartView::Dispatch(UINT message, WPARAM w, LPARAM l) {
    if (message == WM_PAINT || message == WM_PRINTCLIENT) {
        PAINTSTRUCT ps{};
        HDC dc = message == WM_PAINT ? BeginPaint(Handle, &ps) : reinterpret_cast<HDC>(w);
        RECT area;
        GetClientRect(Handle, &area);
        // Drawn off screen first, so nothing flickers.
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, area.right, area.bottom);
        HGDIOBJ old = SelectObject(memory, bitmap);
        Paint(memory, area);
        BitBlt(dc, 0, 0, area.right, area.bottom, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        if (message == WM_PAINT) EndPaint(Handle, &ps);
        return 0;
    }
    if (message == WM_ERASEBKGND) return 1;
    return DefWindowProcW(Handle, message, w, l);
}

report::TChartLayout TChartView::Layout(HDC dc, const RECT& area) const {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const report::TTextMeasure measure{
        [dc](const std::string& text) {
            const std::wstring wide = Widen(text);
            SIZE size{};
            GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
            return static_cast<double>(size.cx);
        },
        static_cast<double>(metrics.tmHeight)};
    return report::LayOutChart(Shown, area.right - area.left, area.bottom - area.top, measure);
}

report::TChartLayout TChartView::Layout() const {
    RECT area;
    GetClientRect(Handle, &area);
    HDC dc = GetDC(Handle);
    HGDIOBJ oldFont = SelectObject(dc, Font ? Font : GetStockObject(DEFAULT_GUI_FONT));
    report::TChartLayout layout = Layout(dc, area);
    SelectObject(dc, oldFont);
    ReleaseDC(Handle, dc);
    return layout;
}

void TChartView::Paint(HDC dc, const RECT& area) const {
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HGDIOBJ oldFont = SelectObject(dc, Font ? Font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    const report::TChartLayout l = Layout(dc, area);
    for (const report::TPlacedText& t : l.Title) DrawIn(dc, t, DT_CENTER);
    if (Shown.Series.empty()) {
        const int below = l.Title.empty() ? area.top : RectOf(l.Title.back().Box).bottom;
        RECT rest{area.left + 4, below + static_cast<int>(l.LineHeight), area.right - 4,
                  area.bottom};
        DrawTextW(dc, Placeholder.c_str(), -1, &rest, DT_CENTER | DT_WORDBREAK);
        SelectObject(dc, oldFont);
        return;
    }

    // Legend: the series' samples and names in their rows beneath the title.
    for (const report::TLegendEntry& e : l.Legend) {
        const report::TSeries& s = Shown.Series[e.Series];
        const RECT r = RectOf(e.Sample);
        const int mid = (r.top + r.bottom) / 2;
        if (s.Style == report::TLineStyle::Markers) {
            HBRUSH brush = CreateSolidBrush(ColourOf(s.Colour));
            HGDIOBJ oldBrush = SelectObject(dc, brush);
            HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
            const int cx = (r.left + r.right) / 2;
            Ellipse(dc, cx - 3, mid - 3, cx + 4, mid + 4);
            SelectObject(dc, oldPen);
            SelectObject(dc, oldBrush);
            DeleteObject(brush);
        } else {
            HPEN pen = CreatePen(s.Style == report::TLineStyle::Dashed ? PS_DASH : PS_SOLID, 1,
                                 ColourOf(s.Colour));
            HGDIOBJ oldPen = SelectObject(dc, pen);
            MoveToEx(dc, r.left, mid, nullptr);
            LineTo(dc, r.right, mid);
            SelectObject(dc, oldPen);
            DeleteObject(pen);
        }
        DrawIn(dc, e.Name, DT_LEFT);
    }

    // Frame, grid, ticks and their labels.
    const RECT plot = RectOf(l.Plot);
    const int tick = Px(l.TickLength);
    HPEN grid = CreatePen(PS_SOLID, 1, RGB(225, 225, 225));
    HGDIOBJ oldPen = SelectObject(dc, grid);
    for (const report::TTick& t : l.XTicks) {
        MoveToEx(dc, Px(t.At), plot.top, nullptr);
        LineTo(dc, Px(t.At), plot.bottom);
    }
    for (const report::TTick& t : l.YTicks) {
        MoveToEx(dc, plot.left, Px(t.At), nullptr);
        LineTo(dc, plot.right, Px(t.At));
    }
    SelectObject(dc, GetStockObject(BLACK_PEN));
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, plot.left, plot.top, plot.right + 1, plot.bottom + 1);
    SelectObject(dc, oldBrush);
    for (const report::TTick& t : l.XTicks) {
        MoveToEx(dc, Px(t.At), plot.bottom, nullptr);
        LineTo(dc, Px(t.At), plot.bottom + tick);
        DrawIn(dc, t.Label, DT_CENTER);
    }
    for (const report::TTick& t : l.YTicks) {
        MoveToEx(dc, plot.left - tick, Px(t.At), nullptr);
        LineTo(dc, plot.left, Px(t.At));
        DrawIn(dc, t.Label, DT_RIGHT);
    }
    DrawIn(dc, l.XTitle, DT_CENTER);
    // The vertical axis' title reads upwards from the bottom of its box.
    LOGFONTW turned{};
    GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof turned, &turned);
    turned.lfEscapement = turned.lfOrientation = 900;
    HFONT upright = CreateFontIndirectW(&turned);
    HGDIOBJ plain = SelectObject(dc, upright);
    const std::wstring yTitle = Widen(l.YTitle.Text);
    const RECT yBox = RectOf(l.YTitle.Box);
    TextOutW(dc, yBox.left, yBox.bottom, yTitle.c_str(), static_cast<int>(yTitle.size()));
    SelectObject(dc, plain);
    DeleteObject(upright);

    // The series, clipped to the frame.
    HRGN clip = CreateRectRgn(plot.left, plot.top, plot.right + 1, plot.bottom + 1);
    SelectClipRgn(dc, clip);
    for (const report::TSeries& s : Shown.Series) {
        const COLORREF colour = ColourOf(s.Colour);
        std::vector<POINT> points;
        for (const report::TPoint& p : s.Points)
            points.push_back({Px(l.PlaceX(p.X)), Px(l.PlaceY(p.Y))});
        if (s.Style == report::TLineStyle::Markers) {
            HBRUSH brush = CreateSolidBrush(colour);
            HGDIOBJ oldMarkerBrush = SelectObject(dc, brush);
            SelectObject(dc, GetStockObject(NULL_PEN));
            for (const POINT& p : points) Ellipse(dc, p.x - 3, p.y - 3, p.x + 4, p.y + 4);
            SelectObject(dc, oldMarkerBrush);
            DeleteObject(brush);
            continue;
        }
        HPEN pen = s.Style == report::TLineStyle::Dashed ? CreatePen(PS_DASH, 1, colour)
                                                         : CreatePen(PS_SOLID, 2, colour);
        SelectObject(dc, pen);
        if (points.size() > 1) Polyline(dc, points.data(), static_cast<int>(points.size()));
        SelectObject(dc, GetStockObject(BLACK_PEN));
        DeleteObject(pen);
    }
    SelectClipRgn(dc, nullptr);
    DeleteObject(clip);
    SelectObject(dc, oldPen);
    DeleteObject(grid);
    SelectObject(dc, oldFont);
}

} // namespace verrask::win
