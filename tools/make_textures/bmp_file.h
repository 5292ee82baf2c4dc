// Encoding of a canvas as an uncompressed 24-bit BMP file, and file output.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/make_textures/canvas.h"

// Channel value 0..1 to a byte, rounded to nearest, clamped.
std::uint8_t ToByte(float v);

// "BM" file header (pixel data at byte 54), 40-byte info header, 24 bits per
// pixel, no compression, bottom row first, rows padded to 4 bytes.
std::vector<std::uint8_t> EncodeBmp(const Canvas &canvas);

bool WriteFileBytes(const std::string &path,
                    const std::vector<std::uint8_t> &bytes);
bool ReadFileBytes(const std::string &path, std::vector<std::uint8_t> &bytes);
