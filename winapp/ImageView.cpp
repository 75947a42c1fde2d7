// Image1's window class: painting the picture, the pointer moves.
#include "winapp/ImageView.h"

#include "winapp/WindowClass.h"

#include <windowsx.h>

namespace verrask::win {
namespace {

constexpr wchar_t ClassName[] = L"VerraskImage";
constexpr std::uint32_t White = 0x00FFFFFF;

std::uint32_t ToDib(sheetpile::TColor c) {
    return (c & 0x0000FF00u) | ((c & 0xFFu) << 16) | ((c >> 16) & 0xFFu);
}

} // namespace

TImage::TImage(HWND parent, int id, int left, int top, int width, int height) {
    // No background brush: the picture covers the whole window.
    CreateWindowOf(this, ClassName, TClassLook{IDC_ARROW, -1, false, 0}, 0, L"",
                   WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, left, top, width, height, parent,
                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id))); // sets Handle
    SetWhite(width, height);
}

void TImage::SetWhite(int width, int height) {
    PictureWidth = width;
    PictureHeight = height;
    Pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), White);
    Resized();
}

void TImage::SetPicture(const sheetpile::TBitmap& bitmap) {
    PictureWidth = bitmap.Width();
    PictureHeight = bitmap.Height();
    Pixels.resize(static_cast<std::size_t>(PictureWidth) * static_cast<std::size_t>(PictureHeight));
    std::size_t i = 0;
    for (int y = 0; y < PictureHeight; ++y)
        for (int x = 0; x < PictureWidth; ++x) Pixels[i++] = ToDib(bitmap.GetPixel(x, y));
    Resized();
}

sheetpile::TColor TImage::PixelAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= PictureWidth || y >= PictureHeight) return sheetpile::InvalidColor;
    const std::uint32_t p =
        Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(PictureWidth) +
               static_cast<std::size_t>(x)];
    return ToDib(p); // the swap of red and blue is its own inverse
}

void TImage::Resized() {
    RECT r;
    GetWindowRect(Handle, &r);
    MapWindowPoints(nullptr, GetParent(Handle), reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(Handle, nullptr, r.left, r.top, PictureWidth, PictureHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    InvalidateRect(Handle, nullptr, FALSE);
}

void TImage::Paint(HDC dc) const {
    if (PictureWidth <= 0 || PictureHeight <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = PictureWidth;
    info.bmiHeader.biHeight = -PictureHeight; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    // Drawn off screen first, then copied in one piece.
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, PictureWidth, PictureHeight);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SetDIBitsToDevice(memory, 0, 0, static_cast<DWORD>(PictureWidth),
                      static_cast<DWORD>(PictureHeight), 0, 0, 0, static_cast<UINT>(PictureHeight),
                      Pixels.data(), &info, DIB_RGB_COLORS);
    BitBlt(dc, 0, 0, PictureWidth, PictureHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

LRESULT TImage::Dispatch(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle, &ps);
        Paint(dc);
        EndPaint(Handle, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(w));
        return 0;
    case WM_ERASEBKGND:
        return 1; // the picture covers the whole window
    case WM_MOUSEMOVE:
        if (OnMouseMove) OnMouseMove(GET_X_LPARAM(l), GET_Y_LPARAM(l));
        return 0;
    case WM_LBUTTONDOWN:
        SetCapture(Handle);
        return 0;
    case WM_LBUTTONUP:
        ReleaseCapture();
        return 0;
    default:
        return DefWindowProcW(Handle, message, w, l);
    }
}

} // namespace verrask::win
