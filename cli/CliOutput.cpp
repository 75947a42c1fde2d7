// Formats a run's results as the batch tool's text.
#include "cli/CliOutput.h"

#include "control/NumberFormat.h"

#include <cstdio>

namespace verrask::cli {

namespace {

std::string Printf(const char* format, long double v) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format, v);
    return buffer;
}

std::string WithLineBreaks(std::string s) {
    std::string out;
    for (char ch : s)
        if (ch != '\r') out += ch;
    return out;
}

} // namespace

std::string TextReport(const TRunReport& r, const sheetpile::TModel& m) {
    std::string out = WithLineBreaks(r.Message) + "\n";
    out += r.Panels[2] + "\n" + r.Panels[3] + "\n";
    out += " head passes: " + std::to_string(m.HeadPasses) +
           ", stream passes: " + std::to_string(m.StreamPasses) +
           ", elapsed: " + Printf("%.3Lf", static_cast<long double>(r.Seconds)) + " s\n";
    return out;
}

} // namespace verrask::cli
