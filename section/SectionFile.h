// The section file: a section as JSON (SI units: m, m/s, kN/m3), read and refused.
//
//   {"verrask_section": 1,
//    "layers": [{"bottom": -4.0, "kx": 1e-4, "kz": 2.5e-5, "gamma_sat": 20.0, "name": "sand"},
//    ...], "walls": [{"x": 0.0, "toe": -7.0}], "surface": [{"ground": 0.0, "water": 3.0, "covered":
//    [[-4.0, 0.0]]}, {"ground": -2.5,
//                "water": -2.5}],
//    "extent": {"left": -80.0, "right": 80.0},   optional
//    "accuracy": 0.005}                           optional
//
// Holds: a text is either read whole into the section, or refused with one message naming the
// key (as a path, "layers[1].kz"), the value and the reason, the section unchanged. Refused: no
// JSON (line and column), another version, a member of the wrong type, an unknown, repeated or
// missing key, layers not descending, k or gamma_sat out of range or gamma_sat <= gamma_w, kx/kz
// outside 1/100 to 1000, permeabilities more than 1e8 apart, water below the ground (unconfined
// flow is not modelled), a toe below the base or above a ground beside it, walls outside the
// extent or not increasing, covers outside their stretch, the wrong number of stretches, and
// features closer than 1 mm (a ground to the base, a toe to a ground or just above the base, two
// walls, a wall to an end). A toe on the base is accepted: it cuts the flow (q = 0). No input
// throws.
#pragma once

#include "section/Section.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace verrask::section {

inline constexpr int SectionVersion = 1; // the newest this program reads

// "" with `section` set, or why the text is refused (`section` unchanged).
std::string ReadSectionText(std::string_view text, TSection& section);

// The file at `path`: "" with `section` set, or "PATH: REASON" (`section` unchanged).
std::string OpenSectionFile(const std::filesystem::path& path, TSection& section);

} // namespace verrask::section
