// Image1: the picture at its own size, and the pointer moves it reports.
#include "app/ImageView.h"

#include <QMouseEvent>
#include <QPainter>

namespace verrask::app {

QImage ToImage(const sheetpile::TBitmap& bitmap) {
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
    for (int y = 0; y < bitmap.Height(); ++y) {
        const sheetpile::TColor* row = bitmap.Row(y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < bitmap.Width(); ++x) {
            const sheetpile::TColor c = row[x];
            out[x] = qRgb(sheetpile::RedOf(c), sheetpile::GreenOf(c), sheetpile::BlueOf(c));
        }
    }
    return image;
}

TImage::TImage(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TImage::SetPicture(const QImage& picture) {
    Shown = picture;
    resize(picture.size());
    update();
}

void TImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, Shown);
}

void TImage::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (OnMouseMove) OnMouseMove(p.x(), p.y());
}

} // namespace verrask::app
