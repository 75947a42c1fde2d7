// A front end without widgets: the five after-run controls wired to a run control's handlers and
// a shell that keeps the texts it is given. What the batch tool, the bench, the fuzz target and
// the tests use in place of the window.
#pragma once

#include "control/RunControl.h"

#include <array>
#include <string>

namespace verrask {

struct TPlainControls {
    TTrackBarState TrackBar1, TrackBar2;
    TCheckBoxState CheckBox1, CheckBox2, CheckBox3;

    TTuningControls Controls() { return {TrackBar1, TrackBar2, CheckBox1, CheckBox2, CheckBox3}; }
    void Wire(TRunControl& control) {
        TrackBar1.OnChange = [&control] { control.TrackBar1Change(); };
        TrackBar2.OnChange = [&control] { control.TrackBar2Change(); };
        CheckBox1.OnClick = [&control] { control.CheckBox1Click(); };
        CheckBox2.OnClick = [&control] { control.CheckBox2Click(); };
        CheckBox3.OnClick = [&control] { control.CheckBox3Click(); };
    }
};

// Keeps the message and panel texts and counts the pictures shown; starts no workers (a front
// end that runs them overrides StartWorkers). Decimal separator: a point.
class TTextShell : public TRunShell {
  public:
    void SetMessage(const std::string& text) override { Message = text; }
    void SetPanel(int index, const std::string& text) override {
        Panels.at(static_cast<std::size_t>(index)) = text;
    }
    void SetRunEnabled(bool) override {}
    void ShowPicture() override { ++PicturesShown; }
    void StartTimer() override {}
    void StopTimer() override {}
    void Alert() override {}
    void StartWorkers() override {}
    char DecimalSeparator() const override { return '.'; }

    std::string Message;
    std::array<std::string, PanelCount> Panels;
    int PicturesShown = 0;
};

} // namespace verrask
