// The run's results as JSON and CSV (see ResultsExport.h).
#include "report/ResultsExport.h"

#include "control/InputFields.h"
#include "report/FieldsCsv.h"
#include "report/JsonText.h"

#include <cstdio>

namespace verrask::report {

namespace {

std::string Printf(const char* format, long double v) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format, v);
    return buffer;
}

template <typename Grid> std::string GridText(const Grid& grid, int rows, int cols) {
    std::string out;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            if (c) out += ',';
            out += std::to_string(grid[r][c]);
        }
        out += '\n';
    }
    return out;
}

} // namespace

std::string JsonReport(const TRunReport& r, const section::TNodeResult& m,
                       const std::string& extra) {
    const TInputTexts& in = r.Inputs;
    auto field = [](const char* name, const std::string& value) {
        return std::string("\"") + name + "\":" + value;
    };
    auto integer = [](long long v) { return std::to_string(v); };
    std::string out = "{";
    out += field("run", integer(r.Run)) + ",";
    std::vector<std::string> inputs;
    for (const TInputFieldDesign& d : InputFields)
        inputs.push_back(JsonMember(d.JsonKey, JsonString(in.*d.Text)));
    out += field("inputs", JsonObject(inputs)) + ",";
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
    out += field("q", Printf("%.21Lg", m.Q)) + ",";
    out += field("zones", std::string("{") + field("critical", JsonBool(m.ShowCriticalZone)) + "," +
                              field("possible", JsonBool(m.ShowPossibleHeave)) + "," +
                              field("imminent", JsonBool(m.ShowImminentHeave)) + "}") +
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

std::string CsvGrid(const section::TNodeResult& m, std::size_t which) {
    const int cols = m.LastCol + 1, fineCols = 4 * m.LastCol + 1;
    switch (which) {
    case 0:
        return GridText(m.HeadGrid, section::CoarseRows, cols);
    case 1:
        return GridText(m.StreamGrid, section::CoarseRows, cols);
    case 2:
        return GridText(m.FineHead, section::FineRows, fineCols);
    case 3:
        return GridText(m.FineStream, section::FineRows, fineCols);
    default:
        return "";
    }
}

std::vector<TFileContent> CsvFiles(const std::filesystem::path& dir, const section::TNodeResult& m,
                                   const std::string& fields, const std::filesystem::path& prefix) {
    auto named = [&](const char* name) {
        std::filesystem::path file = prefix;
        file += name;
        return dir / file;
    };
    std::vector<TFileContent> files;
    for (std::size_t i = 0; i < CsvNames.size(); ++i)
        files.push_back({named(CsvNames[i]), CsvGrid(m, i)});
    files.push_back({named(FieldsName), fields});
    return files;
}

std::string WriteCsv(const std::filesystem::path& dir, const section::TNodeResult& m,
                     const std::string& fields, const std::filesystem::path& prefix) {
    return WriteFileSet(CsvFiles(dir, m, fields, prefix));
}

} // namespace verrask::report
