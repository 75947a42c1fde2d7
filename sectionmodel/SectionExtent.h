// The lateral extent of a section whose file gives none: far enough that closing the far ends
// (no flow) moves q by well under 0.1 %.
//
// Computes: reach = the largest of
//   3 T max(sqrt(kx/kz))  - T the depth from the highest ground to the base: the slowest decaying
//                           mode of a layer decays like exp(-pi x / 2T) in the transformed length
//                           x sqrt(kz/kx); at 3 such depths q is about 1.5e-4 low;
//   3 leakage lengths     - sqrt(sum(kx D) t_c / kz_c) wherever a layer (t_c, kz_c) lies over more
//                           pervious ground (sum over all layers below it), whose heads recover
//                           over that length;
// capped at MostReachDepths depths; the extent is the outermost wall or cover end plus the reach
// on each side.
//
// Assumes: a section the reader accepted. Holds: left < every wall and cover < right.
#pragma once

#include "section/Section.h"

namespace verrask::sectionmodel {

// Beyond this many depths the ends sit in practically still water behind any cap that keeps the
// grid within memory; the leakage rule alone can ask for more.
inline constexpr double MostReachDepths = 100;

section::TExtent AutomaticExtent(const section::TSection& s);

} // namespace verrask::sectionmodel
