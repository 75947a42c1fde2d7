// The design checks and the toe search of a solved section as the batch tool's lines and as JSON
// members.
//
// Computes: per wall the exit gradient, Terzaghi's prism, EC7 HYD on it and the net water
// pressure; the worst soil columns (EC7 HYD 2.9a, 2.9b, heave) with where they are; EC7 UPL per
// less pervious layer; the governing check's sentence; each figure with its error estimate where
// the model gives one, and every verdict against the settings' target (four significant digits,
// FormatFigure; JSON ten, null without a value).
//
// Assumes: the checks were computed from this result with these settings.
//
// Holds: the texts depend only on the figures and the settings: the same on every platform.
#pragma once

#include "checks/SectionChecks.h"
#include "checks/SectionEmbedment.h"

#include <string>

namespace verrask::report {

std::string SectionChecksText(const section::TSectionResult& r, const checks::TSectionChecks& c,
                              const checks::TCheckSettings& s);
// "checks":{...}
std::string SectionChecksJson(const section::TSectionResult& r, const checks::TSectionChecks& c,
                              const checks::TCheckSettings& s);

std::string SectionEmbedmentText(const checks::TSectionEmbedment& e);
std::string SectionEmbedmentJson(const checks::TSectionEmbedment& e); // "embedment":{...}
std::string ToeTrialText(const checks::TSectionEmbedment& e, const checks::TToeTrial& t);

} // namespace verrask::report
