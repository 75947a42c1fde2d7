// The results of one completed run as files for other programs: the batch tool's JSON object of
// the run and the four head and stream grids as CSV, shared by the batch tool and the windows.
//
// Computes: one JSON line per run (inputs as typed, geometry, passes, sums, Nd, Nf, shape factor,
// q, zones, the message and the status panels, the seconds taken) and the grids as CSV text, one
// row a line, the numbers as stored.
//
// Assumes: `run` is the completed run the report describes.
//
// Holds: the texts are the same on every platform for the same run; the CSV files are written as
// one set (support/FileWrite.h): all new, or after a failure all as they were.
#pragma once

#include "control/RunControl.h"
#include "section/NodeResult.h"
#include "support/FileWrite.h"

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace verrask::report {

// What the window shows after a run, plus the run's own figures.
struct TRunReport {
    int Run = 0;
    TInputTexts Inputs;
    std::string Message; // Label5
    std::array<std::string, PanelCount> Panels;
    double Seconds = 0;
};

// `extra` holds further members ("name":value,...) put after the run's own, "" for none.
std::string JsonReport(const TRunReport& report, const section::TNodeResult& run,
                       const std::string& extra = "");

// The names of the four grid files, in the order WriteCsv writes them.
inline constexpr std::array<const char*, 4> CsvNames{"HeadGrid.csv", "StreamGrid.csv",
                                                     "FineHead.csv", "FineStream.csv"};

// The grid CsvNames[which] names, as CSV text.
std::string CsvGrid(const section::TNodeResult& run, std::size_t which);

// The four grids and the fields CSV (report/FieldsCsv.h, given as `fields`) as the files of one
// set in dir, named `prefix` + CsvNames[i] and `prefix` + "fields.csv".
std::vector<TFileContent> CsvFiles(const std::filesystem::path& dir,
                                   const section::TNodeResult& run, const std::string& fields,
                                   const std::filesystem::path& prefix = {});

// Writes CsvFiles into dir (which must exist) as one set. Returns "" on success, else what
// failed (every file then as it was).
std::string WriteCsv(const std::filesystem::path& dir, const section::TNodeResult& run,
                     const std::string& fields, const std::filesystem::path& prefix = {});

} // namespace verrask::report
