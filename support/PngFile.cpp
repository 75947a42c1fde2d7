// PNG output through libpng: 8 bits a channel, RGB, no interlace; the colours are the bitmap's
// 0x00BBGGRR values split into their channels unchanged.
#include "support/PngFile.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace verrask {

namespace {

struct TFileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

std::string WritePng(const std::string& path, const sheetpile::TBitmap& bitmap) {
    const int width = bitmap.Width(), height = bitmap.Height();
    if (width <= 0 || height <= 0) return "the picture is empty";
    std::unique_ptr<std::FILE, TFileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) return "cannot open " + path;

    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        png_destroy_write_struct(&png, nullptr);
        return "out of memory";
    }
    std::vector<png_byte> row(static_cast<std::size_t>(width) * 3);
    // libpng reports errors by longjmp; nothing with a destructor is created after this point.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return "cannot write " + path;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        const sheetpile::TColor* pixels = bitmap.Row(y);
        for (int x = 0; x < width; ++x) {
            const auto c = pixels[x];
            row[3 * static_cast<std::size_t>(x)] = static_cast<png_byte>(sheetpile::RedOf(c));
            row[3 * static_cast<std::size_t>(x) + 1] = static_cast<png_byte>(sheetpile::GreenOf(c));
            row[3 * static_cast<std::size_t>(x) + 2] = static_cast<png_byte>(sheetpile::BlueOf(c));
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fflush(file.get()) != 0) return "cannot write " + path;
    return "";
}

} // namespace verrask
