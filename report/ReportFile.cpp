// Writing the report without losing an earlier file (see ReportFile.h).
#include "report/ReportFile.h"

#include "support/FileWrite.h"

namespace verrask::report {

std::string WriteReportFile(const std::filesystem::path& path, const std::string& html) {
    return WriteWholeFile(path, html);
}

} // namespace verrask::report
