// The window's after-run event handlers under the design's names (the two track bars, the three
// zone boxes, the mouse over the picture), each handed to the run control as it is, so that no
// window writes them again.
//
// Assumes: the window calls them on its main thread for every change of a bar's position or a
// box's checked state and for every mouse move over the picture (as TRunControl asks).
//
// Holds: nothing is kept here; RunEvents gives the window's run control.
#pragma once

#include "control/RunControl.h"

namespace verrask {

class TRunEvents {
  public:
    void TrackBar1Change() { RunEvents().TrackBar1Change(); }
    void TrackBar2Change() { RunEvents().TrackBar2Change(); }
    void CheckBox1Click() { RunEvents().CheckBox1Click(); }
    void CheckBox2Click() { RunEvents().CheckBox2Click(); }
    void CheckBox3Click() { RunEvents().CheckBox3Click(); }
    void Image1MouseMove(int X, int Y) { RunEvents().Image1MouseMove(X, Y); }

  protected:
    TRunEvents() = default;
    ~TRunEvents() = default;
    TRunEvents(const TRunEvents&) = default;
    TRunEvents& operator=(const TRunEvents&) = default;
    virtual TRunControl& RunEvents() = 0;
};

} // namespace verrask
