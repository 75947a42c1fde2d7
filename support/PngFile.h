// Writes a bitmap, or any picture given as RGB bytes, as an 8-bit RGB PNG file, pixel for pixel
// (no scaling, exact colours).
#pragma once

#include "sheetpile/Canvas.h"

#include <filesystem>
#include <string>
#include <vector>

namespace verrask {

// The PNG file's bytes in `png`. Returns "" on success, else what failed (`png` is then empty).
std::string EncodePng(const sheetpile::TBitmap& bitmap, std::vector<unsigned char>& png);

// The same from `width` x `height` pixels of three bytes (red, green, blue), row by row from the
// top; `rgb` holds 3 x width x height bytes.
std::string EncodePng(int width, int height, const unsigned char* rgb,
                      std::vector<unsigned char>& png);

// Writes the file through the program's one writer (support/FileWrite.h): whole or not at all.
// Returns "" on success, else what failed. An empty bitmap cannot be written.
std::string WritePng(const std::filesystem::path& path, const sheetpile::TBitmap& bitmap);
std::string WritePng(const std::filesystem::path& path, int width, int height,
                     const unsigned char* rgb);

} // namespace verrask
