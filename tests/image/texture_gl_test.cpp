// Texture loading and the cube-map upload on a real GL context (Mesa via
// the scripted platform): slots, parameters, what reaches the texture, the
// unpack alignment, and the exits of files that do not decode.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

#include "image/cube_map.h"
#include "image/texture.h"
#include "image/texture_slots.h"
#include "tests/image/bmp_writer.h"
#include "tests/image/image_test_support.h"

using namespace bmp_test;
using image_test::TempDir;
using image_test::WriteFile;

namespace {

GLint Integer(GLenum name) {
  GLint value = -1;
  glGetIntegerv(name, &value);
  return value;
}

GLint TexParameter(GLenum target, GLenum name) {
  GLint value = -1;
  glGetTexParameteriv(target, name, &value);
  return value;
}

GLint LevelParameter(GLenum target, GLint level, GLenum name) {
  GLint value = -1;
  glGetTexLevelParameteriv(target, level, name, &value);
  return value;
}

std::vector<unsigned char> ReadLevel(GLenum target, GLint level) {
  GLint w = LevelParameter(target, level, GL_TEXTURE_WIDTH);
  GLint h = LevelParameter(target, level, GL_TEXTURE_HEIGHT);
  std::vector<unsigned char> out(static_cast<std::size_t>(w) * h * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(target, level, GL_RGB, GL_UNSIGNED_BYTE, out.data());
  return out;
}

void WriteGreyJpeg(const std::string &path, int width, int height,
                   unsigned char grey) {
  ASSERT_TRUE(support::WriteJpeg(
      path.c_str(), width,
      support::JpegRows(static_cast<std::size_t>(height), {grey})));
}

class GlTextures : public ::testing::Test {
protected:
  void SetUp() override {
    scripted::Reset();
    ASSERT_TRUE(context_.Open("ImageTest", 64, 64));
    glEnable(GL_TEXTURE_2D);
    for (GLuint &name : table_)
      name = 0;
  }
  void TearDown() override { scripted::Reset(); }

  std::string Write(const std::string &name, const Bytes &bytes) {
    std::string path = dir_.File(name);
    WriteFile(path, bytes);
    return path;
  }

  support::GlWindow context_;
  TempDir dir_;
  GLuint table_[kTextureSlotCount];
};

BmpLayout Rows24(int width,
                 const std::vector<std::vector<std::uint32_t>> &rows) {
  BmpLayout layout;
  layout.width = width;
  layout.height = static_cast<std::int32_t>(rows.size());
  layout.pixels = PackRows(24, rows);
  return layout;
}

} // namespace

// ---- LoadBmpTexture
// ----------------------------------------------------------

TEST_F(GlTextures, FillsTheSlotWithAMipmappedRepeatingTexture) {
  std::string path = Write("t.bmp", Gradient24(16, 8));
  LoadBmpTexture(table_, path.c_str(), kSlotRoof);
  ASSERT_NE(table_[kSlotRoof], 0u);
  for (int slot = 0; slot < kTextureSlotCount; ++slot) {
    if (slot != kSlotRoof) {
      EXPECT_EQ(table_[slot], 0u) << slot;
    }
  }
  EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), GLint(table_[kSlotRoof]));
  EXPECT_EQ(TexParameter(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER),
            GL_LINEAR_MIPMAP_NEAREST);
  EXPECT_EQ(TexParameter(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
  EXPECT_EQ(TexParameter(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S), GL_REPEAT);
  EXPECT_EQ(TexParameter(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T), GL_REPEAT);
  EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), 16);
  EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT), 8);
  // The whole chain down to 1 x 1.
  EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, 4, GL_TEXTURE_WIDTH), 1);
  EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, 4, GL_TEXTURE_HEIGHT), 1);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(GlTextures, RowsReachTheTextureBottomRowFirstAndUnchanged) {
  // Two pixels per row: 6-byte rows, which GL's initial alignment of 4
  // would read as 8, shifting the second row and reading past the buffer.
  BmpLayout layout = Rows24(2, {{0x112233, 0x445566}, {0x778899, 0xAABBCC}});
  LoadBmpTexture(table_, Write("w2.bmp", WriteBmp(layout)).c_str(), 1);
  EXPECT_EQ(ReadLevel(GL_TEXTURE_2D, 0),
            (std::vector<unsigned char>{0x11, 0x22, 0x33, 0x44, 0x55, 0x66,
                                        0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC}));
}

TEST_F(GlTextures, WidthThreeRowsAreReadNineBytesApart) {
  // 9-byte rows. The reference is GLU given the same picture with rows
  // padded to 12 bytes under an alignment of 4: every level must agree.
  BmpLayout layout = Rows24(3, {{0xFF0000, 0x00FF00, 0x0000FF},
                                {0x102030, 0x405060, 0x708090},
                                {0xFFFFFF, 0x000000, 0x808080}});
  LoadBmpTexture(table_, Write("w3.bmp", WriteBmp(layout)).c_str(), 2);
  ASSERT_EQ(LevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), 4);
  std::vector<std::vector<unsigned char>> ours;
  for (int level = 0; level < 3; ++level)
    ours.push_back(ReadLevel(GL_TEXTURE_2D, level));

  std::vector<unsigned char> padded;
  for (const auto &row : std::vector<std::vector<std::uint32_t>>{
           {0xFF0000, 0x00FF00, 0x0000FF},
           {0x102030, 0x405060, 0x708090},
           {0xFFFFFF, 0x000000, 0x808080}}) {
    for (std::uint32_t v : row) {
      padded.push_back(static_cast<unsigned char>(v >> 16));
      padded.push_back(static_cast<unsigned char>(v >> 8));
      padded.push_back(static_cast<unsigned char>(v));
    }
    padded.insert(padded.end(), 3, 0);
  }
  GLuint reference = 0;
  glGenTextures(1, &reference);
  glBindTexture(GL_TEXTURE_2D, reference);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  gluBuild2DMipmaps(GL_TEXTURE_2D, 3, 3, 3, GL_RGB, GL_UNSIGNED_BYTE,
                    padded.data());
  for (int level = 0; level < 3; ++level)
    EXPECT_EQ(ReadLevel(GL_TEXTURE_2D, level), ours[level]) << level;
}

// What the upload relies on: under an alignment of 1, GLU reads a 3-pixel
// row's 9 bytes and no more. The rows end at a page boundary followed by an
// inaccessible page, so a read past them would fault.
TEST_F(GlTextures, GluReadsNoMoreThanTightRowsUnderAlignmentOne) {
  const long page = sysconf(_SC_PAGESIZE);
  void *block = mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(block, MAP_FAILED);
  unsigned char *guard = static_cast<unsigned char *>(block) + page;
  ASSERT_EQ(mprotect(guard, page, PROT_NONE), 0);
  unsigned char *rows = guard - 3 * 3 * 3; // 3 x 3 pixels, tightly packed
  for (int i = 0; i < 27; ++i)
    rows[i] = static_cast<unsigned char>(i * 9);
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  EXPECT_EQ(
      gluBuild2DMipmaps(GL_TEXTURE_2D, 3, 3, 3, GL_RGB, GL_UNSIGNED_BYTE, rows),
      0);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  munmap(block, 2 * page);
}

TEST_F(GlTextures, NonPowerOfTwoGetsACompleteChain) {
  LoadBmpTexture(table_, Write("np.bmp", Gradient24(5, 3)).c_str(), 3);
  GLint w = LevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH);
  GLint h = LevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT);
  EXPECT_EQ(w & (w - 1), 0) << w;
  EXPECT_EQ(h & (h - 1), 0) << h;
  int levels = 0;
  for (GLint side = w > h ? w : h; side > 1; side /= 2)
    ++levels;
  EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, levels, GL_TEXTURE_WIDTH), 1);
  EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, levels, GL_TEXTURE_HEIGHT), 1);
}

TEST_F(GlTextures, UnpackAlignmentIsRestored) {
  glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
  LoadBmpTexture(table_, Write("a.bmp", Gradient24(3, 3)).c_str(), 4);
  EXPECT_EQ(Integer(GL_UNPACK_ALIGNMENT), 8);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  LoadBmpTexture(table_, Write("b.bmp", Gradient24(3, 3)).c_str(), 5);
  EXPECT_EQ(Integer(GL_UNPACK_ALIGNMENT), 4);
}

TEST_F(GlTextures, EachCallMakesAFreshName) {
  std::string path = Write("t.bmp", Gradient24(4, 4));
  LoadBmpTexture(table_, path.c_str(), 6);
  GLuint first = table_[6];
  LoadBmpTexture(table_, path.c_str(), 6);
  EXPECT_NE(table_[6], first);
  EXPECT_NE(table_[6], 0u);
  EXPECT_TRUE(glIsTexture(first));
}

TEST_F(GlTextures, NullNameChangesNothing) {
  GLuint before = 0;
  glGenTextures(1, &before);
  glBindTexture(GL_TEXTURE_2D, before);
  table_[kSlotFloor] = 77;
  std::size_t calls = scripted::Calls().size();
  LoadBmpTexture(table_, nullptr, kSlotFloor);
  EXPECT_EQ(table_[kSlotFloor], 77u);
  EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), GLint(before));
  EXPECT_EQ(scripted::Calls().size(), calls); // no file opened, no message
  // No texture name was taken: the next one follows directly.
  GLuint after = 0;
  glGenTextures(1, &after);
  EXPECT_EQ(after, before + 1);
}

// ---- Files that do not decode end the process with status 1 -------------

using GlTexturesDeathTest = GlTextures;

TEST_F(GlTexturesDeathTest, MissingBmpExitsWithStatusOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  std::string path = dir_.File("roof.bmp");
  EXPECT_EXIT(LoadBmpTexture(table_, path.c_str(), kSlotRoof),
              ::testing::ExitedWithCode(1), "");
}

TEST_F(GlTexturesDeathTest, UndecodableBmpExitsWithStatusOneNamingTheFile) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  std::string path = Write("bad.bmp", {'B', 'M', 1, 2, 3});
  // The decoder's message names no file; standard error does.
  EXPECT_EXIT(LoadBmpTexture(table_, path.c_str(), 1),
              ::testing::ExitedWithCode(1), "bad\\.bmp: .+");
}

TEST_F(GlTexturesDeathTest, MissingJpegExitsWithStatusOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  std::string path = dir_.File("missing.jpg");
  EXPECT_EXIT(LoadJpegTexture(table_, path.c_str(), 1),
              ::testing::ExitedWithCode(1), "");
}

// ---- LoadJpegTexture
// ---------------------------------------------------------

TEST_F(GlTextures, JpegTextureSetsFiltersButNotWraps) {
  std::string path = dir_.File("g.jpg");
  WriteGreyJpeg(path, 8, 4, 200);
  LoadJpegTexture(table_, path.c_str(), 9);
  ASSERT_NE(table_[9], 0u);
  EXPECT_EQ(TexParameter(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER),
            GL_LINEAR_MIPMAP_NEAREST);
  EXPECT_EQ(TexParameter(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
  EXPECT_EQ(TexParameter(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S), GL_REPEAT);
  EXPECT_EQ(TexParameter(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T), GL_REPEAT);
}

TEST_F(GlTextures, GreyJpegIsUploadedAsGreyNotReadAsRgb) {
  // One byte per pixel: read as RGB it would run three times past the end.
  std::string path = dir_.File("grey.jpg");
  WriteGreyJpeg(path, 8, 8, 90);
  LoadJpegTexture(table_, path.c_str(), 9);
  std::vector<unsigned char> level = ReadLevel(GL_TEXTURE_2D, 0);
  ASSERT_EQ(level.size(), 8u * 8u * 3u);
  for (unsigned char v : level)
    EXPECT_NEAR(v, 90, 3);
}

// ---- The cube map
// ------------------------------------------------------------

TEST_F(GlTextures, CubeMapFacesHoldTheComputedBytes) {
  GLuint cube = 0;
  glGenTextures(1, &cube);
  glBindTexture(GL_TEXTURE_CUBE_MAP_ARB, cube);
  ASSERT_TRUE(BuildNormalisationCubeMap());
  EXPECT_EQ(Integer(GL_TEXTURE_BINDING_CUBE_MAP_ARB), GLint(cube));
  // The builder sets no parameter: the initial minification filter stays.
  EXPECT_EQ(TexParameter(GL_TEXTURE_CUBE_MAP_ARB, GL_TEXTURE_MIN_FILTER),
            GL_NEAREST_MIPMAP_LINEAR);
  std::vector<unsigned char> want(kCubeFaceBytes);
  for (int face = 0; face < 6; ++face) {
    GLenum target = cubeFaceTargets[face];
    EXPECT_EQ(LevelParameter(target, 0, GL_TEXTURE_WIDTH), 32);
    EXPECT_EQ(LevelParameter(target, 0, GL_TEXTURE_HEIGHT), 32);
    EXPECT_EQ(LevelParameter(target, 0, GL_TEXTURE_INTERNAL_FORMAT), GL_RGB8);
    FillNormalisationCubeFace(face, want.data());
    EXPECT_EQ(ReadLevel(target, 0), want) << "face " << face + 1;
  }
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(GlTextures, CubeMapWithoutBufferUploadsNothing) {
  GLuint cube = 0;
  glGenTextures(1, &cube);
  glBindTexture(GL_TEXTURE_CUBE_MAP_ARB, cube);
  ::testing::internal::CaptureStdout();
  EXPECT_FALSE(UploadNormalisationCubeMap(nullptr));
  std::fflush(stdout);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "Unable to allocate memory for texture data for cube map\n");
  for (GLenum target : cubeFaceTargets)
    EXPECT_EQ(LevelParameter(target, 0, GL_TEXTURE_WIDTH), 0);
}
