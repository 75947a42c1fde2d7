// The embedment search's answer as the windows show it (see EmbedmentText.h).
#include "report/EmbedmentText.h"

#include "report/FigureFormat.h"

namespace verrask::report {

std::string EmbedmentSummary(const checks::TEmbedment& e) {
    std::string text = e.Rows == 0 ? "No wall up to 49 grid rows passes"
                                   : "Shallowest passing wall: " + std::to_string(e.Rows) +
                                         " rows = " + FormatFigure(e.Depth) + " m";
    if (checks::Available(e.Interpolated))
        text += "; interpolated " + FormatFigure(e.Interpolated) + " m";
    return text + ".";
}

std::string TrialSummary(const checks::TEmbedmentTrial& t) {
    return std::to_string(t.Rows) + " rows (" + FormatFigure(t.Depth) + " m) " +
           (t.Passes ? "passes" : "fails");
}

} // namespace verrask::report
