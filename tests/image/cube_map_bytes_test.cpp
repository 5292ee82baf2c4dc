// The normalisation cube map's bytes, computed without GL: the listed
// texels, the value ranges, and agreement with the plain double formula.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "image/cube_map.h"

namespace {

using Face = std::vector<unsigned char>;

Face Fill(int face) {
  Face out(kCubeFaceBytes);
  FillNormalisationCubeFace(face, out.data());
  return out;
}

struct Texel {
  int r, g, b;
};

Texel At(const Face &face, int i, int j) {
  const unsigned char *p = &face[3 * (32 * i + j)];
  return Texel{p[0], p[1], p[2]};
}

void ExpectTexel(int face, int i, int j, int r, int g, int b) {
  Texel t = At(Fill(face), i, j);
  EXPECT_EQ(t.r, r) << "face " << face + 1 << " i " << i << " j " << j;
  EXPECT_EQ(t.g, g) << "face " << face + 1 << " i " << i << " j " << j;
  EXPECT_EQ(t.b, b) << "face " << face + 1 << " i " << i << " j " << j;
}

} // namespace

TEST(CubeMapBytes, ListedTexels) {
  ExpectTexel(0, 0, 0, 202, 200, 200);
  ExpectTexel(0, 15, 15, 254, 131, 131);
  ExpectTexel(0, 16, 16, 254, 123, 123);
  ExpectTexel(1, 15, 15, 0, 131, 123);
  ExpectTexel(2, 0, 0, 54, 202, 54);
  ExpectTexel(5, 31, 31, 54, 54, 52);
}

TEST(CubeMapBytes, FaceTargetsInUploadOrder) {
  EXPECT_EQ(cubeFaceTargets[0], GLenum(GL_TEXTURE_CUBE_MAP_POSITIVE_X_ARB));
  EXPECT_EQ(cubeFaceTargets[1], GLenum(GL_TEXTURE_CUBE_MAP_NEGATIVE_X_ARB));
  EXPECT_EQ(cubeFaceTargets[2], GLenum(GL_TEXTURE_CUBE_MAP_POSITIVE_Y_ARB));
  EXPECT_EQ(cubeFaceTargets[3], GLenum(GL_TEXTURE_CUBE_MAP_NEGATIVE_Y_ARB));
  EXPECT_EQ(cubeFaceTargets[4], GLenum(GL_TEXTURE_CUBE_MAP_POSITIVE_Z_ARB));
  EXPECT_EQ(cubeFaceTargets[5], GLenum(GL_TEXTURE_CUBE_MAP_NEGATIVE_Z_ARB));
}

TEST(CubeMapBytes, IdenticalToThePlainFormula) {
  // Directions as (x, y, z) of s and t per face, in upload order.
  for (int face = 0; face < 6; ++face) {
    Face bytes = Fill(face);
    for (int i = 0; i < 32; ++i) {
      for (int j = 0; j < 32; ++j) {
        double s = j + 0.5 - 16, t = i + 0.5 - 16;
        double d[6][3] = {{16, -t, -s}, {-16, -t, s}, {s, 16, t},
                          {s, -16, -t}, {s, -t, 16},  {-s, -t, -16}};
        double *v = d[face];
        double len = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        for (int c = 0; c < 3; ++c) {
          int want = static_cast<int>(255.0 * (0.5 * v[c] / len + 0.5));
          ASSERT_EQ(bytes[3 * (32 * i + j) + c], want)
              << "face " << face + 1 << " i " << i << " j " << j << " c " << c;
        }
      }
    }
  }
}

TEST(CubeMapBytes, ChannelsStayWithinZeroTo254) {
  int at254 = 0, at0 = 0;
  for (int face = 0; face < 6; ++face) {
    Face bytes = Fill(face);
    for (unsigned char b : bytes) {
      EXPECT_LE(b, 254);
      at254 += b == 254;
      at0 += b == 0;
    }
  }
  // 254 only in the 12 central texels of each positive face, 0 likewise on
  // each negative face.
  EXPECT_EQ(at254, 36);
  EXPECT_EQ(at0, 36);
}

TEST(CubeMapBytes, NoBufferPrintsOnceAndReturnsFalse) {
  ::testing::internal::CaptureStdout();
  bool built = UploadNormalisationCubeMap(nullptr);
  std::fflush(stdout);
  std::string out = ::testing::internal::GetCapturedStdout();
  EXPECT_FALSE(built);
  EXPECT_EQ(out, "Unable to allocate memory for texture data for cube map\n");
}
