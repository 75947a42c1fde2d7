// Drawing a design diagram with QPainter (see ChartView.h).
#include "app/ChartView.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <vector>

namespace verrask::app {
namespace {

// Room for tick labels and axis titles left and below, in lines and characters of the window's
// font (so the chart scales with the font); the title and the legend rows take what they need.
constexpr double LeftChars = 6.5, BottomLines = 3.0, RightChars = 2.5;

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

TChartView::TChartView(QWidget* parent, QString emptyNote)
    : QWidget(parent), EmptyNote(std::move(emptyNote)) {
    setMinimumSize(220, 200);
    // A little smaller than the window's text, so the axis titles fit beside each other.
    QFont small = font();
    small.setPixelSize(std::max(9, QFontInfo(small).pixelSize() * 11 / 12));
    setFont(small);
}

void TChartView::SetChart(std::optional<report::TChart> chart) {
    Shown = std::move(chart);
    update();
}

void TChartView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    const QFontMetrics fm = fontMetrics();
    const double line = fm.height(), ch = fm.averageCharWidth();
    if (!Shown) {
        p.setPen(Qt::darkGray);
        p.drawText(rect().adjusted(4, 4, -4, -4), Qt::AlignCenter | Qt::TextWordWrap, EmptyNote);
        return;
    }
    const report::TChart& c = *Shown;
    // The title wraps to the width; the legend entries go on as many rows as they need.
    const QRect titleBox = fm.boundingRect(QRect(0, 0, width() - 8, 10 * fm.height()),
                                           Qt::AlignHCenter | Qt::TextWordWrap, Q(c.Title));
    struct TEntry {
        double X;
        int Row;
    };
    std::vector<TEntry> entries;
    double legendX = LeftChars * ch;
    int legendRow = 0;
    for (const report::TSeries& s : c.Series) {
        const double needed = 3 * ch + fm.horizontalAdvance(Q(s.Name));
        if (legendX + needed > width() - ch && legendX > LeftChars * ch) {
            legendX = LeftChars * ch;
            ++legendRow;
        }
        entries.push_back({legendX, legendRow});
        legendX += needed + 1.5 * ch;
    }
    const double legendTop = titleBox.height() + 4;
    const double top = legendTop + (legendRow + 1) * line + line / 2;
    const QRectF plot(LeftChars * ch + line, top, width() - (LeftChars + RightChars) * ch - line,
                      height() - top - BottomLines * line);
    if (plot.width() < 10 || plot.height() < 10) return;
    auto px = [&](double v) {
        const report::TAxis& a = c.X;
        return plot.left() + (a.Reversed ? a.Max - v : v - a.Min) / (a.Max - a.Min) * plot.width();
    };
    auto py = [&](double v) {
        const report::TAxis& a = c.Y;
        return plot.top() + (a.Reversed ? v - a.Min : a.Max - v) / (a.Max - a.Min) * plot.height();
    };

    p.setPen(Qt::black);
    p.drawText(QRectF(4, 2, width() - 8, titleBox.height()), Qt::AlignHCenter | Qt::TextWordWrap,
               Q(c.Title));
    // Ticks, their labels and light grid lines.
    const QPen grid(QColor(0xE0, 0xE0, 0xE0)), axis(Qt::black);
    for (double t : c.X.Ticks) {
        const double x = px(t);
        p.setPen(grid);
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        p.setPen(axis);
        p.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 4));
        p.drawText(QRectF(x - 4 * ch, plot.bottom() + 4, 8 * ch, line), Qt::AlignHCenter,
                   Q(report::TickLabel(c.X, t)));
    }
    for (double t : c.Y.Ticks) {
        const double y = py(t);
        p.setPen(grid);
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(axis);
        p.drawLine(QPointF(plot.left() - 4, y), QPointF(plot.left(), y));
        p.drawText(QRectF(plot.left() - LeftChars * ch - 2, y - line / 2, LeftChars * ch - 4, line),
                   Qt::AlignRight | Qt::AlignVCenter, Q(report::TickLabel(c.Y, t)));
    }
    p.drawRect(plot);
    p.drawText(QRectF(0, plot.bottom() + line + 4, width(), line), Qt::AlignCenter, Q(c.X.Title));
    p.save();
    p.translate(line * 0.2, plot.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-plot.height() / 2, 0, plot.height(), line), Qt::AlignCenter, Q(c.Y.Title));
    p.restore();

    // The series, clipped to the plot, and their legend above it.
    for (std::size_t i = 0; i < c.Series.size(); ++i) {
        const report::TSeries& s = c.Series[i];
        const QColor colour(Q(s.Colour));
        QPen pen(colour, 1.6);
        if (s.Style == report::TLineStyle::Dashed) pen.setStyle(Qt::DashLine);
        p.setPen(pen);
        p.save();
        p.setClipRect(plot.adjusted(-3, -3, 3, 3));
        if (s.Style == report::TLineStyle::Markers) {
            p.setBrush(colour);
            for (const report::TPoint& pt : s.Points)
                p.drawEllipse(QPointF(px(pt.X), py(pt.Y)), 3, 3);
        } else if (!s.Points.empty()) {
            QPainterPath path(QPointF(px(s.Points[0].X), py(s.Points[0].Y)));
            for (const report::TPoint& pt : s.Points) path.lineTo(px(pt.X), py(pt.Y));
            p.drawPath(path);
        }
        p.restore();
        const double x = entries[i].X, y = legendTop + (entries[i].Row + 0.5) * line;
        p.drawLine(QPointF(x, y), QPointF(x + 2 * ch, y));
        p.setPen(Qt::black);
        p.drawText(QPointF(x + 2.5 * ch, y + fm.ascent() / 2.5), Q(s.Name));
    }
}

} // namespace verrask::app
