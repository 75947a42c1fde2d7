// PNG output: the file decodes (with zlib alone) to the bitmap's exact pixels, its chunks carry
// valid CRCs, and unwritable targets are reported.
#include "support/PngFile.h"

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using sheetpile::TBitmap;

std::uint32_t BigEndian32(const unsigned char* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

std::vector<unsigned char> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(PngFile, DecodesToTheExactPixelsWithValidChunks) {
    TBitmap bitmap;
    bitmap.SetSize(5, 3);
    // Every channel different in every pixel, so that a swapped channel or row shows.
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            bitmap.SetPixel(x, y, sheetpile::RGBColor(10 * x + 1, 50 + y, 200 - x - 7 * y));
    const std::string path = ::testing::TempDir() + "verrask_png_test.png";
    ASSERT_EQ(verrask::WritePng(path, bitmap), "");
    const std::vector<unsigned char> png = ReadFile(path);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(std::vector<unsigned char>(png.begin(), png.begin() + 8),
              (std::vector<unsigned char>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));

    std::vector<unsigned char> idat;
    std::vector<std::string> types;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t size = BigEndian32(&png[at]);
        ASSERT_LE(at + 12 + size, png.size());
        const unsigned char* type = &png[at + 4];
        types.emplace_back(type, type + 4);
        EXPECT_EQ(crc32(0L, type, size + 4), BigEndian32(type + 4 + size)) << types.back();
        if (types.back() == "IHDR") {
            EXPECT_EQ(BigEndian32(type + 4), 5u);
            EXPECT_EQ(BigEndian32(type + 8), 3u);
            EXPECT_EQ(type[12], 8); // bits a channel
            EXPECT_EQ(type[13], 2); // RGB
        }
        if (types.back() == "IDAT") idat.insert(idat.end(), type + 4, type + 4 + size);
        at += 12 + size;
    }
    EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));

    std::vector<unsigned char> raw(3 * (1 + 5 * 3));
    uLongf rawSize = static_cast<uLongf>(raw.size());
    ASSERT_EQ(uncompress(raw.data(), &rawSize, idat.data(), static_cast<uLong>(idat.size())), Z_OK);
    ASSERT_EQ(rawSize, raw.size());
    for (int y = 0; y < 3; ++y) {
        const unsigned char* row = &raw[static_cast<std::size_t>(y) * 16];
        EXPECT_EQ(row[0], 0); // filter None
        for (int x = 0; x < 5; ++x) {
            const auto c = bitmap.Row(y)[x];
            EXPECT_EQ(row[1 + 3 * x], sheetpile::RedOf(c));
            EXPECT_EQ(row[2 + 3 * x], sheetpile::GreenOf(c));
            EXPECT_EQ(row[3 + 3 * x], sheetpile::BlueOf(c));
        }
    }
}

TEST(PngFile, ReportsEmptyPicturesAndUnwritablePaths) {
    TBitmap bitmap;
    EXPECT_EQ(verrask::WritePng(::testing::TempDir() + "verrask_empty.png", bitmap),
              "the picture is empty");
    bitmap.SetSize(2, 2);
    const std::string missing = ::testing::TempDir() + "no/such/dir/x.png";
    EXPECT_EQ(verrask::WritePng(missing, bitmap),
              "cannot write " + missing + ": No such file or directory");
}

} // namespace
