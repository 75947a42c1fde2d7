// The design checks and the embedment search of a completed run as the batch tool's lines and as
// JSON members, shared by the batch tool and the windows' results export.
//
// Computes: the lines of --checks and --embed (four significant digits, FormatFigure; a figure
// without a value as "n/a" with its reason) and the members "checks":{...} and
// "embedment":{...} (ten significant digits, null without a value), with the governing check's
// sentence and the tailwater note; one progress phrase per trial.
//
// Assumes: the checks were computed from the run with these settings (SettingsForRun).
//
// Holds: the texts depend only on the figures and the settings: the same on every platform.
#pragma once

#include "checks/DesignChecks.h"
#include "checks/EmbedmentSearch.h"

#include <string>

namespace verrask::report {

std::string ChecksText(const checks::TDesignChecks& c, const checks::TCheckSettings& s);
// "checks":{...}, with "governing", the sentence that names the check with the smallest margin.
std::string ChecksJson(const checks::TDesignChecks& c, const checks::TCheckSettings& s);

std::string EmbedmentText(const checks::TEmbedment& e);
std::string EmbedmentJson(const checks::TEmbedment& e); // "embedment":{...}
std::string TrialText(const checks::TEmbedment& e, const checks::TEmbedmentTrial& t);

} // namespace verrask::report
