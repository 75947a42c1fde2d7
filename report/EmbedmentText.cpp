// The embedment search's answer as the windows show it (see EmbedmentText.h).
#include "report/EmbedmentText.h"

#include "report/FigureFormat.h"

#include <cctype>

namespace verrask::report {

std::string RowsText(int rows) {
    return std::to_string(rows) + (rows == 1 ? " row" : " rows");
}

std::string EmbedmentSummary(const checks::TEmbedment& e) {
    if (e.Rows == 0 && e.Trials.empty() && !e.Note.empty()) { // nothing was tried: say why
        std::string why = e.Note;
        why[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(why[0])));
        return why + ".";
    }
    if (e.Rows == 0) return "No wall up to 49 grid rows passes.";
    const std::string wall = RowsText(e.Rows) + " = " + FormatFigure(e.Depth) + " m";
    if (e.FailingRows == 0)
        return "Even a wall of one row passes: the required embedment is at most " + wall + ".";
    std::string text = "Shallowest passing wall: " + wall;
    if (checks::Available(e.Interpolated))
        text += "; interpolated " + FormatFigure(e.Interpolated) + " m";
    return text + ".";
}

std::string TrialSummary(const checks::TEmbedmentTrial& t) {
    return RowsText(t.Rows) + " (" + FormatFigure(t.Depth) + " m) " +
           (t.Passes ? "passes" : "fails");
}

} // namespace verrask::report
