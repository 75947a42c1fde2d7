// The five after-run controls without widgets, wired to a run control's handlers: what the batch
// tool and the tests use in place of the window's track bars and check boxes.
#pragma once

#include "control/RunControl.h"

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

} // namespace verrask
