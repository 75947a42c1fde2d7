// Whole-window scaling for widgets placed by hand: positions, sizes and the fonts a widget
// sets itself are multiplied by M/D and rounded (ties to even), as the window and the About box
// do when they are laid out for a pixel density. Also the track bars' thumb length.
//
// Assumes: fonts are given in pixels (setPixelSize). Holds: a scaling by one changes nothing.
#pragma once

#include <QProxyStyle>
#include <QWidget>

namespace verrask::app {

// The widget's own font (if it sets one) in pixels, scaled by m/d.
void ScaleOwnFont(QWidget* widget, int m, int d);
// Every direct child of parent: position, size (not for keepSize) and own font.
void ScaleChildren(QWidget* parent, int m, int d, const QWidget* keepSize = nullptr);
// Tahoma from Debian's fonts-wine when present, else the default sans.
QString WindowFontFamily();
// A font of the given family at a pixel size.
QFont PixelFont(const QString& family, int pixels);

// Slider thumbs of the length in the slider's property "thumbLength" (pixels), rectangular.
class TThumbStyle final : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override;
};
// The one instance, alive as long as the application object.
QStyle* ThumbStyle();
void SetThumbLength(QWidget* slider, int length);
int ThumbLength(const QWidget* slider);

} // namespace verrask::app
