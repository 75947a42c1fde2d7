// The batch tool's lines and JSON members for the design checks and the embedment search.
#pragma once

#include "checks/DesignChecks.h"
#include "checks/EmbedmentSearch.h"

#include <string>

namespace verrask::cli {

std::string ChecksText(const checks::TDesignChecks& c, const checks::TCheckSettings& s);
// "checks":{...}, with "governing", the sentence that names the check with the smallest margin.
std::string ChecksJson(const checks::TDesignChecks& c, const checks::TCheckSettings& s);

std::string EmbedmentText(const checks::TEmbedment& e);
std::string EmbedmentJson(const checks::TEmbedment& e); // "embedment":{...}
std::string TrialText(const checks::TEmbedment& e, const checks::TEmbedmentTrial& t);

} // namespace verrask::cli
