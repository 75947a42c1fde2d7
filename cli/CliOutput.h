// What the batch tool prints per run (text or one JSON object a line) and the grids it writes.
#pragma once

#include "control/RunControl.h"

#include <array>
#include <cstdint>
#include <string>

namespace verrask::cli {

// What the window would show after a run, plus the run's own figures.
struct TRunReport {
    int Run = 0;
    TInputTexts Inputs;
    std::string Message; // Label5
    std::array<std::string, PanelCount> Panels;
    double Seconds = 0;
};

std::string TextReport(const TRunReport& report, const sheetpile::TModel& model);
// `extra` holds further members ("name":value,...) put after the run's own, "" for none.
std::string JsonReport(const TRunReport& report, const sheetpile::TModel& model,
                       const std::string& extra = "");

// Writes HeadGrid.csv, StreamGrid.csv, FineHead.csv and FineStream.csv into dir (which must
// exist). Returns "" on success, else what failed.
std::string WriteCsv(const std::string& dir, const sheetpile::TModel& model);

} // namespace verrask::cli
