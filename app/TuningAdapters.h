// The after-run controls of the window as the run control sees them: a QSlider as a track bar
// and a QCheckBox as a check box.
//
// Holds the notification rule of TTrackBar: QSlider::setValue clamps to the range and emits
// valueChanged only when the position moves, and setRange re-clamps the position the same way;
// the window connects valueChanged and toggled (direct connections, so the handlers run before
// the setter returns) to the run control's handlers.
#pragma once

#include "control/TuningControls.h"

#include <QCheckBox>
#include <QSlider>

namespace verrask::app {

class TSliderTrackBar final : public TTrackBar {
  public:
    explicit TSliderTrackBar(QSlider* slider) : Slider(slider) {}
    int Position() const override { return Slider->value(); }
    void SetRange(int min, int max) override { Slider->setRange(min, max); }
    void SetPosition(int position) override { Slider->setValue(position); }
    void SetEnabled(bool enabled) override { Slider->setEnabled(enabled); }

  private:
    QSlider* Slider;
};

class TWidgetCheckBox final : public TCheckBox {
  public:
    explicit TWidgetCheckBox(QCheckBox* box) : Box(box) {}
    bool Checked() const override { return Box->isChecked(); }
    void SetEnabled(bool enabled) override { Box->setEnabled(enabled); }

  private:
    QCheckBox* Box;
};

} // namespace verrask::app
