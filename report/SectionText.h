// A solved section as the batch tool prints it: text lines or one JSON object with the discharge,
// its certain bracket and estimated error, and the flux through every stretch of ground.
//
// Computes: q_error = half the bracket's width over q (the bracket [q_low, q_high] holds the
// exact q where the water stands at two levels; elsewhere no bracket is known and q_error is
// null); q_per_day = q x 86400. The observed order of convergence is not estimated yet: "order"
// is null.
//
// Holds: the text is ASCII and the JSON valid, the same on every platform for the same result.
#pragma once

#include "section/SectionResult.h"

#include <string>
#include <vector>

namespace verrask::report {

// Half the bracket's width over q; NaN without a bracket, 0 where q is 0.
double SectionError(const section::TSectionResult& r);

std::string SectionText(const section::TSectionResult& r, double seconds);
// `extra`: further members (JSON text), put before "seconds".
std::string SectionJson(const section::TSectionResult& r, double seconds,
                        const std::vector<std::string>& extra = {});

} // namespace verrask::report
