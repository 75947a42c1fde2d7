// The model's completed run as the shared result that checks and reports read.
//
// Computes: a copy of what a run leaves in the model (inputs, markers, the coarse fields and, if
// asked, the fine ones, the flux sums, Nd, Nf, the shape factor, q, the pass counts, the overlay
// flags and extents, the shown picture) as one immutable value.
//
// Assumes: the model holds a completed run (or, for TrialResult, a solved head loss with its
// geometry and inputs) and no worker writes it meanwhile.
//
// Holds: the model is only read; every figure is the model's own, bit for bit. Where the shown
// picture is not of the model's geometry (the geometry changed since the last drawing), the
// result has no fine grids, no picture and zero zone counts, so nothing unwritten is read.
#pragma once

#include "section/NodeResult.h"
#include "sheetpile/ModelState.h"

namespace sheetpile {

// The whole run; `fine` false leaves FineHead and FineStream empty.
verrask::section::TNodeResultPtr RunResult(const TModel& m, bool fine = true);

// Only the inputs, the markers, HeadGrid and HeadPasses: a head-loss solve of a trial wall.
verrask::section::TNodeResultPtr TrialResult(const TModel& m);

} // namespace sheetpile
