// The calculation sheet of one completed run as one self-contained HTML file, shared by the
// windows and the batch tool.
//
// Computes: the page with the title, the date and the governing check in one sentence, the
// project, structure, engineer and note, the eight inputs as typed with their units and the check
// settings, the run's results (the run's rounded shape factor and the field's own, Nd, Nf, q in
// the input units and in m3/day per metre from the field), the shown flow-net picture as an
// embedded PNG (exact pixels, with the overlays that are switched on), the design checks as the
// windows' rows (CheckLines) with pass or fail against each criterion's target, the three
// diagrams as inline SVG (the embedment one only after a search) and the engineer's notes (what
// the tailwater, the discharge, the creep diagram, the verdicts, a downstream blanket and EC7
// 2.9a rest on); print CSS for A4.
//
// Assumes: `run` is the completed run the checks were computed from (its Picture as the
// window shows it); the date is given by the caller, so the same run gives the same page.
//
// Holds: every text from outside (inputs, date, reasons) is escaped; the page loads nothing
// from elsewhere. The figures carry the batch tool's formatting: the shape factor and q as the
// run's message writes them, the check figures by FormatFigure.
#pragma once

#include "checks/DesignChecks.h"
#include "checks/EmbedmentSearch.h"
#include "control/RunControl.h"

#include <optional>
#include <string>

namespace verrask::report {

// Who and what the sheet is for, as the user typed them ("" leaves a field blank).
struct TReportInfo {
    std::string Project;
    std::string Structure;
    std::string Engineer;
    std::string Note;
};

struct TReportContent {
    TReportInfo Info;
    std::string Date; // shown as given, e.g. "2026-12-09 15:52 UTC"
    TInputTexts Inputs;
    checks::TCheckSettings Settings;
    checks::TDesignChecks Checks;
    std::optional<checks::TEmbedment> Embedment; // only after a search
};

// The page, or "" with `error` set when the picture cannot be encoded.
std::string ReportHtml(const TReportContent& content, const section::TNodeResult& run,
                       std::string& error);

} // namespace verrask::report
