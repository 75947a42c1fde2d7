// What leaves the window after a completed run: the shown picture as a PNG file or on the
// clipboard, the run's JSON and CSV grids, and the HTML report. The file formats and their
// writing are the shared ones (support/PngFile, report/ResultsExport, report/HtmlReport,
// support/FileWrite); this file only names the files and hands the data over. Paths stay
// UTF-16 all the way to the system, so any name the file dialog accepts can be written.
//
// Assumes: the model holds a completed run and no worker writes it meanwhile; paths come from
// the file dialog as UTF-16.
//
// Holds: every routine returns "" on success, else what failed; a failed write leaves any earlier
// file as it was and changes nothing of the model or the picture.
#pragma once

#include "report/HtmlReport.h"
#include "report/ResultsExport.h"
#include "sheetpile/ModelState.h"

#include <windows.h>

#include <string>

namespace verrask::win {

std::string SavePictureFile(const std::wstring& path, const sheetpile::TBitmap& picture);

// The JSON of the run in `path` (".json" added when the name has no extension); the four grids
// and the fields CSV beside it, named after it: "<stem>-HeadGrid.csv", "<stem>-fields.csv" and
// so on; all of them written as one set. gammaW: the unit weight of water for the pore pressures.
std::string ExportResultsFiles(const std::wstring& path, const report::TRunReport& run,
                               const sheetpile::TModel& model, long double gammaW);

std::string ExportReportFile(const std::wstring& path, const report::TReportContent& content,
                             const sheetpile::TModel& model);

// The picture on the clipboard as a device-independent bitmap (CF_DIB, 24 bits, exact colours).
std::string CopyPicture(HWND owner, const sheetpile::TBitmap& picture);

// Asks for a file name to save to (comdlg32); `filter` is pairs of texts ended by "\0\0".
// False when the user cancelled.
bool AskSaveName(HWND owner, const wchar_t* filter, const wchar_t* extension, std::wstring& path);

// The date and time now in UTC as the report shows it: "2026-12-09 15:52 UTC".
std::string UtcNow();

} // namespace verrask::win
