// What the batch tool prints per run as text; the JSON and the grids are the shared exports.
#pragma once

#include "report/ResultsExport.h"

#include <string>

namespace verrask::cli {

using report::JsonReport;
using report::TRunReport;
using report::WriteCsv;

std::string TextReport(const TRunReport& report, const sheetpile::TModel& model);

} // namespace verrask::cli
