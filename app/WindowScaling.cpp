// Whole-window scaling of hand-placed widgets and the thumb length of the track bars.
#include "app/WindowScaling.h"

#include "control/DisplayScaling.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QPointer>
#include <QStyle>

namespace verrask::app {

void ScaleOwnFont(QWidget* widget, int m, int d) {
    if (!widget->testAttribute(Qt::WA_SetFont)) return; // follows its parent
    QFont font = widget->font();
    if (font.pixelSize() > 0) font.setPixelSize(ScaleValue(font.pixelSize(), m, d));
    widget->setFont(font);
}

void ScaleChildren(QWidget* parent, int m, int d, const QWidget* keepSize) {
    for (QObject* object : parent->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (child == nullptr || child->isWindow()) continue;
        const QRect g = child->geometry();
        const int w = child == keepSize ? g.width() : ScaleValue(g.width(), m, d);
        const int h = child == keepSize ? g.height() : ScaleValue(g.height(), m, d);
        child->setGeometry(ScaleValue(g.x(), m, d), ScaleValue(g.y(), m, d), w, h);
        ScaleOwnFont(child, m, d);
    }
}

QString WindowFontFamily() {
    static const QString family = [] {
        const int id = QFontDatabase::addApplicationFont("/usr/share/wine/fonts/tahoma.ttf");
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        return families.isEmpty() ? QStringLiteral("Sans Serif") : families.front();
    }();
    return family;
}

QFont PixelFont(const QString& family, int pixels) {
    QFont font(family);
    font.setPixelSize(pixels);
    return font;
}

int TThumbStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                             const QWidget* widget) const {
    if (metric == PM_SliderLength && widget != nullptr) {
        const int length = ThumbLength(widget);
        if (length > 0) return length;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

QStyle* ThumbStyle() {
    static QPointer<TThumbStyle> style;
    if (style.isNull()) {
        style = new TThumbStyle;
        style->setParent(QCoreApplication::instance());
    }
    return style.data();
}

void SetThumbLength(QWidget* slider, int length) {
    slider->setProperty("thumbLength", length);
    slider->updateGeometry();
    slider->update();
}

int ThumbLength(const QWidget* slider) {
    return slider->property("thumbLength").toInt();
}

} // namespace verrask::app
