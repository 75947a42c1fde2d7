// The inputs file: the eight inputs as typed and the design checks' settings as a small JSON
// file that both windows open and save (and the batch tool reads with --inputs).
//
// Computes: the file's text,
//   {"format": "verrask-inputs", "version": 1,
//    "inputs": {"left": "0", ..., "down": "0"},            every input, as typed
//    "check_settings": {"gamma_w": 9.81, "tailwater": null, ...}}  every setting; null: from H2
// with the numbers in the fewest digits that read back to the same value; and the reverse.
//
// Assumes: the settings are ones the checks accepted (each within its range).
//
// Holds: reading refuses, with the reason, a file that is no JSON (with the line and column), of
// another format or a newer version, a member of the wrong type, an unknown, repeated or missing
// key, an input holding a control character, and a setting the checks' own rule refuses (named
// by its key); on refusal the output is unchanged. A file written here reads back to the same
// inputs and settings, bit for bit.
#pragma once

#include "checks/CheckSettings.h"
#include "control/RunControl.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace verrask {

inline constexpr std::string_view InputsFormat = "verrask-inputs";
inline constexpr int InputsVersion = 1; // the newest this program reads and the one it writes

struct TInputsFile {
    TInputTexts Inputs;
    checks::TCheckSettings Settings; // the user's settings (nothing taken from a run)
};

std::string InputsFileText(const TInputsFile& file);

// "" with `file` set, or why the text is refused (`file` unchanged).
std::string ReadInputsText(std::string_view text, TInputsFile& file);

// The file at `path`: "" with `file` set, or "PATH: REASON" (`file` unchanged).
std::string OpenInputsFile(const std::filesystem::path& path, TInputsFile& file);
// Writes the file whole or not at all (".json" added when the name has no extension); "" or
// what failed.
std::string SaveInputsFile(std::filesystem::path path, const TInputsFile& file);

} // namespace verrask
