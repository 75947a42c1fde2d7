// Drawing a design diagram with GDI (see ChartView.h).
#include "winapp/ChartView.h"

#include "winapp/WideText.h"

#include <algorithm>
#include <vector>

namespace verrask::win {
namespace {

constexpr wchar_t ClassName[] = L"TChartView";

COLORREF ColourOf(const std::string& hex) { // "#rrggbb"
    if (hex.size() != 7 || hex[0] != '#') return RGB(0, 0, 0);
    const unsigned long v = std::stoul(hex.substr(1), nullptr, 16);
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

// Pixel position of a value along an axis drawn from `from` to `to`.
int Place(const report::TAxis& axis, double value, int from, int to) {
    const double span = axis.Max - axis.Min;
    const double t = span > 0 ? (value - axis.Min) / span : 0;
    return from + static_cast<int>(t * (to - from) + (to >= from ? 0.5 : -0.5));
}

} // namespace

TChartView::TChartView(HWND parent, int id) {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &TChartView::WndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = ClassName;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
    CreateWindowExW(0, ClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                    this);
}

void TChartView::SetChart(const report::TChart& chart, const std::wstring& placeholder) {
    Shown = chart;
    Placeholder = placeholder;
    InvalidateRect(Handle, nullptr, TRUE);
}

LRESULT CALLBACK TChartView::WndProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<TChartView*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        self->Handle = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TChartView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && (message == WM_PAINT || message == WM_PRINTCLIENT)) {
        PAINTSTRUCT ps{};
        HDC dc = message == WM_PAINT ? BeginPaint(window, &ps) : reinterpret_cast<HDC>(w);
        RECT area;
        GetClientRect(window, &area);
        // Drawn off screen first, so nothing flickers.
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, area.right, area.bottom);
        HGDIOBJ old = SelectObject(memory, bitmap);
        self->Paint(memory, area);
        BitBlt(dc, 0, 0, area.right, area.bottom, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        if (message == WM_PAINT) EndPaint(window, &ps);
        return 0;
    }
    if (message == WM_ERASEBKGND) return 1;
    return DefWindowProcW(window, message, w, l);
}

void TChartView::Paint(HDC dc, const RECT& area) const {
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HGDIOBJ oldFont = SelectObject(dc, Font ? Font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int line = metrics.tmHeight;

    RECT title{area.left + 4, area.top + 2, area.right - 4, area.top + 2 + line};
    const std::wstring titleText = Widen(Shown.Title);
    DrawTextW(dc, titleText.c_str(), -1, &title, DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    if (Shown.Series.empty()) {
        RECT rest{area.left + 4, title.bottom + line, area.right - 4, area.bottom};
        DrawTextW(dc, Placeholder.c_str(), -1, &rest, DT_CENTER | DT_WORDBREAK);
        SelectObject(dc, oldFont);
        return;
    }

    // Legend: one row of series names in their colours beneath the title.
    int x = area.left + 4;
    const int legendTop = title.bottom + 1;
    for (const report::TSeries& s : Shown.Series) {
        const std::wstring name = Widen(s.Name);
        SIZE size{};
        GetTextExtentPoint32W(dc, name.c_str(), static_cast<int>(name.size()), &size);
        HPEN pen = CreatePen(s.Style == report::TLineStyle::Dashed ? PS_DASH : PS_SOLID, 1,
                             ColourOf(s.Colour));
        HGDIOBJ oldPen = SelectObject(dc, pen);
        MoveToEx(dc, x, legendTop + line / 2, nullptr);
        LineTo(dc, x + 14, legendTop + line / 2);
        SelectObject(dc, oldPen);
        DeleteObject(pen);
        TextOutW(dc, x + 17, legendTop, name.c_str(), static_cast<int>(name.size()));
        x += 17 + size.cx + 10;
    }

    // Plot frame: room for the tick labels and the axis titles.
    const int left = area.left + 3 * line + 6, right = area.right - line;
    const int top = legendTop + line + line / 2, bottom = area.bottom - 2 * line - 6;
    if (right - left < 20 || bottom - top < 20) {
        SelectObject(dc, oldFont);
        return;
    }
    const report::TAxis &ax = Shown.X, &ay = Shown.Y;
    const auto px = [&](double v) { return Place(ax, v, left, right); };
    const auto py = [&](double v) {
        return ay.Reversed ? Place(ay, v, top, bottom) : Place(ay, v, bottom, top);
    };
    HPEN grid = CreatePen(PS_SOLID, 1, RGB(225, 225, 225));
    HGDIOBJ oldPen = SelectObject(dc, grid);
    for (double t : ax.Ticks) {
        MoveToEx(dc, px(t), top, nullptr);
        LineTo(dc, px(t), bottom);
    }
    for (double t : ay.Ticks) {
        MoveToEx(dc, left, py(t), nullptr);
        LineTo(dc, right, py(t));
    }
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, left, top, right + 1, bottom + 1);
    for (double t : ax.Ticks) {
        MoveToEx(dc, px(t), bottom, nullptr);
        LineTo(dc, px(t), bottom + 4);
        const std::wstring label = Widen(report::TickLabel(ax, t));
        RECT r{px(t) - 40, bottom + 5, px(t) + 40, bottom + 5 + line};
        DrawTextW(dc, label.c_str(), -1, &r, DT_CENTER | DT_SINGLELINE);
    }
    for (double t : ay.Ticks) {
        MoveToEx(dc, left - 4, py(t), nullptr);
        LineTo(dc, left, py(t));
        const std::wstring label = Widen(report::TickLabel(ay, t));
        RECT r{area.left + line + 2, py(t) - line / 2, left - 5, py(t) + line / 2 + 1};
        DrawTextW(dc, label.c_str(), -1, &r, DT_RIGHT | DT_SINGLELINE);
    }
    const std::wstring xTitle = Widen(ax.Title);
    RECT xr{left, bottom + 5 + line, right, bottom + 5 + 2 * line};
    DrawTextW(dc, xTitle.c_str(), -1, &xr, DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    // The vertical axis' title reads upwards along the left edge.
    LOGFONTW turned{};
    GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof turned, &turned);
    turned.lfEscapement = turned.lfOrientation = 900;
    HFONT upright = CreateFontIndirectW(&turned);
    HGDIOBJ plain = SelectObject(dc, upright);
    const std::wstring yTitle = Widen(ay.Title);
    SIZE ySize{};
    GetTextExtentPoint32W(dc, yTitle.c_str(), static_cast<int>(yTitle.size()), &ySize);
    TextOutW(dc, area.left + 1, (top + bottom) / 2 + std::min<int>(ySize.cx, bottom - top) / 2,
             yTitle.c_str(), static_cast<int>(yTitle.size()));
    SelectObject(dc, plain);
    DeleteObject(upright);

    // The series, clipped to the frame.
    HRGN clip = CreateRectRgn(left, top, right + 1, bottom + 1);
    SelectClipRgn(dc, clip);
    for (const report::TSeries& s : Shown.Series) {
        const COLORREF colour = ColourOf(s.Colour);
        std::vector<POINT> points;
        for (const report::TPoint& p : s.Points) points.push_back({px(p.X), py(p.Y)});
        if (s.Style == report::TLineStyle::Markers) {
            HBRUSH brush = CreateSolidBrush(colour);
            HGDIOBJ oldBrush = SelectObject(dc, brush);
            SelectObject(dc, GetStockObject(NULL_PEN));
            for (const POINT& p : points) Ellipse(dc, p.x - 3, p.y - 3, p.x + 4, p.y + 4);
            SelectObject(dc, oldBrush);
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
