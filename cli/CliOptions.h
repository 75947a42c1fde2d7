// Command line of the batch tool: the eight inputs as texts, repeated runs, output choices.
//
// A plan is a list of RUN presses. Input options change only the boxes they name; `--then`
// presses RUN and starts the next press, which keeps every other box's text. `--runs N` presses
// the current inputs N times.
#pragma once

#include "checks/CheckSettings.h"
#include "checks/EmbedmentSearch.h"
#include "control/RunControl.h"
#include "report/HtmlReport.h"

#include <string>
#include <vector>

namespace verrask::cli {

// What the user does after a run, before the next press: move the track bars, check boxes.
enum class TZone { Critical, Possible, Imminent };

struct TPress {
    TInputTexts Inputs;
    int Repeats = 1;
    int FlowNetPosition = 0;  // --nd: 0 leaves the "Flow Net :" bar where the run put it
    int TunePosition = 0;     // --nf: likewise for "Tune :"
    std::vector<TZone> Zones; // --zones: boxes to check, in this order
};

struct TCliPlan {
    std::vector<TPress> Presses;
    bool Json = false;
    std::string CsvDir;     // "" for none
    std::string PngFile;    // "" for none
    std::string ReportFile; // --report: the HTML report of the last run, "" for none
    bool Help = false;
    // Design checks after every run (--checks) and the embedment search (--embed CRITERION).
    bool Checks = false;
    bool Embed = false;
    checks::TCriterion Criterion = checks::TCriterion::Terzaghi;
    checks::TCheckSettings CheckSettings;
    report::TReportInfo Info; // --project, --structure, --engineer, --note
    // --section FILE: a section file for the section model instead of the eight inputs (with
    // --json, --png and --nd, --nf only: those two held in the one press, 1..100).
    std::string SectionFile;
};

// Parses argv[1..]; returns "" on success, else the usage error.
std::string ParseCommandLine(int argc, const char* const* argv, TCliPlan& plan);

extern const char* const UsageText;

} // namespace verrask::cli
