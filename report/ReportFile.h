// Writes a finished report page to a file.
//
// Computes: the file, written through a temporary file beside it (the target's name with
// ".part" added) that replaces the target only once it is complete.
//
// Assumes: the folder of the target exists and is writable; nothing else writes the ".part" file.
//
// Holds: on success the target holds exactly the page; on failure the target is as it was (an
// earlier file is kept) and the temporary file is removed.
#pragma once

#include <string>

namespace verrask::report {

// Writes the page to `path` through a temporary file beside it that replaces the target only
// once it is complete, so a failed write leaves any earlier file as it was. Returns "" on
// success, else what failed.
std::string WriteReportFile(const std::string& path, const std::string& html);

} // namespace verrask::report
