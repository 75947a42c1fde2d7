// The embedment search's answer and its trials as the sentences the windows and the report show.
//
// Computes: a count of grid rows in words ("1 row", "12 rows"); one sentence for a finished
// search (the shallowest passing wall in grid rows and m, the interpolated depth; when even one
// row passes, that the answer is at most that row, since the grid resolves nothing shallower);
// one phrase for a trial (its rows, depth and verdict).
//
// Assumes: the search was not cancelled (a window says that in its own words).
//
// Holds: texts are UTF-8; each sentence ends with one full stop, a phrase with none.
#pragma once

#include "checks/EmbedmentSearch.h"

#include <string>

namespace verrask::report {

std::string RowsText(int rows); // "1 row", "12 rows"
std::string EmbedmentSummary(const checks::TEmbedment& e);
std::string TrialSummary(const checks::TEmbedmentTrial& t); // "12 rows (0.48 m) passes"

} // namespace verrask::report
