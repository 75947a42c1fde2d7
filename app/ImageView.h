// Image1: shows the flow-net picture at its own pixel size (one picture pixel on one screen
// pixel, never scaled) and reports every pointer move over it in picture pixels, with or
// without a button held (mouse tracking on), so positions beyond its edges may be reported.
#pragma once

#include "sheetpile/Canvas.h"

#include <QImage>
#include <QWidget>

#include <functional>

namespace verrask::app {

// A TBitmap (0x00BBGGRR) as an opaque image.
QImage ToImage(const sheetpile::TBitmap& bitmap);

class TImage final : public QWidget {
  public:
    explicit TImage(QWidget* parent);
    // The control takes the picture's size.
    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return Shown; }

    std::function<void(int X, int Y)> OnMouseMove;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    QImage Shown;
};

} // namespace verrask::app
