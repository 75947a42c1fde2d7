// Drawing a design diagram with QPainter (see ChartView.h).
#include "app/ChartView.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <vector>

namespace verrask::app {
namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QRectF R(const report::TBox& b) {
    return {b.Left, b.Top, b.Width, b.Height};
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

report::TChartLayout TChartView::Layout() const {
    const QFontMetricsF fm(font());
    const report::TTextMeasure measure{
        [fm](const std::string& text) { return fm.horizontalAdvance(Q(text)); }, fm.height()};
    return report::LayOutChart(Shown ? *Shown : report::TChart{}, width(), height(), measure);
}

void TChartView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    if (!Shown) {
        p.setPen(Qt::darkGray);
        p.drawText(rect().adjusted(4, 4, -4, -4), Qt::AlignCenter | Qt::TextWordWrap, EmptyNote);
        return;
    }
    const report::TChart& c = *Shown;
    const report::TChartLayout l = Layout();
    const QRectF plot = R(l.Plot);
    // Every text is drawn whole in its box: the layout has made each box as wide as its text.
    const int flags = Qt::AlignCenter | Qt::TextDontClip | Qt::TextSingleLine;

    p.setPen(Qt::black);
    for (const report::TPlacedText& t : l.Title) p.drawText(R(t.Box), flags, Q(t.Text));
    // Ticks, their labels and light grid lines.
    const QPen grid(QColor(0xE0, 0xE0, 0xE0)), axis(Qt::black);
    for (const report::TTick& t : l.XTicks) {
        p.setPen(grid);
        p.drawLine(QPointF(t.At, plot.top()), QPointF(t.At, plot.bottom()));
        p.setPen(axis);
        p.drawLine(QPointF(t.At, plot.bottom()), QPointF(t.At, plot.bottom() + l.TickLength));
        p.drawText(R(t.Label.Box), flags, Q(t.Label.Text));
    }
    for (const report::TTick& t : l.YTicks) {
        p.setPen(grid);
        p.drawLine(QPointF(plot.left(), t.At), QPointF(plot.right(), t.At));
        p.setPen(axis);
        p.drawLine(QPointF(plot.left() - l.TickLength, t.At), QPointF(plot.left(), t.At));
        p.drawText(R(t.Label.Box), flags, Q(t.Label.Text));
    }
    p.drawRect(plot);
    p.drawText(R(l.XTitle.Box), flags, Q(l.XTitle.Text));
    // The vertical axis' title reads upwards: its box turned a quarter left about its centre.
    const QRectF yBox = R(l.YTitle.Box);
    p.save();
    p.translate(yBox.center());
    p.rotate(-90);
    p.drawText(QRectF(-yBox.height() / 2, -yBox.width() / 2, yBox.height(), yBox.width()), flags,
               Q(l.YTitle.Text));
    p.restore();

    // The series, clipped to the plot, and their legend above it.
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
                p.drawEllipse(QPointF(l.PlaceX(pt.X), l.PlaceY(pt.Y)), 3, 3);
        } else if (!s.Points.empty()) {
            QPainterPath path(QPointF(l.PlaceX(s.Points[0].X), l.PlaceY(s.Points[0].Y)));
            for (const report::TPoint& pt : s.Points) path.lineTo(l.PlaceX(pt.X), l.PlaceY(pt.Y));
            p.drawPath(path);
        }
        p.restore();
    }
    for (const report::TLegendEntry& e : l.Legend) {
        const report::TSeries& s = c.Series[e.Series];
        const QColor colour(Q(s.Colour));
        QPen pen(colour, 1.6);
        if (s.Style == report::TLineStyle::Dashed) pen.setStyle(Qt::DashLine);
        p.setPen(pen);
        const QRectF sample = R(e.Sample);
        if (s.Style == report::TLineStyle::Markers) {
            p.setBrush(colour);
            p.drawEllipse(sample.center(), 3, 3);
            p.setBrush(Qt::NoBrush);
        } else {
            p.drawLine(QPointF(sample.left(), sample.center().y()),
                       QPointF(sample.right(), sample.center().y()));
        }
        p.setPen(Qt::black);
        p.drawText(R(e.Name.Box),
                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip | Qt::TextSingleLine,
                   Q(e.Name.Text));
    }
}

} // namespace verrask::app
