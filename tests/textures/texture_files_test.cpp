// The committed textures under data/texture: the names the game opens, the
// format its loader reads, byte-equality with the generator (so the files
// are reproducible and never stale), and what the special pictures must
// hold: white, unit normals, light where the lamps stand, strong contrast.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tools/make_textures/bmp_file.h"
#include "tools/make_textures/textures.h"

namespace {

// What the game opens, in slot order.
// A decoded committed file: width, height, RGB rows bottom first.
struct Picture {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgb;

  const std::uint8_t *texel(int x, int rowFromBottom) const {
    return rgb.data() + 3 * (std::size_t(rowFromBottom) * width + x);
  }
  float luminance(int x, int row) const {
    const std::uint8_t *p = texel(x, row);
    return 0.3f * p[0] + 0.59f * p[1] + 0.11f * p[2];
  }
};

std::uint32_t Read32(const std::vector<std::uint8_t> &b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 |
         std::uint32_t(b[at + 3]) << 24;
}

bool IsPowerOfTwo(std::uint32_t v) {
  return v != 0 && (v & (v - 1)) == 0;
}

// Reads a committed file, checking the layout the generator promises.
Picture LoadCommitted(const std::string &name) {
  std::vector<std::uint8_t> bytes;
  Picture picture;
  const std::string path = "data/texture/" + name;
  EXPECT_TRUE(ReadFileBytes(path, bytes)) << path;
  if (bytes.size() < 54) {
    ADD_FAILURE() << path << " is shorter than its headers";
    return picture;
  }
  const std::uint32_t width = Read32(bytes, 18), height = Read32(bytes, 22);
  const std::size_t stride = (std::size_t(width) * 3 + 3) & ~std::size_t(3);
  if (bytes[0] != 'B' || bytes[1] != 'M' || Read32(bytes, 10) != 54 ||
      Read32(bytes, 14) != 40 || bytes[28] != 24 || Read32(bytes, 30) != 0 ||
      width > 4096 || height > 4096 || bytes.size() != 54 + stride * height) {
    ADD_FAILURE() << path << " is not a plain 24-bit BMP";
    return picture;
  }
  picture.width = int(width);
  picture.height = int(height);
  for (std::uint32_t row = 0; row < height; ++row) {
    const std::uint8_t *src = bytes.data() + 54 + stride * row;
    for (std::uint32_t x = 0; x < width; ++x) {
      picture.rgb.push_back(src[3 * x + 2]);
      picture.rgb.push_back(src[3 * x + 1]);
      picture.rgb.push_back(src[3 * x]);
    }
  }
  return picture;
}

TEST(TextureSet, DrawsEveryFileTheGameOpensInSlotOrder) {
  ASSERT_EQ(kTextureCount, static_cast<std::size_t>(kTextureFileCount));
  for (std::size_t i = 0; i < kTextureCount; ++i) {
    EXPECT_EQ(kTextureSet[i].slot, kTextureFiles[i].slot) << i;
    EXPECT_EQ(std::string("data/texture/") + kTextureSet[i].FileName(),
              kTextureFiles[i].fileName);
  }
}

TEST(CommittedFiles, AreExactlyWhatTheGeneratorDraws) {
  for (std::size_t i = 0; i < kTextureCount; ++i) {
    const std::string path =
        std::string("data/texture/") + kTextureSet[i].FileName();
    std::vector<std::uint8_t> committed;
    ASSERT_TRUE(ReadFileBytes(path, committed)) << path;
    EXPECT_TRUE(committed == EncodeBmp(kTextureSet[i].make()))
        << path << " differs from the generator's output; run make textures";
  }
}

TEST(CommittedFiles, HavePowerOfTwoSidesAndModestSize) {
  for (std::size_t i = 0; i < kTextureCount; ++i) {
    const char *name = kTextureSet[i].FileName();
    const Picture picture = LoadCommitted(name);
    EXPECT_TRUE(IsPowerOfTwo(std::uint32_t(picture.width))) << name;
    EXPECT_TRUE(IsPowerOfTwo(std::uint32_t(picture.height))) << name;
    EXPECT_LE(picture.width, 256) << name;
    EXPECT_LE(picture.height, 256) << name;
  }
}

TEST(CommittedFiles, DrawingTwiceGivesTheSameBytes) {
  // Cheap ones only: the full set is compared with the files above.
  for (Canvas (*make)() : {MakeFloorLightMap, MakeGameOver, MakeBlank})
    EXPECT_TRUE(EncodeBmp(make()) == EncodeBmp(make()));
}

TEST(Blank, IsWhiteEverywhere) {
  const Picture blank = LoadCommitted("blank.bmp");
  ASSERT_FALSE(blank.rgb.empty());
  for (std::uint8_t v : blank.rgb)
    ASSERT_EQ(v, 255);
}

TEST(BumpMaps, HoldOutwardUnitNormalsAndRealRelief) {
  for (const char *name : {"roofbump.bmp", "pillarbump.bmp"}) {
    const Picture map = LoadCommitted(name);
    ASSERT_FALSE(map.rgb.empty()) << name;
    int tilted = 0;
    for (std::size_t i = 0; i < map.rgb.size(); i += 3) {
      const float x = map.rgb[i] / 127.5f - 1, y = map.rgb[i + 1] / 127.5f - 1,
                  z = map.rgb[i + 2] / 127.5f - 1;
      const float length = std::sqrt(x * x + y * y + z * z);
      ASSERT_NEAR(length, 1.0f, 0.02f) << name << " texel " << i / 3;
      ASSERT_GT(z, 0.0f) << name;
      tilted += z < 0.9f; // more than about 25 degrees off flat
    }
    const std::size_t texels = map.rgb.size() / 3;
    EXPECT_GT(tilted, int(texels / 50)) << name << ": hardly any relief";
    EXPECT_LT(tilted, int(texels / 2)) << name << ": no flat faces";
  }
}

TEST(BumpMaps, PillarTextureAndNormalsWrapWithoutASeam) {
  // The pillar picture goes once around a cylinder: its first and last
  // columns meet, so they must differ no more than neighbouring columns do.
  for (const char *name : {"pillar.bmp", "pillarbump.bmp"}) {
    const Picture p = LoadCommitted(name);
    ASSERT_FALSE(p.rgb.empty()) << name;
    auto columnGap = [&](int a, int b) {
      double sum = 0;
      for (int row = 0; row < p.height; ++row)
        for (int c = 0; c < 3; ++c)
          sum += std::abs(int(p.texel(a, row)[c]) - int(p.texel(b, row)[c]));
      return sum / (3.0 * p.height);
    };
    double typical = 0;
    for (int x = 1; x < p.width; ++x)
      typical += columnGap(x - 1, x);
    typical /= p.width - 1;
    EXPECT_LT(columnGap(p.width - 1, 0), 3.0 * typical + 2.0) << name;
  }
}

// The floor quad maps x -4..11 to s 0..1 and z 11..-4 to t 0..1; the first
// row of the file is t = 0.
struct FloorTexel {
  int x, row;
};
FloorTexel AtWorld(const Picture &p, float x, float z) {
  const float s = (x + 4.0f) / 15.0f, t = (11.0f - z) / 15.0f;
  return {std::min(p.width - 1, int(s * p.width)),
          std::min(p.height - 1, int(t * p.height))};
}

TEST(FloorLightMap, IsBrightUnderEachLampPostAndDarkAwayFromThem) {
  const Picture map = LoadCommitted("floorLM.bmp");
  ASSERT_FALSE(map.rgb.empty());
  const float posts[6][2] = {{9, -1.2f}, {3.5f, -1.2f}, {9, 2},
                             {5, 1.2f},  {5.5f, 5},     {9, 8}};
  const FloorTexel dark = AtWorld(map, 0.0f, 9.0f); // open floor, no lamp
  const float background = map.luminance(dark.x, dark.row);
  EXPECT_LT(background, 90.0f);
  for (const auto &post : posts) {
    const FloorTexel under = AtWorld(map, post[0], post[1]);
    EXPECT_GT(map.luminance(under.x, under.row), 200.0f)
        << "post at " << post[0] << ", " << post[1];
    // Brightest at the post itself (where light saturates, at least as
    // bright), falling off outward, away from the room and other lamps.
    for (float dx : {-0.8f, 0.8f}) {
      const FloorTexel beside = AtWorld(map, post[0] + dx, post[1] + dx);
      EXPECT_GE(map.luminance(under.x, under.row),
                map.luminance(beside.x, beside.row))
          << "post at " << post[0] << ", " << post[1];
    }
    const float len = std::hypot(post[0], post[1]);
    const FloorTexel away = AtWorld(map, post[0] + 2.0f * post[0] / len,
                                    post[1] + 2.0f * post[1] / len);
    EXPECT_LT(map.luminance(away.x, away.row),
              map.luminance(under.x, under.row) - 60.0f)
        << "post at " << post[0] << ", " << post[1];
  }
}

TEST(FloorLightMap, GlowsWhereTheRoomStandsAndKeepsCornersAtMoonlight) {
  const Picture map = LoadCommitted("floorLM.bmp");
  ASSERT_FALSE(map.rgb.empty());
  const FloorTexel room = AtWorld(map, 0.0f, 0.0f);
  const FloorTexel outside = AtWorld(map, -3.8f, 8.0f);
  EXPECT_GT(map.luminance(room.x, room.row),
            map.luminance(outside.x, outside.row) + 40.0f);
  // The corners tint the rest of the night scene: dim, but not black.
  const int corners[4][2] = {{0, 0},
                             {map.width - 1, 0},
                             {0, map.height - 1},
                             {map.width - 1, map.height - 1}};
  for (const auto &c : corners) {
    const float l = map.luminance(c[0], c[1]);
    EXPECT_GT(l, 35.0f);
    EXPECT_LT(l, 90.0f);
  }
}

TEST(GameOver, HasBrightLetteringOnADarkGround) {
  const Picture picture = LoadCommitted("gameover.bmp");
  ASSERT_FALSE(picture.rgb.empty());
  int bright = 0, dark = 0;
  for (int row = 0; row < picture.height; ++row) {
    for (int x = 0; x < picture.width; ++x) {
      const float l = picture.luminance(x, row);
      bright += l > 190.0f;
      dark += l < 60.0f;
    }
  }
  const int texels = picture.width * picture.height;
  EXPECT_GT(bright, texels / 20);
  EXPECT_LT(bright, texels / 2);
  EXPECT_GT(dark, texels / 3);
}

} // namespace
