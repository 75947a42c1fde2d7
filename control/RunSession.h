// The session of the last completed run, shared by both windows and the batch tool: the inputs
// as typed, the run count, the message and the seven status panels as shown, the seconds it
// took, when it completed, and the report's details; and what is made of it: the results export
// (the run's JSON with the design checks, the four grids and the fields as CSV, one set) and the
// report page.
//
// Assumes: the front end calls RunStarted when RUN is pressed (a refused RUN is never completed,
// so it changes nothing of the last run) and RunCompleted on the completion that ends the run;
// its shell keeps Message and Panels as it shows them; the model holds the completed run while
// anything is made from it (no worker writes it meanwhile).
//
// Holds: a run that has not completed changes nothing of the last one except the shown texts,
// which the front ends do not let out during a run; every writer leaves the files as they were
// on failure and says which file failed and why.
#pragma once

#include "checks/DesignChecks.h"
#include "checks/EmbedmentSearch.h"
#include "control/RunControl.h"
#include "report/HtmlReport.h"
#include "report/ResultsExport.h"
#include "support/FileWrite.h"

#include <array>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace verrask {

// The design checks of the session's run as its outputs carry them.
struct TRunChecks {
    checks::TCheckSettings Settings; // with what the run's inputs give (SettingsForRun)
    checks::TDesignChecks Checks;
    std::optional<checks::TEmbedment> Embedment; // after a search only
};

class TRunSession {
  public:
    void RunStarted(const TInputTexts& inputs); // RUN pressed: its inputs, the clock starts
    void RunCompleted();                        // the completion that ended it

    bool HasRun() const { return Runs > 0; }

    // The last completed run.
    int Runs = 0; // completed in this session
    TInputTexts Inputs;
    double Seconds = 0;
    std::string Date; // when it completed, "2026-12-09 15:52 UTC"
    // What the window shows now (the shell keeps it).
    std::string Message;
    std::array<std::string, PanelCount> Panels;
    // The report's details as last confirmed; the report carries them.
    report::TReportInfo Info;

    report::TRunReport Report() const;

  private:
    TInputTexts Pending;
    std::chrono::steady_clock::time_point Start;
};

// The date and time now in UTC as the report shows it: "2026-12-09 15:52 UTC".
std::string UtcNow();

// The checks of the session's run under the user's settings, from the model (which holds it).
TRunChecks ChecksOfRun(const TRunSession& session, const sheetpile::TModel& model,
                       const checks::TCheckSettings& settings,
                       const std::optional<checks::TEmbedment>& embedment = std::nullopt);

// The required embedment of a completed run (checks/EmbedmentSearch.h), its trial walls solved
// by the design's model (the fast solvers or not, as the run used them).
checks::TEmbedment SearchRunEmbedment(const section::TNodeResultPtr& run, bool fastSolvers,
                                      checks::TCriterion criterion,
                                      const checks::TCheckSettings& settings,
                                      const checks::TSearchControl& control = {});

// The run's JSON: the batch tool's object with the members "checks" and, after a search,
// "embedment" (as --json --checks --embed give them).
std::string ResultsJson(const TRunSession& session, const sheetpile::TModel& model,
                        const TRunChecks& checks);

// The export's files: the JSON at `json` (".json" added when the name has no extension) and the
// grids and the fields CSV beside it, named after it ("<stem>-HeadGrid.csv", ...,
// "<stem>-fields.csv").
std::vector<TFileContent> ResultsFiles(std::filesystem::path json, const TRunSession& session,
                                       const sheetpile::TModel& model, const TRunChecks& checks);
// Writes ResultsFiles as one set; "" or what failed.
std::string ExportResults(const std::filesystem::path& json, const TRunSession& session,
                          const sheetpile::TModel& model, const TRunChecks& checks);

// The report's contents and the page written to `path`; "" or what failed.
report::TReportContent ReportContent(const TRunSession& session, const TRunChecks& checks);
std::string ExportReport(const std::filesystem::path& path, const TRunSession& session,
                         const sheetpile::TModel& model, const TRunChecks& checks);

} // namespace verrask
