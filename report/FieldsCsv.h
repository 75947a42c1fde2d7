// The physical fields of a completed run at every node of the coarse grid, as CSV for plotting.
//
// Computes: one header line, then one line per node (row 0 = ground surface down to row 50 =
// impervious base, each row from column 0 to LastCol), with the columns
//   x (m)                horizontal distance from the grid's left edge (column 0), c x D/50;
//   z (m)                elevation, the ground surface 0 and downward negative, -r x D/50;
//   total head (m)       elevation datum at the ground surface, the typed heads H1 and H2 being
//                        water depths over it: H1 - (H1 - H2) x head loss;
//   head loss (%)        0 on the upstream ground surface, 100 on the downstream one;
//   pore pressure (kPa)  gamma_w x (total head - z);
//   stream function (%)  0 to 100 across the flow.
// Numbers are printed with "%.10Lg", identical on every platform.
//
// Assumes: `run` is the completed run of these inputs (they were accepted); gamma_w in
// kN/m3 (the checks' setting, 9.81 unless set otherwise).
//
// Holds: the text depends only on the run, the inputs and gamma_w.
#pragma once

#include "control/RunControl.h"
#include "section/NodeResult.h"

#include <string>

namespace verrask::report {

inline constexpr const char* FieldsName = "fields.csv";

std::string FieldsCsv(const section::TNodeResult& run, const TInputTexts& inputs,
                      long double gammaW);

} // namespace verrask::report
