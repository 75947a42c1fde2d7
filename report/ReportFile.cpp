// Writing the report without losing an earlier file (see ReportFile.h).
#include "report/ReportFile.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace verrask::report {

std::string WriteReportFile(const std::string& path, const std::string& html) {
    if (path.empty()) return "no file name for the report";
    namespace fs = std::filesystem;
    const fs::path target(path);
    const fs::path part = fs::path(path + ".part");
    {
        std::ofstream out(part, std::ios::binary | std::ios::trunc);
        if (!out) return "cannot write " + path + ": cannot create " + part.string();
        out.write(html.data(), static_cast<std::streamsize>(html.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ignored;
            fs::remove(part, ignored);
            return "cannot write " + path;
        }
    }
    std::error_code ec;
    fs::rename(part, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(part, ignored);
        return "cannot write " + path + ": " + ec.message();
    }
    return "";
}

} // namespace verrask::report
