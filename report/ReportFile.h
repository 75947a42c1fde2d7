// Writes a finished report page to a file.
//
// Computes: the file, through the program's one writer (support/FileWrite.h): a temporary file
// beside the target that replaces it only once complete and flushed.
//
// Assumes: the folder of the target exists.
//
// Holds: on success the target holds exactly the page; on failure the target is as it was and no
// temporary file is left; the message names the file and the system's reason.
#pragma once

#include <filesystem>
#include <string>

namespace verrask::report {

// Returns "" on success, else what failed.
std::string WriteReportFile(const std::filesystem::path& path, const std::string& html);

} // namespace verrask::report
