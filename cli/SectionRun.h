// The batch tool's run of a section file (--section): read, solved by the section model, and
// printed as text or, with --json, one JSON object; with --png, its picture written.
#pragma once

#include "cli/CliOptions.h"

namespace verrask::cli {

// The exit status: 0 done, 2 the section refused or not solvable, 1 the picture not written.
int RunSection(const TCliPlan& plan);

} // namespace verrask::cli
