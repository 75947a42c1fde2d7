// The real window on a display (Wine with an X server and a window manager): opens Form1, runs
// the defaults, probes the picture, and saves the window as it is on the screen to the PNG file
// named by the first argument. Fails if the run does not complete or the picture is not on the
// screen where the window shows it. With a second file name it then opens the design-checks
// window, finds the embedment and saves that window too.
#include "WinTests.h"

#include "winapp/resource.h"

#include <zlib.h>

#include <cstdio>
#include <vector>

namespace {

void Chunk(std::FILE* file, const char* type, const std::vector<unsigned char>& data) {
    const auto put32 = [file](unsigned long v) {
        const unsigned char b[4] = {
            static_cast<unsigned char>(v >> 24), static_cast<unsigned char>(v >> 16),
            static_cast<unsigned char>(v >> 8), static_cast<unsigned char>(v)};
        std::fwrite(b, 1, 4, file);
    };
    put32(static_cast<unsigned long>(data.size()));
    std::fwrite(type, 1, 4, file);
    std::fwrite(data.data(), 1, data.size(), file);
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type), 4);
    // zlib takes a null buffer (an empty vector's) as a request for the initial value.
    if (!data.empty()) crc = crc32(crc, data.data(), static_cast<uInt>(data.size()));
    put32(crc);
}

// Rows of 0x00RRGGBB pixels as an 8-bit RGB PNG.
bool WriteRgbPng(const char* path, const std::vector<std::uint32_t>& pixels, int width,
                 int height) {
    std::vector<unsigned char> raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0); // no filter
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixels[static_cast<std::size_t>(y * width + x)];
            raw.insert(raw.end(),
                       {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                        static_cast<unsigned char>(p)});
        }
    }
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::vector<unsigned char> packed(size);
    if (compress2(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK)
        return false;
    packed.resize(size);
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return false;
    std::fwrite("\x89PNG\r\n\x1a\n", 1, 8, file);
    std::vector<unsigned char> header(13, 0);
    for (int i = 0; i < 4; ++i) {
        header[static_cast<std::size_t>(i)] = static_cast<unsigned char>(width >> (24 - 8 * i));
        header[static_cast<std::size_t>(4 + i)] =
            static_cast<unsigned char>(height >> (24 - 8 * i));
    }
    header[8] = 8; // bit depth
    header[9] = 2; // RGB
    Chunk(file, "IHDR", header);
    Chunk(file, "IDAT", packed);
    Chunk(file, "IEND", {});
    return std::fclose(file) == 0;
}

// The window as it is on the screen, frame included, 0x00RRGGBB.
std::vector<std::uint32_t> ScreenPixels(HWND window, RECT& outer) {
    GetWindowRect(window, &outer);
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP shot = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, shot);
    BitBlt(memory, 0, 0, width, height, screen, outer.left, outer.top, SRCCOPY);
    GdiFlush();
    const auto* p = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> pixels(p, p + width * height);
    SelectObject(memory, old);
    DeleteObject(shot);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

} // namespace

int main(int argc, char** argv) {
    using namespace verrask::win;
    if (argc < 2) return 64;
    test::TWindow w;
    w.Show();
    SetForegroundWindow(w->Handle);
    if (!w.RunToResults()) return 2;
    SendMessageW(w->Image1->Handle, WM_MOUSEMOVE, 0, MAKELPARAM(602, 100));
    test::Pump(700); // let the window manager and the window repaint
    RECT outer;
    const std::vector<std::uint32_t> pixels = ScreenPixels(w->Handle, outer);
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    if (!WriteRgbPng(argv[1], pixels, width, height)) return 3;
    // The wall's blue strip at the picture's top, at the picture's place on the screen.
    POINT picture{0, 0};
    MapWindowPoints(w->Image1->Handle, nullptr, &picture, 1);
    const sheetpile::TColor wall = w.Model->ShownPicture.GetPixel(w.Model->PileUpX, 1);
    const std::uint32_t seen = pixels[static_cast<std::size_t>(
        (picture.y - outer.top + 1) * width + picture.x - outer.left + w.Model->PileUpX)];
    const std::uint32_t expected = ((wall & 0xFF) << 16) | (wall & 0xFF00) | ((wall >> 16) & 0xFF);
    std::printf("message: %s\nwall pixel on screen: %06X, expected %06X\n", w->MessageText.c_str(),
                seen & 0xFFFFFF, expected);
    if (seen != expected) return 4;
    if (argc < 3) return 0;

    SendMessageW(w->Handle, WM_COMMAND, IDM_CHECKS, 0);
    TChecksForm& checks = *w->ChecksForm();
    SetWindowPos(checks.Handle, HWND_TOP, 10, 10, 0, 0, SWP_NOSIZE);
    checks.FindClick();
    if (!test::PumpUntil([&] { return !checks.Searching(); }, 300000)) return 5;
    SetForegroundWindow(checks.Handle);
    test::Pump(700);
    RECT box;
    const std::vector<std::uint32_t> shown = ScreenPixels(checks.Handle, box);
    std::printf("search: %s\n", checks.Text(checks.SearchStatus).c_str());
    return WriteRgbPng(argv[2], shown, box.right - box.left, box.bottom - box.top) ? 0 : 6;
}
