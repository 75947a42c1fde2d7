// A solved section as the batch tool prints it: text lines or one JSON object with the discharge,
// its certain bracket and estimated error, and the flux through every stretch of ground.
//
// Computes: q_error, the result's estimated relative error of q (half the bracket's width over
// q where the bracket [q_low, q_high] holds the exact q, the water standing at two levels;
// elsewhere from three nested grids, and q_low, q_high null); q_per_day = q x 86400; the
// observed order of q ("order").
//
// Holds: the text is ASCII and the JSON valid, the same on every platform for the same result.
#pragma once

#include "section/SectionResult.h"

#include <string>
#include <vector>

namespace verrask::report {

// The estimated relative error of q; 0 where nothing flows.
double SectionError(const section::TSectionResult& r);

std::string SectionText(const section::TSectionResult& r, double seconds);
// `extra`: further members (JSON text), put before "seconds".
std::string SectionJson(const section::TSectionResult& r, double seconds,
                        const std::vector<std::string>& extra = {});

} // namespace verrask::report
