// What leaves the window after a completed run: the shown picture as a PNG file or on the
// clipboard, the run's JSON and CSV grids, and the HTML report. The file formats and their
// writing are the shared ones (support/PngFile, report/ResultsExport, report/HtmlReport,
// report/ReportFile); this file only names the files and hands the data over.
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

// A path as the shared writers take it (the ANSI code page), or "" when the name cannot be
// carried.
std::string FilePath(const std::wstring& path);

std::string SavePictureFile(const std::wstring& path, const sheetpile::TBitmap& picture);

// The JSON of the run in `path`; the four grids beside it, named after it: "<stem>-HeadGrid.csv"
// and so on.
std::string ExportResultsFiles(const std::wstring& path, const report::TRunReport& run,
                               const sheetpile::TModel& model);

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
