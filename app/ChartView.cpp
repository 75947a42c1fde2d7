// Drawing a design diagram with QPainter (see ChartView.h).
#include "app/ChartView.h"

#include <QPainter>
#include <QPainterPath>

namespace verrask::app {
namespace {

// Room for the title and legend above, tick labels and axis titles left and below, in pixels
// of the window's font height (so the chart scales with the font).
constexpr double TopLines = 3.2, LeftChars = 6.5, BottomLines = 3.0, RightChars = 1.5;

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

TChartView::TChartView(QWidget* parent, QString emptyNote)
    : QWidget(parent), EmptyNote(std::move(emptyNote)) {
    setMinimumSize(220, 200);
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
    const QRectF plot(LeftChars * ch + line, TopLines * line,
                      width() - (LeftChars + RightChars) * ch - line,
                      height() - (TopLines + BottomLines) * line);
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
    p.drawText(QRectF(0, 0, width(), line * 1.2), Qt::AlignCenter, Q(c.Title));
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
    p.drawText(QRectF(plot.left(), plot.bottom() + line + 4, plot.width(), line), Qt::AlignCenter,
               Q(c.X.Title));
    p.save();
    p.translate(line * 0.2, plot.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-plot.height() / 2, 0, plot.height(), line), Qt::AlignCenter, Q(c.Y.Title));
    p.restore();

    // The series, clipped to the plot, and a legend row above it.
    double legendX = plot.left();
    for (const report::TSeries& s : c.Series) {
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
        const QString name = Q(s.Name);
        const double y = line * 1.8;
        p.drawLine(QPointF(legendX, y), QPointF(legendX + 2 * ch, y));
        p.setPen(Qt::black);
        p.drawText(QPointF(legendX + 2.5 * ch, y + fm.ascent() / 2.5), name);
        legendX += 4 * ch + fm.horizontalAdvance(name);
    }
}

} // namespace verrask::app
