// Building blocks of the texture generator: BMP encoding, which way up a
// painted picture lands in the file, the Windows icon file, normal-map
// signs, noise and lettering.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "tools/make_textures/bmp_file.h"
#include "tools/make_textures/canvas.h"
#include "tools/make_textures/glyphs.h"
#include "tools/make_textures/ico_file.h"
#include "tools/make_textures/normal_map.h"

namespace {

std::uint32_t Read32(const std::vector<std::uint8_t> &b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 |
         std::uint32_t(b[at + 3]) << 24;
}
std::uint16_t Read16(const std::vector<std::uint8_t> &b, std::size_t at) {
  return std::uint16_t(b[at] | b[at + 1] << 8);
}

TEST(BmpEncoding, HeadersDescribeAnUncompressed24BitFile) {
  const Canvas canvas = MakeCanvas(3, 2, Grey(0.5f));
  const std::vector<std::uint8_t> bytes = EncodeBmp(canvas);
  ASSERT_EQ(bytes.size(), 54u + 2 * 12); // 9-byte rows padded to 12
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'M');
  EXPECT_EQ(Read32(bytes, 2), bytes.size());
  EXPECT_EQ(Read32(bytes, 10), 54u);
  EXPECT_EQ(Read32(bytes, 14), 40u);
  EXPECT_EQ(Read32(bytes, 18), 3u);
  EXPECT_EQ(Read32(bytes, 22), 2u); // positive: bottom row first
  EXPECT_EQ(Read16(bytes, 26), 1);
  EXPECT_EQ(Read16(bytes, 28), 24);
  EXPECT_EQ(Read32(bytes, 30), 0u);
  EXPECT_EQ(Read32(bytes, 34), 24u);
}

TEST(BmpEncoding, BottomRowComesFirstInBlueGreenRedOrderWithZeroPadding) {
  Canvas canvas = MakeCanvas(3, 2, Grey(0));
  canvas.at(0, 0) = Rgb8(255, 0, 0);  // top left
  canvas.at(0, 1) = Rgb8(10, 20, 30); // bottom left
  canvas.at(2, 1) = Rgb8(1, 2, 3);    // bottom right
  const std::vector<std::uint8_t> bytes = EncodeBmp(canvas);
  const std::uint8_t *bottom = bytes.data() + 54;
  EXPECT_EQ(bottom[0], 30);
  EXPECT_EQ(bottom[1], 20);
  EXPECT_EQ(bottom[2], 10);
  EXPECT_EQ(bottom[6], 3);
  EXPECT_EQ(bottom[8], 1);
  for (int i = 9; i < 12; ++i)
    EXPECT_EQ(bottom[i], 0) << "padding byte " << i;
  const std::uint8_t *top = bytes.data() + 54 + 12;
  EXPECT_EQ(top[0], 0);
  EXPECT_EQ(top[2], 255);
}

// Windows finds each size through the directory; 256 is written as 0 there.
TEST(IcoEncoding, DirectoryPointsAtEachSizesOpaqueBitmapAndMask) {
  Canvas small = MakeCanvas(16, 16, Grey(0));
  small.at(0, 15) = Rgb8(10, 20, 30); // bottom left
  const std::vector<std::uint8_t> bytes =
      EncodeIco({small, MakeCanvas(256, 256, Grey(1))});
  EXPECT_EQ(Read16(bytes, 0), 0);
  EXPECT_EQ(Read16(bytes, 2), 1); // an icon, not a cursor
  ASSERT_EQ(Read16(bytes, 4), 2);
  const std::size_t smallSize = 40 + 16 * 16 * 4 + 4 * 16;
  const std::size_t largeSize = 40 + 256 * 256 * 4 + 32 * 256;
  ASSERT_EQ(bytes.size(), 6 + 2 * 16 + smallSize + largeSize);
  EXPECT_EQ(bytes[6], 16);
  EXPECT_EQ(Read16(bytes, 6 + 6), 32);
  EXPECT_EQ(Read32(bytes, 6 + 8), smallSize);
  EXPECT_EQ(Read32(bytes, 6 + 12), 38u);
  EXPECT_EQ(bytes[22], 0);
  EXPECT_EQ(bytes[23], 0);
  EXPECT_EQ(Read32(bytes, 22 + 8), largeSize);
  EXPECT_EQ(Read32(bytes, 22 + 12), 38u + smallSize);
  // The bitmap header counts the colour rows and the mask's together.
  EXPECT_EQ(Read32(bytes, 38), 40u);
  EXPECT_EQ(Read32(bytes, 38 + 8), 32u);
  EXPECT_EQ(Read16(bytes, 38 + 14), 32);
  const std::uint8_t *bottomLeft = bytes.data() + 38 + 40;
  EXPECT_EQ(bottomLeft[0], 30);
  EXPECT_EQ(bottomLeft[1], 20);
  EXPECT_EQ(bottomLeft[2], 10);
  EXPECT_EQ(bottomLeft[3], 255);
  const std::size_t mask = 38 + 40 + 16 * 16 * 4;
  for (std::size_t i = mask; i < 38 + smallSize; ++i)
    ASSERT_EQ(bytes[i], 0) << "mask byte " << i - mask;
}

TEST(BmpEncoding, ChannelValuesRoundAndClamp) {
  EXPECT_EQ(ToByte(0.0f), 0);
  EXPECT_EQ(ToByte(1.0f), 255);
  EXPECT_EQ(ToByte(0.5f), 128); // 127.5 rounds up: a flat normal is 128
  EXPECT_EQ(ToByte(-0.3f), 0);
  EXPECT_EQ(ToByte(1.7f), 255);
  EXPECT_EQ(ToByte(std::nanf("")), 0);
}

TEST(Painting, TextureCoordinateTGrowsTowardTheTopRow) {
  Canvas canvas = MakeCanvas(4, 4, Grey(0));
  Paint(canvas, 2, [](float s, float t) { return Rgb{s, t, 0}; });
  EXPECT_GT(canvas.at(0, 0).g, 0.8f); // top row: t near 1
  EXPECT_LT(canvas.at(0, 3).g, 0.2f); // bottom row: t near 0
  EXPECT_LT(canvas.at(0, 0).r, 0.2f); // left column: s near 0
  EXPECT_GT(canvas.at(3, 0).r, 0.8f);
  // In the file the bottom row, t near 0, comes first: texture row t = 0.
  const std::vector<std::uint8_t> bytes = EncodeBmp(canvas);
  EXPECT_LT(bytes[54 + 1], 50);
  EXPECT_GT(bytes[54 + 3 * 12 + 1], 200);
}

TEST(Painting, EachPixelIsTheMeanOfItsSubsamples) {
  Canvas canvas = MakeCanvas(2, 1, Grey(0));
  // Half of the 4 x 4 samples of the left pixel fall left of s = 0.25.
  Paint(canvas, 4,
        [](float s, float) { return Grey(s < 0.25f ? 1.0f : 0.0f); });
  EXPECT_FLOAT_EQ(canvas.at(0, 0).r, 0.5f);
  EXPECT_FLOAT_EQ(canvas.at(1, 0).r, 0.0f);
}

TEST(NormalMaps, FlatHeightGivesStraightUpNormals) {
  const HeightField field =
      SampleHeights(8, 8, 1, [](float, float) { return 0.7f; });
  const std::vector<std::uint8_t> bytes =
      EncodeBmp(NormalMapFromHeights(field, 5.0f, true, false));
  for (std::size_t i = 54; i < bytes.size(); i += 3) {
    ASSERT_EQ(bytes[i], 255) << i;     // blue: out of the surface
    ASSERT_EQ(bytes[i + 1], 128) << i; // green
    ASSERT_EQ(bytes[i + 2], 128) << i; // red
  }
}

TEST(NormalMaps, SlopesTiltNormalsAwayFromRisingHeight) {
  // Rising toward +s: the surface faces -s, so red drops below the middle.
  const HeightField alongS =
      SampleHeights(16, 16, 1, [](float s, float) { return s; });
  const Canvas tiltS = NormalMapFromHeights(alongS, 8.0f, false, false);
  EXPECT_LT(tiltS.at(8, 8).r, 0.45f);
  EXPECT_NEAR(tiltS.at(8, 8).g, 0.5f, 1e-5f);
  // Rising toward +t (up the picture): green drops below the middle.
  const HeightField alongT =
      SampleHeights(16, 16, 1, [](float, float t) { return t; });
  const Canvas tiltT = NormalMapFromHeights(alongT, 8.0f, false, false);
  EXPECT_LT(tiltT.at(8, 8).g, 0.45f);
  EXPECT_NEAR(tiltT.at(8, 8).r, 0.5f, 1e-5f);
  // A clamped edge measures the same slope as the middle.
  EXPECT_NEAR(tiltS.at(0, 8).r, tiltS.at(8, 8).r, 1e-4f);
  EXPECT_NEAR(tiltT.at(8, 0).g, tiltT.at(8, 8).g, 1e-4f);
}

TEST(NormalMaps, NormalsHaveUnitLength) {
  const HeightField field = SampleHeights(32, 32, 2, [](float s, float t) {
    return std::sin(s * 20.0f) * std::cos(t * 13.0f);
  });
  const Canvas map = NormalMapFromHeights(field, 6.0f, true, true);
  for (const Rgb &p : map.pixels) {
    const float x = 2 * p.r - 1, y = 2 * p.g - 1, z = 2 * p.b - 1;
    ASSERT_NEAR(x * x + y * y + z * z, 1.0f, 1e-4f);
    ASSERT_GT(z, 0.0f);
  }
}

TEST(Randomness, SameSeedSameSequenceOtherSeedOtherSequence) {
  Rng a(42), b(42), c(43);
  int differ = 0;
  for (int i = 0; i < 100; ++i) {
    const std::uint64_t va = a.next();
    ASSERT_EQ(va, b.next());
    differ += va != c.next();
  }
  EXPECT_GT(differ, 95);
  Rng r(7);
  for (int i = 0; i < 1000; ++i) {
    const float u = r.uniform();
    ASSERT_GE(u, 0.0f);
    ASSERT_LT(u, 1.0f);
    const int k = r.below(5);
    ASSERT_GE(k, 0);
    ASSERT_LT(k, 5);
  }
}

TEST(Randomness, PeriodicNoiseRepeatsSoWrappedTexturesHaveNoSeam) {
  for (float x = 0.0f; x < 8.0f; x += 0.37f) {
    for (float y = 0.0f; y < 3.0f; y += 0.41f) {
      ASSERT_NEAR(ValueNoise(9, x, y, 8, 0), ValueNoise(9, x + 8, y, 8, 0),
                  1e-5f);
      // Octaves scale x in float, so allow rounding.
      ASSERT_NEAR(Fbm(9, x, y, 4, 8, 0), Fbm(9, x + 8, y, 4, 8, 0), 1e-5f);
    }
  }
  // Without a period the lattice does not repeat there.
  EXPECT_NE(ValueNoise(9, 0.5f, 0.5f), ValueNoise(9, 8.5f, 0.5f));
}

TEST(Lettering, StrokesCoverSetCellsAndMissEmptyOnes) {
  EXPECT_EQ(TextCells("GAME"), 23);
  EXPECT_EQ(TextCells(""), 0);
  // 'E': the top row is full; row 1 has only its first cell set.
  for (int x = 0; x < 5; ++x)
    EXPECT_LT(TextDistance("E", x + 0.5f, 0.5f), 0.5f) << x;
  EXPECT_LT(TextDistance("E", 0.5f, 1.5f), 0.5f);
  for (int x = 1; x < 5; ++x)
    EXPECT_GT(TextDistance("E", x + 0.5f, 1.5f), 0.5f) << x;
  // The second letter starts six cells to the right.
  EXPECT_LT(TextDistance("EL", 6.5f, 3.5f), 0.5f);
  EXPECT_GT(TextDistance("EL", 8.5f, 3.5f), 0.5f);
  // A space or an unknown character draws nothing.
  EXPECT_GT(TextDistance(" ~", 2.5f, 3.5f), 2.0f);
  EXPECT_GT(TextDistance(" ~", 8.5f, 3.5f), 2.0f);
}

TEST(Lettering, DiagonalStrokesJoinWithoutFillingCorners) {
  // 'V' ends in a diagonal: its bottom cell joins the two above it.
  EXPECT_LT(TextDistance("V", 2.0f, 6.0f), 0.3f); // between (1,5) and (2,6)
  // 'L' has no diagonal: the inside of its corner stays empty.
  EXPECT_GT(TextDistance("L", 1.5f, 5.5f), 0.5f);
}

} // namespace
