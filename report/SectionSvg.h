// The section drawn to natural scale as inline SVG: layers shaded with their names, the ground
// and water of every stretch, covers, walls down to their toes, and the elevations that matter.
//
// Computes: the drawn stretch of x, from the walls and cover ends out to 1.5 depths beyond
// them (within the extent), at one scale in x and z that fits it into at most 800 x 420 px
// (at least 160 px high, the width then following at the same scale).
//
// Assumes: a section the reader accepted, with its extent set (as a result holds it).
//
// Holds: every text is escaped; the SVG loads nothing from elsewhere.
#pragma once

#include "section/Section.h"

#include <string>

namespace verrask::report {

// The layer's fill, also used for its rows in the tables ("#rrggbb").
const char* LayerColour(std::size_t layer);

std::string SectionSvg(const section::TSection& s, const std::string& id);

} // namespace verrask::report
