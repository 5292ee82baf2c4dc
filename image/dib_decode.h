// The DIB (BMP) decoder proper: bytes and a length in, an RGB image record or
// the reason for refusing the input out. No files, no messages, no GL.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/dib.h"

enum class DibFailure {
  kNone,
  kOutOfMemory,        // a result block could not be allocated
  kUnknownFormat,      // DIB header size neither 12 nor 40
  kTruncated,          // a header, colour table or pixel run lies past the end
  kBadDimensions,      // width <= 0, height 0, or a side beyond kDibMaxSide
  kUnsupportedEncoding // bit depth / compression pair this decoder lacks
};

// Sides beyond this are refused before anything is allocated.
constexpr std::int64_t kDibMaxSide = 32768;

enum DibCompression : std::uint32_t {
  kDibRgb = 0,
  kDibRle8 = 1,
  kDibRle4 = 2,
  kDibBitFields = 3
};

// The header as the decoder understands it after normalisation: a core
// header widened to the info layout, the colour count, sizes filled in.
struct DibHeader {
  std::uint32_t headerSize; // as found in the file: 12 or 40
  std::int32_t width;
  std::int32_t height; // negative for a top-down file
  std::uint16_t planes;
  std::uint16_t bitCount;
  std::uint32_t compression;
  std::uint32_t sizeImage; // never 0 after normalisation (unless 0 pixels)
  std::uint32_t colorsUsed;
  std::uint32_t colorCount;   // entries in the colour table
  std::uint32_t paletteEntry; // bytes per colour entry: 3 or 4
  std::uint64_t headerOffset; // where the DIB header starts
  std::uint64_t paletteOffset;
  std::uint64_t pixelOffset; // where the pixel data starts
  std::uint32_t masks[3];    // red, green, blue (bit fields and 16/32 bits)
};

// Length of the colour table: from the bit depth for a core header, else
// colours-used when non-zero; kept to 16 bits as the format's users do.
std::uint32_t DibColorCount(std::uint32_t headerSize, std::uint16_t bitCount,
                            std::uint32_t colorsUsed);

// Locates and normalises the headers of a BMP file or packed DIB. Checks only
// that the headers themselves (and the bit-field masks) lie inside the data.
DibFailure ParseDibHeader(const unsigned char *data, std::size_t length,
                          DibHeader *header);

// Decodes a whole image. On success *image is a malloc'd record with
// malloc'd pixels (width x |height| RGB triples, bottom row first, rows
// unpadded, height positive); the caller frees pixels, then the record.
DibFailure DecodeDib(const unsigned char *data, std::size_t length,
                     ImageRecord **image);
