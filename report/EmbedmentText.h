// The embedment search's answer and its trials as the sentences the windows show.
//
// Computes: one sentence for a finished search (the shallowest passing wall in grid rows and m,
// the interpolated depth), one phrase for a trial (its rows, depth and verdict).
//
// Assumes: the search was not cancelled (a window says that in its own words).
//
// Holds: texts are UTF-8 and each sentence ends with one full stop.
#pragma once

#include "checks/EmbedmentSearch.h"

#include <string>

namespace verrask::report {

std::string EmbedmentSummary(const checks::TEmbedment& e);
std::string TrialSummary(const checks::TEmbedmentTrial& t); // "12 rows (0.48 m) passes"

} // namespace verrask::report
