// The picture on the clipboard and the file dialogs (see ResultsOut.h).
#include "winapp/ResultsOut.h"

#include <commdlg.h>

#include <cstring>
#include <filesystem>
#include <vector>

namespace verrask::win {

std::string CopyPicture(HWND owner, const sheetpile::TBitmap& picture) {
    const int width = picture.Width(), height = picture.Height();
    if (width <= 0 || height <= 0) return "there is no picture to copy";
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    const std::size_t size = sizeof(BITMAPINFOHEADER) + stride * static_cast<std::size_t>(height);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory == nullptr) return "not enough memory for the picture";
    auto* bytes = static_cast<unsigned char*>(GlobalLock(memory));
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height; // bottom-up, as every reader of CF_DIB expects
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(stride * static_cast<std::size_t>(height));
    std::memcpy(bytes, &header, sizeof header);
    for (int y = 0; y < height; ++y) {
        unsigned char* row =
            bytes + sizeof header + stride * static_cast<std::size_t>(height - 1 - y);
        std::memset(row, 0, stride);
        for (int x = 0; x < width; ++x) {
            const sheetpile::TColor c = picture.GetPixel(x, y); // 0x00BBGGRR
            row[3 * x] = static_cast<unsigned char>(c >> 16);
            row[3 * x + 1] = static_cast<unsigned char>(c >> 8);
            row[3 * x + 2] = static_cast<unsigned char>(c);
        }
    }
    GlobalUnlock(memory);
    if (!OpenClipboard(owner)) {
        GlobalFree(memory);
        return "the clipboard is in use";
    }
    EmptyClipboard();
    const bool placed = SetClipboardData(CF_DIB, memory) != nullptr;
    CloseClipboard();
    if (!placed) {
        GlobalFree(memory);
        return "the picture could not be put on the clipboard";
    }
    return ""; // the clipboard owns the memory now
}

namespace {

bool AskName(HWND owner, const wchar_t* filter, const wchar_t* extension, std::wstring& path,
             bool save) {
    std::vector<wchar_t> name(32768, L'\0'); // the longest path Windows can take
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrDefExt = extension;
    dialog.Flags = save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR
                        : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!(save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog))) return false;
    path = name.data();
    return true;
}

} // namespace

bool AskSaveName(HWND owner, const wchar_t* filter, const wchar_t* extension, std::wstring& path) {
    return AskName(owner, filter, extension, path, true);
}

bool AskOpenName(HWND owner, const wchar_t* filter, const wchar_t* extension, std::wstring& path) {
    return AskName(owner, filter, extension, path, false);
}

} // namespace verrask::win
