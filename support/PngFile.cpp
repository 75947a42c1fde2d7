// PNG output through zlib alone, the same code on every platform: 8 bits a channel, RGB, no
// interlace, filter type 0 (None) on every row, one IDAT chunk compressed at zlib's level 9.
// The colours are the bitmap's 0x00BBGGRR values split into their channels unchanged. With the
// same zlib the file is the same byte for byte wherever it is written.
#include "support/PngFile.h"

#include "support/FileWrite.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <vector>

namespace verrask {

namespace {

void PutBigEndian32(std::vector<unsigned char>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>(v >> shift));
}

// Appends one chunk: length, type, data, CRC-32 over type and data.
void PutChunk(std::vector<unsigned char>& out, const char (&type)[5], const unsigned char* data,
              std::size_t size) {
    PutBigEndian32(out, static_cast<std::uint32_t>(size));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data, data + size);
    const uLong crc = crc32(0L, out.data() + typeAt, static_cast<uInt>(size + 4));
    PutBigEndian32(out, static_cast<std::uint32_t>(crc));
}

std::string WriteEncoded(const std::filesystem::path& path, const std::vector<unsigned char>& png) {
    return WriteWholeFile(path,
                          std::string_view(reinterpret_cast<const char*>(png.data()), png.size()));
}

} // namespace

std::string EncodePng(int width, int height, const unsigned char* rgb,
                      std::vector<unsigned char>& png) {
    png.clear();
    if (width <= 0 || height <= 0) return "the picture is empty";

    // Raw scan lines: a filter byte (0) and the RGB triples of each row.
    const std::size_t lineBytes = 3 * static_cast<std::size_t>(width);
    const std::size_t rowBytes = 1 + lineBytes;
    std::vector<unsigned char> raw(rowBytes * static_cast<std::size_t>(height));
    for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
        unsigned char* out = raw.data() + rowBytes * y;
        *out++ = 0;
        std::copy_n(rgb + lineBytes * y, lineBytes, out);
    }
    // One compress2 call takes the whole picture: its size must fit zlib's 32-bit lengths.
    if (raw.size() > std::numeric_limits<uInt>::max() / 2) return "the picture is too large";
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<unsigned char> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9) !=
        Z_OK)
        return "out of memory";

    png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<unsigned char> header;
    PutBigEndian32(header, static_cast<std::uint32_t>(width));
    PutBigEndian32(header, static_cast<std::uint32_t>(height));
    // Bit depth 8, colour type 2 (RGB), deflate, adaptive filtering, no interlace.
    header.insert(header.end(), {8, 2, 0, 0, 0});
    PutChunk(png, "IHDR", header.data(), header.size());
    PutChunk(png, "IDAT", packed.data(), packedSize);
    PutChunk(png, "IEND", nullptr, 0);
    return "";
}

std::string EncodePng(const sheetpile::TBitmap& bitmap, std::vector<unsigned char>& png) {
    const int width = bitmap.Width(), height = bitmap.Height();
    std::vector<unsigned char> rgb;
    rgb.reserve(3 * static_cast<std::size_t>(std::max(width, 0)) *
                static_cast<std::size_t>(std::max(height, 0)));
    for (int y = 0; y < height; ++y) {
        const sheetpile::TColor* pixels = bitmap.Row(y);
        for (int x = 0; x < width; ++x) {
            rgb.push_back(static_cast<unsigned char>(sheetpile::RedOf(pixels[x])));
            rgb.push_back(static_cast<unsigned char>(sheetpile::GreenOf(pixels[x])));
            rgb.push_back(static_cast<unsigned char>(sheetpile::BlueOf(pixels[x])));
        }
    }
    return EncodePng(width, height, rgb.data(), png);
}

std::string WritePng(const std::filesystem::path& path, const sheetpile::TBitmap& bitmap) {
    std::vector<unsigned char> png;
    if (std::string error = EncodePng(bitmap, png); !error.empty()) return error;
    return WriteEncoded(path, png);
}

std::string WritePng(const std::filesystem::path& path, int width, int height,
                     const unsigned char* rgb) {
    std::vector<unsigned char> png;
    if (std::string error = EncodePng(width, height, rgb, png); !error.empty()) return error;
    return WriteEncoded(path, png);
}

} // namespace verrask
