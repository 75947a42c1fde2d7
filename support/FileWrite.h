// Writes every file of the program, whole or not at all.
//
// Computes: each file is written to a temporary file beside its target (the target's name with
// ".part" added), flushed to the disk (fsync; FlushFileBuffers on Windows), then renamed over the
// target. A target that is a symbolic link is written through it: the link stays and the file it
// names is replaced the same way. A set of files that belongs together is written as a set: every
// temporary file is completed before the first rename.
//
// Assumes: the target's folder exists; nothing else writes the ".part" file meanwhile. Paths are
// std::filesystem paths, so Windows names outside the ANSI code page are written as they are.
//
// Holds on return: on success each target holds exactly its bytes (an earlier file keeps its
// permissions); on failure every target is as it was (a set: all old) and no temporary file made
// here is left. A target that exists and is not a regular file (a folder, a device, a FIFO) is
// refused without being touched. A message names the file and the system's reason, worded the
// same on Linux and Windows ("No such file or directory", "Permission denied", "No space left on
// device", "is a folder").
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace verrask {

// One file of a set: where it goes and its whole contents.
struct TFileContent {
    std::filesystem::path Path;
    std::string Bytes;
};

// Writes one file. Returns "" on success, else "cannot write FILE: REASON".
std::string WriteWholeFile(const std::filesystem::path& path, std::string_view bytes);

// Writes the files as a set: all new, or (after any failure) all as they were. Returns "" on
// success, else the message of the first failure.
std::string WriteFileSet(const std::vector<TFileContent>& files);

// Creates the folder and its parents where missing. Returns "" when the folder is there, else
// "cannot create the folder DIR: REASON".
std::string MakeFolders(const std::filesystem::path& dir);

// The path as UTF-8 text for messages (the same on Linux and Windows for the same name).
std::string PathText(const std::filesystem::path& path);

// The steps of one file, in order; a test can make any of them fail.
enum class TWriteStep { Create, Write, Flush, Rename };

// Test seam: called before every step with the target (after links are followed). A nonzero
// return is an errno value that the step fails with instead of running. nullptr (the default)
// runs every step.
using TWriteFault = int (*)(TWriteStep step, const std::filesystem::path& target);
void SetWriteFault(TWriteFault fault);

} // namespace verrask
