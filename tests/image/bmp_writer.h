// Builds BMP files and packed DIBs in memory for the image tests: headers
// from a few fields, pixel rows packed and padded as the format wants.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace bmp_test {

using Bytes = std::vector<unsigned char>;

struct Rgb {
  unsigned char r, g, b;
};

struct BmpLayout {
  std::uint32_t headerSize = 40; // 12, 40, or anything else to test refusal
  std::int32_t width = 1;
  std::int32_t height = 1;
  std::uint16_t bitCount = 24;
  std::uint32_t compression = 0;
  std::uint32_t sizeImage = 0;
  std::uint32_t colorsUsed = 0;
  std::vector<Rgb> palette;         // written BGR (core) or BGR0 (info)
  std::vector<std::uint32_t> masks; // written after a 40-byte header
  bool fileHeader = true;
  bool overridePixelOffset = false;
  std::uint32_t pixelOffset = 0;
  Bytes pixels; // the pixel data exactly as it goes into the file
};

inline void Put16(Bytes *out, std::uint32_t v) {
  out->push_back(static_cast<unsigned char>(v));
  out->push_back(static_cast<unsigned char>(v >> 8));
}

inline void Put32(Bytes *out, std::uint32_t v) {
  Put16(out, v & 0xFFFFu);
  Put16(out, v >> 16);
}

inline void Set32(Bytes *out, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    (*out)[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

inline Bytes WriteBmp(const BmpLayout &layout) {
  Bytes out;
  if (layout.fileHeader) {
    out.push_back('B');
    out.push_back('M');
    Put32(&out, 0); // file size, patched below
    Put32(&out, 0); // reserved
    Put32(&out, 0); // pixel offset, patched below
  }
  Put32(&out, layout.headerSize);
  if (layout.headerSize == 12) {
    Put16(&out, static_cast<std::uint32_t>(layout.width));
    Put16(&out, static_cast<std::uint32_t>(layout.height));
    Put16(&out, 1);
    Put16(&out, layout.bitCount);
  } else {
    Put32(&out, static_cast<std::uint32_t>(layout.width));
    Put32(&out, static_cast<std::uint32_t>(layout.height));
    Put16(&out, 1);
    Put16(&out, layout.bitCount);
    Put32(&out, layout.compression);
    Put32(&out, layout.sizeImage);
    Put32(&out, 2835);
    Put32(&out, 2835);
    Put32(&out, layout.colorsUsed);
    Put32(&out, 0);
    // Later header versions: pad the header to its declared size.
    while (layout.headerSize > 40 &&
           out.size() < layout.headerSize + (layout.fileHeader ? 14u : 0u))
      out.push_back(0);
    for (std::uint32_t m : layout.masks)
      Put32(&out, m);
  }
  for (const Rgb &c : layout.palette) {
    out.push_back(c.b);
    out.push_back(c.g);
    out.push_back(c.r);
    if (layout.headerSize != 12)
      out.push_back(0);
  }
  std::size_t offset = out.size();
  out.insert(out.end(), layout.pixels.begin(), layout.pixels.end());
  if (layout.fileHeader) {
    Set32(&out, 2, static_cast<std::uint32_t>(out.size()));
    Set32(&out, 10,
          layout.overridePixelOffset ? layout.pixelOffset
                                     : static_cast<std::uint32_t>(offset));
  }
  return out;
}

// Rows in file order of per-pixel values: 0xRRGGBB for 24 and 32 bits, the
// raw 16-bit word for 16 bits, palette indices for 1, 4 and 8 bits. Each row
// is padded to a multiple of 4 bytes.
inline Bytes PackRows(int bitCount,
                      const std::vector<std::vector<std::uint32_t>> &rows) {
  Bytes out;
  for (const auto &row : rows) {
    std::size_t start = out.size();
    if (bitCount >= 16) {
      for (std::uint32_t v : row) {
        if (bitCount == 16) {
          Put16(&out, v);
        } else {
          out.push_back(static_cast<unsigned char>(v));       // blue
          out.push_back(static_cast<unsigned char>(v >> 8));  // green
          out.push_back(static_cast<unsigned char>(v >> 16)); // red
          if (bitCount == 32)
            out.push_back(0xA5); // ignored fourth byte
        }
      }
    } else {
      unsigned perByte = 8u / bitCount;
      for (std::size_t x = 0; x < row.size(); ++x) {
        if (x % perByte == 0)
          out.push_back(0);
        unsigned shift = 8 - bitCount * (x % perByte + 1);
        out.back() = static_cast<unsigned char>(out.back() | (row[x] << shift));
      }
    }
    while ((out.size() - start) % 4 != 0)
      out.push_back(0);
  }
  return out;
}

// A 24-bit file of the given size, pixel (x, y) = (x * 7, y * 5, x + y),
// with y counted from the bottom row.
inline Bytes Gradient24(int width, int height, bool fileHeader = true) {
  std::vector<std::vector<std::uint32_t>> rows(height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      rows[y].push_back(((x * 7 & 0xFF) << 16) | ((y * 5 & 0xFF) << 8) |
                        ((x + y) & 0xFF));
  BmpLayout layout;
  layout.width = width;
  layout.height = height;
  layout.fileHeader = fileHeader;
  layout.pixels = PackRows(24, rows);
  return WriteBmp(layout);
}

inline std::vector<Rgb> GreyPalette(int entries) {
  std::vector<Rgb> palette;
  for (int i = 0; i < entries; ++i) {
    unsigned char v = static_cast<unsigned char>(i * 255 / (entries - 1));
    palette.push_back(Rgb{v, static_cast<unsigned char>(255 - v),
                          static_cast<unsigned char>(i)});
  }
  return palette;
}

} // namespace bmp_test
