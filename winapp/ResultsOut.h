// What leaves the window after a completed run that the run session (control/RunSession.h) does
// not make: the shown picture as a PNG file or on the clipboard; and the file dialogs. The file
// formats and their writing are the shared ones (support/PngFile, support/FileWrite). Paths stay
// UTF-16 all the way to the system, so any name the file dialog accepts can be written.
//
// Assumes: the model holds a completed run and no worker writes it meanwhile; paths come from
// the file dialog as UTF-16.
//
// Holds: every routine returns "" on success, else what failed; a failed write leaves any earlier
// file as it was and changes nothing of the model or the picture.
#pragma once

#include "sheetpile/ModelState.h"

#include <windows.h>

#include <string>

namespace verrask::win {

std::string SavePictureFile(const std::wstring& path, const sheetpile::TBitmap& picture);

// The picture on the clipboard as a device-independent bitmap (CF_DIB, 24 bits, exact colours).
std::string CopyPicture(HWND owner, const sheetpile::TBitmap& picture);

// Asks for a file name to save to (comdlg32); `filter` is pairs of texts ended by "\0\0".
// False when the user cancelled.
bool AskSaveName(HWND owner, const wchar_t* filter, const wchar_t* extension, std::wstring& path);
// Asks for an existing file to open; false when the user cancelled.
bool AskOpenName(HWND owner, const wchar_t* filter, const wchar_t* extension, std::wstring& path);

} // namespace verrask::win
