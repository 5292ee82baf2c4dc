// The DIB decoder: header normalisation and every pixel encoding of the
// format (1, 4, 8, 16, 24, 32 bits; RLE8, RLE4; bit fields), into RGB rows.
// Every offset and size is checked against the input length in 64 bits
// before it is used, so no input can make it read or write out of bounds.
#include "image/dib_decode.h"

#include <cstdlib>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <tmmintrin.h>
#endif

namespace {

constexpr std::uint64_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint64_t kMaskBytes = 12;

std::uint16_t Read16(const unsigned char *p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t Read32(const unsigned char *p) {
  return static_cast<std::uint32_t>(p[0]) |
         (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) |
         (static_cast<std::uint32_t>(p[3]) << 24);
}

// True when [offset, offset + size) lies inside the data.
bool Holds(std::size_t length, std::uint64_t offset, std::uint64_t size) {
  return offset <= length && size <= length - offset;
}

struct Rgb {
  unsigned char r, g, b;
};

// 256 entries whatever the table holds: an index the file's table does not
// cover comes out black rather than reading past the table.
struct Palette {
  Rgb entries[256];
};

void ReadPalette(const unsigned char *data, const DibHeader &header,
                 Palette *palette) {
  std::memset(palette, 0, sizeof(*palette));
  std::uint32_t used = header.colorCount < 256 ? header.colorCount : 256;
  const unsigned char *p = data + header.paletteOffset;
  for (std::uint32_t i = 0; i < used; ++i, p += header.paletteEntry)
    palette->entries[i] = Rgb{p[2], p[1], p[0]};
}

// One channel of a bit-field pixel: the masked bits scaled to 0..255.
struct Channel {
  std::uint32_t mask = 0;
  unsigned shift = 0;
  std::uint64_t max = 0;

  explicit Channel(std::uint32_t m) : mask(m) {
    if (mask == 0)
      return;
    while (((mask >> shift) & 1u) == 0)
      ++shift;
    max = mask >> shift;
  }
  unsigned char Scale(std::uint32_t pixel) const {
    if (max == 0)
      return 0;
    std::uint64_t value = (pixel & mask) >> shift;
    return static_cast<unsigned char>((value * 255 + max / 2) / max);
  }
};

// Four pixels at a time through 32-bit words: BGRB GRBG RBGR -> RGBR GBRG
// BRGB; the rest one by one. Returns the pixels done.
std::int32_t SwapRow24Words(const unsigned char *src, unsigned char *dst,
                            std::int32_t x, std::int32_t width) {
  for (; x + 4 <= width; x += 4) {
    const unsigned char *s = src + 3 * x;
    unsigned char *d = dst + 3 * x;
    std::uint32_t w0, w1, w2;
    std::memcpy(&w0, s, 4);
    std::memcpy(&w1, s + 4, 4);
    std::memcpy(&w2, s + 8, 4);
    // Little-endian: w0 = b0 g0 r0 b1, w1 = g1 r1 b2 g2, w2 = r2 b3 g3 r3.
    std::uint32_t o0 = ((w0 >> 16) & 0xFFu) | (w0 & 0xFF00u) |
                       ((w0 & 0xFFu) << 16) | ((w1 >> 8) << 24);
    std::uint32_t o1 = (w1 & 0xFFu) | ((w0 >> 24) << 8) | (w2 & 0xFFu) << 16 |
                       ((w1 >> 24) << 24);
    std::uint32_t o2 = ((w1 >> 16) & 0xFFu) | ((w2 >> 24) << 8) |
                       (w2 & 0xFF0000u) | ((w2 >> 8) & 0xFFu) << 24;
    std::memcpy(d, &o0, 4);
    std::memcpy(d + 4, &o1, 4);
    std::memcpy(d + 8, &o2, 4);
  }
  for (; x < width; ++x) {
    dst[3 * x] = src[3 * x + 2];
    dst[3 * x + 1] = src[3 * x + 1];
    dst[3 * x + 2] = src[3 * x];
  }
  return x;
}

#if defined(__x86_64__) || defined(__i386__)
// Five pixels per 16-byte shuffle. Loads and stores stay inside the row:
// a step starts only while six pixels (18 bytes) remain.
__attribute__((target("ssse3"))) void SwapRow24Ssse3(const unsigned char *src,
                                                     unsigned char *dst,
                                                     std::int32_t width) {
  const __m128i order =
      _mm_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 14, 13, 12, 15);
  std::int32_t x = 0;
  for (; x + 6 <= width; x += 5) {
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(src + 3 * x));
    _mm_storeu_si128(reinterpret_cast<__m128i *>(dst + 3 * x),
                     _mm_shuffle_epi8(v, order));
  }
  SwapRow24Words(src, dst, x, width);
}

bool HaveSsse3() {
  static const bool have = __builtin_cpu_supports("ssse3");
  return have;
}
#endif

void DecodeRow24(const unsigned char *src, unsigned char *dst,
                 std::int32_t width) {
#if defined(__x86_64__) || defined(__i386__)
  if (HaveSsse3())
    return SwapRow24Ssse3(src, dst, width);
#endif
  SwapRow24Words(src, dst, 0, width);
}

void DecodeRow32(const unsigned char *src, unsigned char *dst,
                 std::int32_t width) {
  for (std::int32_t x = 0; x < width; ++x, src += 4, dst += 3) {
    dst[0] = src[2];
    dst[1] = src[1];
    dst[2] = src[0];
  }
}

void DecodeRowMasked(const unsigned char *src, unsigned char *dst,
                     std::int32_t width, unsigned bytesPerPixel,
                     const Channel (&channels)[3]) {
  for (std::int32_t x = 0; x < width; ++x, src += bytesPerPixel, dst += 3) {
    std::uint32_t pixel = bytesPerPixel == 2 ? Read16(src) : Read32(src);
    dst[0] = channels[0].Scale(pixel);
    dst[1] = channels[1].Scale(pixel);
    dst[2] = channels[2].Scale(pixel);
  }
}

void DecodeRowIndexed(const unsigned char *src, unsigned char *dst,
                      std::int32_t width, unsigned bits,
                      const Palette &palette) {
  const unsigned perByte = 8 / bits;
  const unsigned valueMask = (1u << bits) - 1;
  for (std::int32_t x = 0; x < width; ++x, dst += 3) {
    unsigned slot = static_cast<unsigned>(x) % perByte;
    unsigned shift = 8 - bits * (slot + 1);
    unsigned index =
        (src[static_cast<unsigned>(x) / perByte] >> shift) & valueMask;
    const Rgb &c = palette.entries[index];
    dst[0] = c.r;
    dst[1] = c.g;
    dst[2] = c.b;
  }
}

// Where decoded file row `row` (0 = first in the file) goes in the output,
// which is always bottom row first.
struct Target {
  unsigned char *pixels;
  std::int32_t width;
  std::uint64_t rows;
  bool topDown;

  unsigned char *Row(std::uint64_t row) const {
    std::uint64_t out = topDown ? rows - 1 - row : row;
    return pixels + out * static_cast<std::uint64_t>(width) * 3;
  }
};

// Run-length data: runs, absolute runs and the escapes end-of-line,
// end-of-bitmap and delta. Runs past the row's end are dropped, rows past
// the image's end stop the decoding, and pixels nobody sets stay black.
void DecodeRle(const unsigned char *p, const unsigned char *end, bool fourBit,
               const Palette &palette, const Target &target) {
  std::uint64_t x = 0;
  std::uint64_t y = 0;
  const std::uint64_t width = static_cast<std::uint64_t>(target.width);
  auto put = [&](unsigned index) {
    if (x < width) {
      const Rgb &c = palette.entries[index];
      unsigned char *d = target.Row(y) + x * 3;
      d[0] = c.r;
      d[1] = c.g;
      d[2] = c.b;
    }
    ++x;
  };
  while (end - p >= 2 && y < target.rows) {
    unsigned count = p[0];
    unsigned value = p[1];
    p += 2;
    if (count > 0) {
      for (unsigned k = 0; k < count && x < width; ++k)
        put(fourBit ? ((k & 1) ? value & 15u : value >> 4) : value);
      continue;
    }
    if (value == 0) { // end of line
      x = 0;
      ++y;
    } else if (value == 1) { // end of bitmap
      return;
    } else if (value == 2) { // delta: right and up
      if (end - p < 2)
        return;
      x += p[0];
      y += p[1];
      p += 2;
    } else { // absolute run of `value` pixels, padded to a 16-bit boundary
      std::uint64_t bytes = fourBit ? (value + 1) / 2 : value;
      std::uint64_t avail = static_cast<std::uint64_t>(end - p);
      for (unsigned k = 0; k < value; ++k) {
        std::uint64_t byte = fourBit ? k / 2 : k;
        if (byte >= avail)
          break;
        unsigned v = p[byte];
        put(fourBit ? ((k & 1) ? v & 15u : v >> 4) : v);
      }
      std::uint64_t skip = bytes + (bytes & 1);
      p += skip < avail ? skip : avail;
    }
  }
}

bool ValidEncoding(const DibHeader &h) {
  switch (h.compression) {
  case kDibRgb:
    return h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8 ||
           h.bitCount == 16 || h.bitCount == 24 || h.bitCount == 32;
  case kDibRle8:
    return h.bitCount == 8;
  case kDibRle4:
    return h.bitCount == 4;
  case kDibBitFields:
    return h.bitCount == 16 || h.bitCount == 32;
  default:
    return false;
  }
}

} // namespace

std::uint32_t DibColorCount(std::uint32_t headerSize, std::uint16_t bitCount,
                            std::uint32_t colorsUsed) {
  if (headerSize != kCoreHeaderSize && colorsUsed != 0)
    return colorsUsed & 0xFFFFu;
  switch (bitCount) {
  case 1:
    return 2;
  case 4:
    return 16;
  case 8:
    return 256;
  default:
    return 0;
  }
}

DibFailure ParseDibHeader(const unsigned char *data, std::size_t length,
                          DibHeader *header) {
  DibHeader h{};
  bool fileHeader = length >= 2 && data[0] == 'B' && data[1] == 'M';
  std::uint64_t pixelOffset = 0;
  if (fileHeader) {
    if (!Holds(length, 0, kFileHeaderSize))
      return DibFailure::kTruncated;
    pixelOffset = Read32(data + 10);
    h.headerOffset = kFileHeaderSize;
  }
  if (!Holds(length, h.headerOffset, 4))
    return DibFailure::kTruncated;
  const unsigned char *p = data + h.headerOffset;
  h.headerSize = Read32(p);
  if (h.headerSize == kCoreHeaderSize) {
    if (!Holds(length, h.headerOffset, kCoreHeaderSize))
      return DibFailure::kTruncated;
    h.width = Read16(p + 4);
    h.height = Read16(p + 6);
    h.planes = Read16(p + 8);
    h.bitCount = Read16(p + 10);
    h.compression = kDibRgb;
    h.colorCount = DibColorCount(h.headerSize, h.bitCount, 0);
    h.colorsUsed = h.colorCount;
    h.paletteEntry = 3;
    h.paletteOffset = h.headerOffset + kCoreHeaderSize;
  } else if (h.headerSize == kInfoHeaderSize) {
    if (!Holds(length, h.headerOffset, kInfoHeaderSize))
      return DibFailure::kTruncated;
    h.width = static_cast<std::int32_t>(Read32(p + 4));
    h.height = static_cast<std::int32_t>(Read32(p + 8));
    h.planes = Read16(p + 12);
    h.bitCount = Read16(p + 14);
    h.compression = Read32(p + 16);
    h.sizeImage = Read32(p + 20);
    h.colorsUsed = Read32(p + 32);
    h.colorCount = DibColorCount(h.headerSize, h.bitCount, h.colorsUsed);
    h.paletteEntry = 4;
    h.paletteOffset = h.headerOffset + kInfoHeaderSize;
    if (h.compression == kDibBitFields) {
      // The three masks sit where a colour table would start.
      if (!Holds(length, h.paletteOffset, kMaskBytes))
        return DibFailure::kTruncated;
      for (int i = 0; i < 3; ++i)
        h.masks[i] = Read32(data + h.paletteOffset + 4 * i);
      h.paletteOffset += kMaskBytes;
    }
  } else {
    return DibFailure::kUnknownFormat;
  }
  if (h.compression != kDibBitFields) {
    if (h.bitCount == 16) {
      h.masks[0] = 0x7C00u;
      h.masks[1] = 0x03E0u;
      h.masks[2] = 0x001Fu;
    } else if (h.bitCount == 32) {
      h.masks[0] = 0xFF0000u;
      h.masks[1] = 0x00FF00u;
      h.masks[2] = 0x0000FFu;
    }
  }
  if (h.sizeImage == 0) {
    // Unpadded size, as the format's own readers fill it in; kept to 32 bits.
    std::int64_t rowBytes =
        (static_cast<std::int64_t>(h.bitCount) * h.width + 7) / 8;
    std::int64_t rows = h.height < 0 ? -static_cast<std::int64_t>(h.height)
                                     : static_cast<std::int64_t>(h.height);
    const std::int64_t limit = 0xFFFFFFFFll;
    if (rowBytes <= 0 || rows == 0)
      h.sizeImage = 0;
    else if (rowBytes > limit / rows)
      h.sizeImage = 0xFFFFFFFFu;
    else
      h.sizeImage = static_cast<std::uint32_t>(rowBytes * rows);
  }
  if (h.colorsUsed == 0)
    h.colorsUsed = h.colorCount;
  h.pixelOffset =
      fileHeader ? pixelOffset
                 : h.paletteOffset + static_cast<std::uint64_t>(h.colorCount) *
                                         h.paletteEntry;
  *header = h;
  return DibFailure::kNone;
}

DibFailure DecodeDib(const unsigned char *data, std::size_t length,
                     ImageRecord **image) {
  *image = nullptr;
  DibHeader h;
  DibFailure failure = ParseDibHeader(data, length, &h);
  if (failure != DibFailure::kNone)
    return failure;

  const std::int64_t width = h.width;
  const std::int64_t height = h.height < 0 ? -std::int64_t{h.height} : h.height;
  if (width <= 0 || width > kDibMaxSide || height == 0 || height > kDibMaxSide)
    return DibFailure::kBadDimensions;
  if (!ValidEncoding(h))
    return DibFailure::kUnsupportedEncoding;

  const bool indexed = h.bitCount <= 8;
  if (indexed &&
      !Holds(length, h.paletteOffset,
             static_cast<std::uint64_t>(h.colorCount) * h.paletteEntry))
    return DibFailure::kTruncated;
  if (h.pixelOffset >= length)
    return DibFailure::kTruncated;

  const bool rle = h.compression == kDibRle8 || h.compression == kDibRle4;
  const std::uint64_t rowBits = static_cast<std::uint64_t>(width) * h.bitCount;
  const std::uint64_t stride = (rowBits + 31) / 32 * 4;
  if (!rle) {
    // The last row need not carry its padding; everything else must be there.
    std::uint64_t need =
        static_cast<std::uint64_t>(height - 1) * stride + (rowBits + 7) / 8;
    if (!Holds(length, h.pixelOffset, need))
      return DibFailure::kTruncated;
  }

  const std::uint64_t outBytes = static_cast<std::uint64_t>(width) *
                                 static_cast<std::uint64_t>(height) * 3;
  if (outBytes > SIZE_MAX)
    return DibFailure::kOutOfMemory;
  // RLE may leave pixels unset, and those must read as black.
  unsigned char *pixels = static_cast<unsigned char *>(
      rle ? std::calloc(static_cast<std::size_t>(outBytes), 1)
          : std::malloc(static_cast<std::size_t>(outBytes)));
  if (pixels == nullptr)
    return DibFailure::kOutOfMemory;
  ImageRecord *record =
      static_cast<ImageRecord *>(std::malloc(sizeof(ImageRecord)));
  if (record == nullptr) {
    std::free(pixels);
    return DibFailure::kOutOfMemory;
  }

  Palette palette;
  if (indexed)
    ReadPalette(data, h, &palette);
  const Target target{pixels, h.width, static_cast<std::uint64_t>(height),
                      h.height < 0};
  const unsigned char *src = data + h.pixelOffset;
  const std::int32_t w = h.width;

  if (rle) {
    DecodeRle(src, data + length, h.compression == kDibRle4, palette, target);
  } else if (h.bitCount == 24) {
    for (std::uint64_t row = 0; row < target.rows; ++row, src += stride)
      DecodeRow24(src, target.Row(row), w);
  } else if (h.bitCount == 32 && h.compression == kDibRgb) {
    for (std::uint64_t row = 0; row < target.rows; ++row, src += stride)
      DecodeRow32(src, target.Row(row), w);
  } else if (h.bitCount == 16 || h.bitCount == 32) {
    const Channel channels[3] = {Channel(h.masks[0]), Channel(h.masks[1]),
                                 Channel(h.masks[2])};
    for (std::uint64_t row = 0; row < target.rows; ++row, src += stride)
      DecodeRowMasked(src, target.Row(row), w, h.bitCount / 8u, channels);
  } else {
    for (std::uint64_t row = 0; row < target.rows; ++row, src += stride)
      DecodeRowIndexed(src, target.Row(row), w, h.bitCount, palette);
  }

  record->width = h.width;
  record->height = static_cast<std::int32_t>(height);
  record->pixels = pixels;
  *image = record;
  return DibFailure::kNone;
}
