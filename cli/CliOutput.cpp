// Formats a run's results for the batch tool and writes its grids as CSV.
#include "cli/CliOutput.h"

#include "control/NumberFormat.h"

#include <cstdio>
#include <fstream>

namespace verrask::cli {

namespace {

std::string Printf(const char* format, long double v) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format, v);
    return buffer;
}

std::string JsonString(const std::string& s) {
    std::string out = "\"";
    for (unsigned char ch : s) {
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += static_cast<char>(ch);
        } else if (ch < 0x20) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", ch);
            out += buffer;
        } else {
            out += static_cast<char>(ch);
        }
    }
    return out + "\"";
}

std::string WithLineBreaks(std::string s) {
    std::string out;
    for (char ch : s)
        if (ch != '\r') out += ch;
    return out;
}

template <typename Grid>
bool WriteGrid(const std::string& path, const Grid& grid, int rows, int cols) {
    std::ofstream out(path, std::ios::binary);
    if (!out) return false;
    std::string line;
    for (int r = 0; r < rows; ++r) {
        line.clear();
        for (int c = 0; c < cols; ++c) {
            if (c) line += ',';
            line += std::to_string(grid[r][c]);
        }
        line += '\n';
        out << line;
    }
    return static_cast<bool>(out.flush());
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

std::string JsonReport(const TRunReport& r, const sheetpile::TModel& m, const std::string& extra) {
    const TInputTexts& in = r.Inputs;
    auto field = [](const char* name, const std::string& value) {
        return std::string("\"") + name + "\":" + value;
    };
    auto integer = [](long long v) { return std::to_string(v); };
    std::string out = "{";
    out += field("run", integer(r.Run)) + ",";
    out += "\"inputs\":{" + field("left", JsonString(in.Edit6)) + "," +
           field("right", JsonString(in.Edit7)) + "," + field("wall", JsonString(in.Edit2)) + "," +
           field("stratum", JsonString(in.Edit1)) + "," + field("ratio", JsonString(in.Edit5)) +
           "," + field("k", JsonString(in.Edit8)) + "," + field("up", JsonString(in.Edit3)) + "," +
           field("down", JsonString(in.Edit4)) + "},";
    out += "\"geometry\":{" + field("LeftBlanketCol", integer(m.LeftBlanketCol)) + "," +
           field("PileUpCol", integer(m.PileUpCol)) + "," +
           field("PileDownCol", integer(m.PileDownCol)) + "," +
           field("RightBlanketCol", integer(m.RightBlanketCol)) + "," +
           field("LastCol", integer(m.LastCol)) + "," + field("PileRows", integer(m.PileRows)) +
           "},";
    out += "\"passes\":{" + field("head", integer(static_cast<long long>(m.HeadPasses))) + "," +
           field("stream", integer(static_cast<long long>(m.StreamPasses))) + "},";
    out += field("InflowSum", Printf("%.0Lf", m.InflowSum)) + ",";
    out += field("OutflowSum", Printf("%.0Lf", m.OutflowSum)) + ",";
    out += field("Nd", integer(m.Nd)) + "," + field("Nf", integer(m.Nf)) + ",";
    out += field("ShapeFactor", Printf("%.21Lg", m.ShapeFactor)) + ",";
    out += field("q", Printf("%.21Lg", Discharge(m))) + ",";
    out +=
        field("zones", std::string("{") + field("critical", m.ShowCriticalZone ? "true" : "false") +
                           "," + field("possible", m.ShowPossibleHeave ? "true" : "false") + "," +
                           field("imminent", m.ShowImminentHeave ? "true" : "false") + "}") +
        ",";
    out += field("message", JsonString(r.Message)) + ",";
    std::string panels = "[";
    for (std::size_t i = 0; i < r.Panels.size(); ++i) {
        if (i) panels += ',';
        panels += JsonString(r.Panels[i]);
    }
    out += field("panels", panels + "]") + ",";
    out += field("seconds", Printf("%.6Lf", static_cast<long double>(r.Seconds)));
    if (!extra.empty()) out += "," + extra;
    return out + "}\n";
}

std::string WriteCsv(const std::string& dir, const sheetpile::TModel& m) {
    const int cols = m.LastCol + 1, fineCols = 4 * m.LastCol + 1;
    struct File {
        const char* name;
        bool ok;
    };
    const File files[] = {
        {"HeadGrid.csv", WriteGrid(dir + "/HeadGrid.csv", m.HeadGrid, sheetpile::CoarseRows, cols)},
        {"StreamGrid.csv",
         WriteGrid(dir + "/StreamGrid.csv", m.StreamGrid, sheetpile::CoarseRows, cols)},
        {"FineHead.csv",
         WriteGrid(dir + "/FineHead.csv", m.FineHead, sheetpile::FineRows, fineCols)},
        {"FineStream.csv",
         WriteGrid(dir + "/FineStream.csv", m.FineStream, sheetpile::FineRows, fineCols)},
    };
    for (const File& f : files)
        if (!f.ok) return "cannot write " + dir + "/" + f.name;
    return "";
}

} // namespace verrask::cli
