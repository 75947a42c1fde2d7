// What the Win32 window needs of the system to let results out: the shown picture on the
// clipboard, and the file dialogs (the files themselves are made by the run session,
// control/RunSession.h, and support/PngFile). Paths stay UTF-16 all the way to the system, so
// any name the file dialog accepts can be written.
//
// Assumes: the picture is the shown one of a completed run, which no worker writes meanwhile.
//
// Holds: CopyPicture returns "" on success, else what failed, and changes nothing of the
// picture; a dialog returns false when the user cancels.
#pragma once

#include "sheetpile/ModelState.h"

#include <windows.h>

#include <string>

namespace verrask::win {

// The picture on the clipboard as a device-independent bitmap (CF_DIB, 24 bits, exact colours).
std::string CopyPicture(HWND owner, const sheetpile::TBitmap& picture);

// Asks for a file name to save to (comdlg32); `filter` is pairs of texts ended by "\0\0".
// False when the user cancelled.
bool AskSaveName(HWND owner, const wchar_t* filter, const wchar_t* extension, std::wstring& path);
// Asks for an existing file to open; false when the user cancelled.
bool AskOpenName(HWND owner, const wchar_t* filter, const wchar_t* extension, std::wstring& path);

} // namespace verrask::win
