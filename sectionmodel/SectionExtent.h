// The lateral extent of a section whose file gives none: far enough that closing the far ends
// (no flow) moves q by well under 0.1 %.
//
// Computes: reach = the largest of
//   3 T max(sqrt(kx/kz))  - T the depth from the highest ground to the base: the slowest decaying
//                           mode of a layer decays like exp(-pi x / 2T) in the transformed length
//                           x sqrt(kz/kx); at 3 such depths q is about 1.5e-4 low;
//   5 leakage lengths     - sqrt(sum(kx D) t_c / kz_c) wherever a layer (t_c, kz_c) lies over more
//                           pervious ground (sum over all layers below it), whose heads recover
//                           over that length: q's shortfall falls like exp(-2 x / length), 3e-3
//                           at 3 lengths (clay over sand), 5e-5 at 5;
// capped at MostReachDepths depths; the extent is the outermost wall or cover end plus the reach
// on each side. Beyond 3 transformed depths from a wall or cover end the grid's cells grow
// (SectionGrid.h), so a long reach costs few cells.
//
// Assumes: a section the reader accepted. Holds: left < every wall and cover < right.
#pragma once

#include "section/Section.h"

namespace verrask::sectionmodel {

// A bound on the reach that keeps the grid small: the leakage rule asks for more only behind a
// cap some 1e7 times less pervious than the ground below it.
inline constexpr double MostReachDepths = 10000;

section::TExtent AutomaticExtent(const section::TSection& s);

} // namespace verrask::sectionmodel
