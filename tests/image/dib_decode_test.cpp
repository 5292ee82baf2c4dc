// The DIB decoder on files built in memory: every encoding, both header
// sizes, packed DIBs, header normalisation, and hostile inputs.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <vector>

#include "image/dib_decode.h"
#include "tests/image/bmp_writer.h"

using namespace bmp_test;

namespace {

struct Decoded {
  DibFailure failure = DibFailure::kNone;
  int width = 0;
  int height = 0;
  Bytes pixels;

  Rgb At(int x, int y) const { // y from the bottom row
    std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
    return Rgb{pixels[i], pixels[i + 1], pixels[i + 2]};
  }
};

// Decodes from a heap copy of exactly the file's size, so that ASan sees any
// read past the end.
Decoded Decode(const Bytes &file) {
  unsigned char *copy =
      static_cast<unsigned char *>(std::malloc(file.empty() ? 1 : file.size()));
  if (!file.empty())
    std::memcpy(copy, file.data(), file.size());
  ImageRecord *image = nullptr;
  Decoded result;
  result.failure = DecodeDib(copy, file.size(), &image);
  std::free(copy);
  if (result.failure == DibFailure::kNone) {
    EXPECT_NE(image, nullptr);
    result.width = image->width;
    result.height = image->height;
    result.pixels.assign(
        image->pixels, image->pixels + static_cast<std::size_t>(image->width) *
                                           image->height * 3);
    std::free(image->pixels);
    std::free(image);
  } else {
    EXPECT_EQ(image, nullptr);
  }
  return result;
}

::testing::AssertionResult SameRgb(const Rgb &actual, const Rgb &expected) {
  if (actual.r == expected.r && actual.g == expected.g &&
      actual.b == expected.b)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "got (" << int(actual.r) << ", " << int(actual.g) << ", "
         << int(actual.b) << "), want (" << int(expected.r) << ", "
         << int(expected.g) << ", " << int(expected.b) << ")";
}

BmpLayout Indexed(int bitCount, int width, int height,
                  const std::vector<std::vector<std::uint32_t>> &rows) {
  BmpLayout layout;
  layout.width = width;
  layout.height = height;
  layout.bitCount = static_cast<std::uint16_t>(bitCount);
  layout.palette = GreyPalette(1 << bitCount);
  layout.pixels = PackRows(bitCount, rows);
  return layout;
}

} // namespace

// ---- Uncompressed encodings -------------------------------------------------

TEST(DibDecodeUncompressed, TwentyFourBitsSwapsToRgbBottomRowFirst) {
  BmpLayout layout;
  layout.width = 2;
  layout.height = 2;
  layout.pixels = PackRows(24, {{0x102030, 0x405060}, {0x708090, 0xA0B0C0}});
  Decoded d = Decode(WriteBmp(layout));
  ASSERT_EQ(d.failure, DibFailure::kNone);
  EXPECT_EQ(d.width, 2);
  EXPECT_EQ(d.height, 2);
  EXPECT_EQ(d.pixels, (Bytes{0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x80,
                             0x90, 0xA0, 0xB0, 0xC0}));
}

TEST(DibDecodeUncompressed, WidthThreeRowsArePackedNineBytesApart) {
  // File rows are 12 bytes (9 + 3 padding); the record's are 9.
  BmpLayout layout;
  layout.width = 3;
  layout.height = 2;
  layout.pixels = PackRows(
      24, {{0x010203, 0x040506, 0x070809}, {0x0A0B0C, 0x0D0E0F, 0x101112}});
  ASSERT_EQ(layout.pixels.size(), 24u);
  Decoded d = Decode(WriteBmp(layout));
  ASSERT_EQ(d.failure, DibFailure::kNone);
  ASSERT_EQ(d.pixels.size(), 18u);
  for (int i = 0; i < 18; ++i)
    EXPECT_EQ(d.pixels[i], i + 1) << "byte " << i;
}

TEST(DibDecodeUncompressed, FirstThreeBytesAreTheBottomLeftPixel) {
  Decoded d = Decode(Gradient24(5, 4));
  ASSERT_EQ(d.failure, DibFailure::kNone);
  EXPECT_TRUE(SameRgb(d.At(0, 0), Rgb{0, 0, 0}));
  EXPECT_TRUE(SameRgb(d.At(4, 3), Rgb{28, 15, 7}));
  EXPECT_TRUE(SameRgb(d.At(2, 1), Rgb{14, 5, 3}));
}

TEST(DibDecodeUncompressed, WideRowsMatchPixelByPixelReference) {
  // Crosses the four-pixel fast path and its tail for several widths.
  for (int width : {1, 2, 3, 4, 5, 7, 8, 9, 13, 64, 67}) {
    Decoded d = Decode(Gradient24(width, 3));
    ASSERT_EQ(d.failure, DibFailure::kNone) << width;
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < width; ++x)
        ASSERT_TRUE(SameRgb(d.At(x, y), Rgb{static_cast<unsigned char>(x * 7),
                                            static_cast<unsigned char>(y * 5),
                                            static_cast<unsigned char>(x + y)}))
            << "width " << width << " at " << x << "," << y;
  }
}

TEST(DibDecodeUncompressed, ThirtyTwoBitsIgnoresTheFourthByte) {
  BmpLayout layout;
  layout.width = 3;
  layout.height = 1;
  layout.bitCount = 32;
  layout.pixels = PackRows(32, {{0xFF0000, 0x00FF00, 0x123456}});
  Decoded d = Decode(WriteBmp(layout));
  ASSERT_EQ(d.failure, DibFailure::kNone);
  EXPECT_EQ(d.pixels, (Bytes{255, 0, 0, 0, 255, 0, 0x12, 0x34, 0x56}));
}

TEST(DibDecodeUncompressed, SixteenBitsAreFiveBitsPerChannel) {
  BmpLayout layout;
  layout.width = 5;
  layout.height = 1;
  layout.bitCount = 16;
  // Red, green, blue at full scale; a mid value; the unused top bit set.
  layout.pixels = PackRows(16, {{0x7C00, 0x03E0, 0x001F, 0x4210, 0x8000}});
  Decoded d = Decode(WriteBmp(layout));
  ASSERT_EQ(d.failure, DibFailure::kNone);
  EXPECT_TRUE(SameRgb(d.At(0, 0), Rgb{255, 0, 0}));
  EXPECT_TRUE(SameRgb(d.At(1, 0), Rgb{0, 255, 0}));
  EXPECT_TRUE(SameRgb(d.At(2, 0), Rgb{0, 0, 255}));
  EXPECT_TRUE(SameRgb(d.At(3, 0), Rgb{132, 132, 132}));
  EXPECT_TRUE(SameRgb(d.At(4, 0), Rgb{0, 0, 0}));
}

TEST(DibDecodeUncompressed, EightBitsGoThroughThePalette) {
  BmpLayout layout = Indexed(8, 3, 2, {{0, 255, 128}, {1, 2, 3}});
  Decoded d = Decode(WriteBmp(layout));
  ASSERT_EQ(d.failure, DibFailure::kNone);
  EXPECT_TRUE(SameRgb(d.At(0, 0), layout.palette[0]));
  EXPECT_TRUE(SameRgb(d.At(1, 0), layout.palette[255]));
  EXPECT_TRUE(SameRgb(d.At(2, 0), layout.palette[128]));
  EXPECT_TRUE(SameRgb(d.At(2, 1), layout.palette[3]));
}

TEST(DibDecodeUncompressed, FourBitsHighNibbleFirstWithOddWidth) {
  BmpLayout layout = Indexed(4, 3, 2, {{15, 1, 7}, {2, 0, 9}});
  Decoded d = Decode(WriteBmp(layout));
  ASSERT_EQ(d.failure, DibFailure::kNone);
  EXPECT_TRUE(SameRgb(d.At(0, 0), layout.palette[15]));
  EXPECT_TRUE(SameRgb(d.At(1, 0), layout.palette[1]));
  EXPECT_TRUE(SameRgb(d.At(2, 0), layout.palette[7]));
  EXPECT_TRUE(SameRgb(d.At(0, 1), layout.palette[2]));
  EXPECT_TRUE(SameRgb(d.At(2, 1), layout.palette[9]));
}

TEST(DibDecodeUncompressed, OneBitMostSignificantBitFirstAcrossBytes) {
  std::vector<std::uint32_t> row = {1, 0, 0, 1, 1, 0, 1, 0, 1, 1};
  BmpLayout layout = Indexed(1, 10, 1, {row});
  layout.palette = {Rgb{10, 20, 30}, Rgb{200, 210, 220}};
  Decoded d = Decode(WriteBmp(layout));
  ASSERT_EQ(d.failure, DibFailure::kNone);
  for (int x = 0; x < 10; ++x)
    EXPECT_TRUE(SameRgb(d.At(x, 0), layout.palette[row[x]])) << x;
}

TEST(DibDecodeUncompressed, NegativeHeightIsDeliveredBottomRowFirst) {
  BmpLayout layout;
  layout.width = 1;
  layout.height = -3;
  // Top-down: the first row in the file is the top of the picture.
  layout.pixels = PackRows(24, {{0x0000FF}, {0x00FF00}, {0xFF0000}});
  Decoded d = Decode(WriteBmp(layout));
  ASSERT_EQ(d.failure, DibFailure::kNone);
  EXPECT_EQ(d.height, 3);
  EXPECT_TRUE(SameRgb(d.At(0, 0), Rgb{255, 0, 0}));
  EXPECT_TRUE(SameRgb(d.At(0, 1), Rgb{0, 255, 0}));
  EXPECT_TRUE(SameRgb(d.At(0, 2), Rgb{0, 0, 255}));
}

TEST(DibDecodeUncompressed, LastRowMayOmitItsPadding) {
  Bytes file = Gradient24(3, 2);
  file.resize(file.size() - 3);
  EXPECT_EQ(Decode(file).failure, DibFailure::kNone);
}

// ---- Bit fields
// --------------------------------------------------------------

TEST(DibDecodeBitFields, SixteenBitsFiveSixFive) {
  BmpLayout layout;
  layout.width = 4;
  layout.height = 1;
  layout.bitCount = 16;
  layout.compression = 3;
  layout.masks = {0xF800, 0x07E0, 0x001F};
  layout.pixels = PackRows(16, {{0xF800, 0x07E0, 0x001F, 0x0400}});
  Decoded d = Decode(WriteBmp(layout));
  ASSERT_EQ(d.failure, DibFailure::kNone);
  EXPECT_TRUE(SameRgb(d.At(0, 0), Rgb{255, 0, 0}));
  EXPECT_TRUE(SameRgb(d.At(1, 0), Rgb{0, 255, 0}));
  EXPECT_TRUE(SameRgb(d.At(2, 0), Rgb{0, 0, 255}));
  EXPECT_TRUE(SameRgb(d.At(3, 0), Rgb{0, 130, 0})); // 32 of 63
}

TEST(DibDecodeBitFields, ThirtyTwoBitsWithReorderedMasks) {
  BmpLayout layout;
  layout.width = 1;
  layout.height = 1;
  layout.bitCount = 32;
  layout.compression = 3;
  layout.masks = {0x000000FF, 0x0000FF00, 0xFF000000}; // R low, B high
  Put32(&layout.pixels, 0x40AA0011);
  Decoded d = Decode(WriteBmp(layout));
  ASSERT_EQ(d.failure, DibFailure::kNone);
  EXPECT_TRUE(SameRgb(d.At(0, 0), Rgb{0x11, 0x00, 0x40}));
}

TEST(DibDecodeBitFields, PackedDibPixelsFollowTheMasks) {
  BmpLayout layout;
  layout.fileHeader = false;
  layout.width = 1;
  layout.height = 1;
  layout.bitCount = 16;
  layout.compression = 3;
  layout.masks = {0x7C00, 0x03E0, 0x001F};
  layout.pixels = PackRows(16, {{0x03E0}});
  Decoded d = Decode(WriteBmp(layout));
  ASSERT_EQ(d.failure, DibFailure::kNone);
  EXPECT_TRUE(SameRgb(d.At(0, 0), Rgb{0, 255, 0}));
}

TEST(DibDecodeBitFields, ZeroMaskGivesZeroChannel) {
  BmpLayout layout;
  layout.bitCount = 32;
  layout.compression = 3;
  layout.masks = {0, 0x0000FF00, 0x000000FF};
  Put32(&layout.pixels, 0xFFFFFFFF);
  Decoded d = Decode(WriteBmp(layout));
  ASSERT_EQ(d.failure, DibFailure::kNone);
  EXPECT_TRUE(SameRgb(d.At(0, 0), Rgb{0, 255, 255}));
}

TEST(DibDecodeBitFields, MissingMasksAreRefused) {
  BmpLayout layout;
  layout.bitCount = 16;
  layout.compression = 3;
  layout.masks = {0x7C00}; // only one of three
  EXPECT_EQ(Decode(WriteBmp(layout)).failure, DibFailure::kTruncated);
}

// ---- Run-length encodings --------------------------------------------------

TEST(DibDecodeRle, Rle8RunsAbsoluteEndOfLineDeltaAndEnd) {
  BmpLayout layout = Indexed(8, 6, 4, {});
  layout.compression = 1;
  layout.pixels = {
      3, 10,             // row 0: three pixels of index 10
      0, 3,  1, 2, 3, 0, // absolute run of 3, padded to even
      0, 0,              // end of line
      0, 2,  2, 1,       // delta: right 2, up 1 (to row 2, x 2)
      2, 20,             // row 2, x 2..3
      0, 1,              // end of bitmap
      9, 99              // never read as pixels
  };
  Decoded d = Decode(WriteBmp(layout));
  ASSERT_EQ(d.failure, DibFailure::kNone);
  const auto &p = layout.palette;
  EXPECT_TRUE(SameRgb(d.At(0, 0), p[10]));
  EXPECT_TRUE(SameRgb(d.At(2, 0), p[10]));
  EXPECT_TRUE(SameRgb(d.At(3, 0), p[1]));
  EXPECT_TRUE(SameRgb(d.At(5, 0), p[3]));
  for (int x = 0; x < 6; ++x)
    EXPECT_TRUE(SameRgb(d.At(x, 1), Rgb{0, 0, 0})) << "row 1 unset: " << x;
  EXPECT_TRUE(SameRgb(d.At(1, 2), Rgb{0, 0, 0}));
  EXPECT_TRUE(SameRgb(d.At(2, 2), p[20]));
  EXPECT_TRUE(SameRgb(d.At(3, 2), p[20]));
  EXPECT_TRUE(SameRgb(d.At(4, 2), Rgb{0, 0, 0}));
  for (int x = 0; x < 6; ++x)
    EXPECT_TRUE(SameRgb(d.At(x, 3), Rgb{0, 0, 0}));
}

TEST(DibDecodeRle, Rle4AlternatesNibblesAndPadsAbsoluteRuns) {
  BmpLayout layout = Indexed(4, 7, 2, {});
  layout.compression = 2;
  layout.pixels = {
      5, 0x1F,                         // 1 F 1 F 1
      0, 3,    0x23, 0x40,             // absolute 2 3 4; 2 bytes, already even
      0, 0,                            // end of line
      0, 5,    0x56, 0x78, 0x90, 0x00, // absolute 5 6 7 8 9; 3 bytes + pad
      2, 0xAB,                         // A B
      0, 1};
  Decoded d = Decode(WriteBmp(layout));
  ASSERT_EQ(d.failure, DibFailure::kNone);
  const auto &p = layout.palette;
  int row0[] = {1, 15, 1, 15, 1, 2, 3};
  for (int x = 0; x < 7; ++x)
    EXPECT_TRUE(SameRgb(d.At(x, 0), p[row0[x]])) << x;
  int row1[] = {5, 6, 7, 8, 9, 10, 11};
  for (int x = 0; x < 7; ++x)
    EXPECT_TRUE(SameRgb(d.At(x, 1), p[row1[x]])) << x;
}

TEST(DibDecodeRle, RunsPastTheRowEndAreDropped) {
  BmpLayout layout = Indexed(8, 4, 2, {});
  layout.compression = 1;
  layout.pixels = {255, 7, 0, 0, 0, 200};
  for (int i = 0; i < 200; ++i)
    layout.pixels.push_back(9);
  Decoded d = Decode(WriteBmp(layout));
  ASSERT_EQ(d.failure, DibFailure::kNone);
  for (int x = 0; x < 4; ++x) {
    EXPECT_TRUE(SameRgb(d.At(x, 0), layout.palette[7]));
    EXPECT_TRUE(SameRgb(d.At(x, 1), layout.palette[9]));
  }
}

TEST(DibDecodeRle, DeltaAndLinesPastTheImageStopDecoding) {
  BmpLayout layout = Indexed(8, 2, 2, {});
  layout.compression = 1;
  layout.pixels = {0, 2, 255, 255, 2, 5, 0, 0, 0, 0, 0, 0, 2, 6, 0, 1};
  Decoded d = Decode(WriteBmp(layout));
  ASSERT_EQ(d.failure, DibFailure::kNone);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x)
      EXPECT_TRUE(SameRgb(d.At(x, y), Rgb{0, 0, 0}));
}

TEST(DibDecodeRle, DataEndingEarlyLeavesTheRestBlack) {
  for (Bytes tail : {Bytes{2, 4, 0}, Bytes{2, 4, 0, 2, 1}, Bytes{2, 4, 0, 9, 4},
                     Bytes{2, 4, 0, 9, 4, 4, 4, 4}}) {
    BmpLayout layout = Indexed(8, 3, 2, {});
    layout.compression = 1;
    layout.pixels = tail;
    Decoded d = Decode(WriteBmp(layout));
    ASSERT_EQ(d.failure, DibFailure::kNone);
    EXPECT_TRUE(SameRgb(d.At(0, 0), layout.palette[4]));
    EXPECT_TRUE(SameRgb(d.At(1, 0), layout.palette[4]));
    EXPECT_TRUE(SameRgb(d.At(0, 1), Rgb{0, 0, 0}));
  }
}

TEST(DibDecodeRle, TopDownRunLengthImageIsFlipped) {
  BmpLayout layout = Indexed(8, 1, -2, {});
  layout.compression = 1;
  layout.pixels = {1, 50, 0, 0, 1, 60, 0, 1}; // first row read is the top
  Decoded d = Decode(WriteBmp(layout));
  ASSERT_EQ(d.failure, DibFailure::kNone);
  EXPECT_EQ(d.height, 2);
  EXPECT_TRUE(SameRgb(d.At(0, 0), layout.palette[60]));
  EXPECT_TRUE(SameRgb(d.At(0, 1), layout.palette[50]));
}

// ---- Headers and colour tables
// ------------------------------------------------

TEST(DibDecodeHeaders, CoreHeaderEightBitPackedPixelsAt12Plus768) {
  BmpLayout layout = Indexed(8, 2, 1, {{200, 17}});
  layout.headerSize = 12;
  layout.fileHeader = false;
  Bytes file = WriteBmp(layout);
  ASSERT_EQ(file.size(), 12u + 768u + 4u);
  DibHeader header;
  ASSERT_EQ(ParseDibHeader(file.data(), file.size(), &header),
            DibFailure::kNone);
  EXPECT_EQ(header.pixelOffset, 12u + 768u);
  EXPECT_EQ(header.colorCount, 256u);
  EXPECT_EQ(header.colorsUsed, 256u);
  Decoded d = Decode(file);
  ASSERT_EQ(d.failure, DibFailure::kNone);
  EXPECT_TRUE(SameRgb(d.At(0, 0), layout.palette[200]));
  EXPECT_TRUE(SameRgb(d.At(1, 0), layout.palette[17]));
}

TEST(DibDecodeHeaders, CoreHeaderWithFileHeaderTwentyFourBits) {
  BmpLayout layout;
  layout.headerSize = 12;
  layout.width = 2;
  layout.height = 1;
  layout.pixels = PackRows(24, {{0xABCDEF, 0x010203}});
  Decoded d = Decode(WriteBmp(layout));
  ASSERT_EQ(d.failure, DibFailure::kNone);
  EXPECT_EQ(d.pixels, (Bytes{0xAB, 0xCD, 0xEF, 1, 2, 3}));
}

TEST(DibDecodeHeaders, PackedInfoHeaderEightBitPixelsAt40Plus1024) {
  BmpLayout layout = Indexed(8, 1, 1, {{99}});
  layout.fileHeader = false;
  Bytes file = WriteBmp(layout);
  DibHeader header;
  ASSERT_EQ(ParseDibHeader(file.data(), file.size(), &header),
            DibFailure::kNone);
  EXPECT_EQ(header.pixelOffset, 40u + 1024u);
  Decoded d = Decode(file);
  ASSERT_EQ(d.failure, DibFailure::kNone);
  EXPECT_TRUE(SameRgb(d.At(0, 0), layout.palette[99]));
}

TEST(DibDecodeHeaders, ColoursUsedSixteenGivesSixteenEntryTable) {
  BmpLayout layout = Indexed(8, 3, 1, {{15, 3, 20}});
  layout.palette.resize(16);
  layout.colorsUsed = 16;
  layout.fileHeader = false;
  Bytes file = WriteBmp(layout);
  DibHeader header;
  ASSERT_EQ(ParseDibHeader(file.data(), file.size(), &header),
            DibFailure::kNone);
  EXPECT_EQ(header.colorCount, 16u);
  EXPECT_EQ(header.pixelOffset, 40u + 64u);
  Decoded d = Decode(file);
  ASSERT_EQ(d.failure, DibFailure::kNone);
  EXPECT_TRUE(SameRgb(d.At(0, 0), layout.palette[15]));
  EXPECT_TRUE(SameRgb(d.At(1, 0), layout.palette[3]));
  // An index the table does not hold is black, not a read past the table.
  EXPECT_TRUE(SameRgb(d.At(2, 0), Rgb{0, 0, 0}));
}

TEST(DibDecodeHeaders, FileHeaderOffsetIsHonoured) {
  BmpLayout layout;
  layout.pixels = {0, 0, 0, 0, 0x11, 0x22, 0x33, 0};
  layout.overridePixelOffset = true;
  layout.pixelOffset = 14 + 40 + 4;
  Decoded d = Decode(WriteBmp(layout));
  ASSERT_EQ(d.failure, DibFailure::kNone);
  EXPECT_TRUE(SameRgb(d.At(0, 0), Rgb{0x33, 0x22, 0x11}));
}

TEST(DibDecodeHeaders, LaterHeaderVersionsAreUnknown) {
  for (std::uint32_t size : {108u, 124u, 64u, 16u, 0u}) {
    BmpLayout layout;
    layout.headerSize = size;
    layout.pixels = {1, 2, 3, 0};
    EXPECT_EQ(Decode(WriteBmp(layout)).failure, DibFailure::kUnknownFormat)
        << size;
  }
}

TEST(DibDecodeHeaders, ColourCountRules) {
  EXPECT_EQ(DibColorCount(12, 1, 0), 2u);
  EXPECT_EQ(DibColorCount(12, 4, 0), 16u);
  EXPECT_EQ(DibColorCount(12, 8, 0), 256u);
  EXPECT_EQ(DibColorCount(12, 24, 0), 0u);
  EXPECT_EQ(DibColorCount(12, 8, 5), 256u); // core headers have no such field
  EXPECT_EQ(DibColorCount(40, 8, 0), 256u);
  EXPECT_EQ(DibColorCount(40, 8, 16), 16u);
  EXPECT_EQ(DibColorCount(40, 24, 3), 3u);
  EXPECT_EQ(DibColorCount(40, 16, 0), 0u);
  EXPECT_EQ(DibColorCount(40, 8, 65536), 0u); // 16-bit count
  EXPECT_EQ(DibColorCount(40, 8, 65537), 1u);
}

TEST(DibDecodeHeaders, ImageSizeZeroIsUnpaddedSize) {
  BmpLayout layout;
  layout.width = 3;
  layout.height = 2;
  layout.bitCount = 4;
  layout.palette = GreyPalette(16);
  layout.pixels = PackRows(4, {{1, 2, 3}, {4, 5, 6}});
  Bytes file = WriteBmp(layout);
  DibHeader header;
  ASSERT_EQ(ParseDibHeader(file.data(), file.size(), &header),
            DibFailure::kNone);
  EXPECT_EQ(header.sizeImage, 4u); // (4 * 3 + 7) / 8 = 2 bytes, 2 rows
  EXPECT_EQ(header.colorsUsed, 16u);

  layout.sizeImage = 1234;
  file = WriteBmp(layout);
  ASSERT_EQ(ParseDibHeader(file.data(), file.size(), &header),
            DibFailure::kNone);
  EXPECT_EQ(header.sizeImage, 1234u);
}

TEST(DibDecodeHeaders, LargeColoursUsedTruncatesToSixteenBits) {
  // 65536 + 2 entries claimed: the table is two entries long.
  BmpLayout layout = Indexed(1, 2, 1, {{1, 0}});
  layout.colorsUsed = 65538;
  layout.fileHeader = false;
  layout.palette = {Rgb{1, 2, 3}, Rgb{4, 5, 6}};
  Decoded d = Decode(WriteBmp(layout));
  ASSERT_EQ(d.failure, DibFailure::kNone);
  EXPECT_TRUE(SameRgb(d.At(0, 0), Rgb{4, 5, 6}));
}

// ---- Hostile input -------------------------------------------------------

TEST(DibDecodeHostile, EmptyAndOneByteInputs) {
  EXPECT_EQ(Decode(Bytes{}).failure, DibFailure::kTruncated);
  EXPECT_EQ(Decode(Bytes{'B'}).failure, DibFailure::kTruncated);
  EXPECT_EQ(Decode(Bytes{'B', 'M'}).failure, DibFailure::kTruncated);
  EXPECT_EQ(Decode(Bytes{40, 0, 0}).failure, DibFailure::kTruncated);
}

TEST(DibDecodeHostile, TruncatedHeaders) {
  Bytes file = Gradient24(2, 2);
  for (std::size_t cut : {10u, 13u, 14u, 17u, 18u, 30u, 53u}) {
    Bytes part(file.begin(), file.begin() + cut);
    EXPECT_EQ(Decode(part).failure, DibFailure::kTruncated) << cut;
  }
  BmpLayout core;
  core.headerSize = 12;
  Bytes coreFile = WriteBmp(core);
  coreFile.resize(14 + 11);
  EXPECT_EQ(Decode(coreFile).failure, DibFailure::kTruncated);
}

TEST(DibDecodeHostile, TruncatedColourTable) {
  BmpLayout layout = Indexed(8, 1, 1, {{1}});
  Bytes file = WriteBmp(layout);
  file.resize(14 + 40 + 500); // the table needs 1024 bytes
  EXPECT_EQ(Decode(file).failure, DibFailure::kTruncated);
}

TEST(DibDecodeHostile, PixelOffsetPastTheEnd) {
  for (std::uint32_t offset : {62u, 63u, 1000u, 0xFFFFFFFFu}) {
    BmpLayout layout;
    layout.pixels = {1, 2, 3, 0};
    layout.overridePixelOffset = true;
    layout.pixelOffset = offset;
    EXPECT_EQ(Decode(WriteBmp(layout)).failure, DibFailure::kTruncated)
        << offset;
  }
}

TEST(DibDecodeHostile, PixelDataOneByteShort) {
  Bytes file = Gradient24(3, 2);
  file.resize(file.size() - 4); // last row's padding and one pixel byte
  EXPECT_EQ(Decode(file).failure, DibFailure::kTruncated);
}

TEST(DibDecodeHostile, DimensionsOutOfRange) {
  struct Case {
    std::int32_t width, height;
    DibFailure want;
  } cases[] = {{0, 1, DibFailure::kBadDimensions},
               {-1, 1, DibFailure::kBadDimensions},
               {1, 0, DibFailure::kBadDimensions},
               {32769, 1, DibFailure::kBadDimensions},
               {1, 32769, DibFailure::kBadDimensions},
               {1, -32769, DibFailure::kBadDimensions},
               {INT_MAX, INT_MAX, DibFailure::kBadDimensions},
               {INT_MIN, 1, DibFailure::kBadDimensions},
               {1, INT_MIN, DibFailure::kBadDimensions},
               // In range but far more than the file holds: refused before
               // anything of 3 GB is allocated.
               {32768, 32768, DibFailure::kTruncated},
               {32768, -32768, DibFailure::kTruncated}};
  for (const Case &c : cases) {
    BmpLayout layout;
    layout.width = c.width;
    layout.height = c.height;
    layout.pixels = {1, 2, 3, 0};
    EXPECT_EQ(Decode(WriteBmp(layout)).failure, c.want)
        << c.width << " x " << c.height;
  }
}

TEST(DibDecodeHostile, LargestSideIsAccepted) {
  Decoded d = Decode(Gradient24(32768, 1));
  ASSERT_EQ(d.failure, DibFailure::kNone);
  EXPECT_EQ(d.width, 32768);
}

TEST(DibDecodeHostile, UnsupportedEncodings) {
  struct Case {
    std::uint16_t bitCount;
    std::uint32_t compression;
  } cases[] = {{2, 0},  {0, 0}, {24, 1}, {8, 2},  {4, 1},
               {24, 3}, {8, 3}, {24, 4}, {24, 5}, {24, 99}};
  for (const Case &c : cases) {
    BmpLayout layout;
    layout.bitCount = c.bitCount;
    layout.compression = c.compression;
    layout.masks = c.compression == 3 ? std::vector<std::uint32_t>{1, 2, 4}
                                      : std::vector<std::uint32_t>{};
    layout.pixels.assign(64, 0);
    EXPECT_EQ(Decode(WriteBmp(layout)).failure,
              DibFailure::kUnsupportedEncoding)
        << c.bitCount << "/" << c.compression;
  }
}

TEST(DibDecodeHostile, RleAbsoluteRunLongerThanTheData) {
  for (std::uint16_t bits : {4, 8}) {
    BmpLayout layout = Indexed(bits, 200, 1, {});
    layout.compression = bits == 8 ? 1 : 2;
    layout.pixels = {0, 250, 1, 2, 3};
    Decoded d = Decode(WriteBmp(layout));
    ASSERT_EQ(d.failure, DibFailure::kNone);
    EXPECT_TRUE(SameRgb(d.At(199, 0), Rgb{0, 0, 0}));
  }
}

// Every prefix and many single-byte corruptions of valid files of each
// encoding: whatever the outcome, nothing is read or written out of bounds
// (ASan checks), and a success has sane dimensions.
TEST(DibDecodeHostile, PrefixesAndCorruptionsOfValidFiles) {
  std::vector<Bytes> files;
  files.push_back(Gradient24(5, 3));
  files.push_back(Gradient24(3, 2, false));
  files.push_back(
      WriteBmp(Indexed(8, 5, 2, {{1, 2, 3, 4, 5}, {6, 7, 8, 9, 0}})));
  files.push_back(WriteBmp(Indexed(4, 3, 2, {{1, 2, 3}, {4, 5, 6}})));
  files.push_back(WriteBmp(Indexed(1, 9, 1, {{1, 0, 1, 0, 1, 0, 1, 0, 1}})));
  BmpLayout rle = Indexed(8, 4, 3, {});
  rle.compression = 1;
  rle.pixels = {2, 5, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 1, 1, 1, 9, 0, 1};
  files.push_back(WriteBmp(rle));
  BmpLayout rle4 = Indexed(4, 5, 2, {});
  rle4.compression = 2;
  rle4.pixels = {3, 0x12, 0, 3, 0x45, 0x60, 0, 0, 5, 0x77, 0, 1};
  files.push_back(WriteBmp(rle4));
  BmpLayout fields;
  fields.width = 2;
  fields.bitCount = 16;
  fields.compression = 3;
  fields.masks = {0xF800, 0x07E0, 0x001F};
  fields.pixels = PackRows(16, {{0x1234, 0xFFFF}});
  files.push_back(WriteBmp(fields));
  int successes = 0;
  for (const Bytes &file : files) {
    ASSERT_EQ(Decode(file).failure, DibFailure::kNone);
    for (std::size_t cut = 0; cut < file.size(); ++cut) {
      Decoded d = Decode(Bytes(file.begin(), file.begin() + cut));
      if (d.failure == DibFailure::kNone)
        ++successes;
    }
    for (std::size_t at = 0; at < file.size(); ++at) {
      for (unsigned char value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
        Bytes bad = file;
        bad[at] = value;
        Decoded d = Decode(bad);
        if (d.failure == DibFailure::kNone) {
          ++successes;
          EXPECT_GT(d.width, 0);
          EXPECT_GT(d.height, 0);
          EXPECT_LE(d.width, kDibMaxSide);
          EXPECT_LE(d.height, kDibMaxSide);
        }
      }
    }
  }
  // RLE files decode from any prefix that keeps the headers.
  EXPECT_GT(successes, 0);
}
