// GL's rules where the subset once went its own way, built twice: over the
// system's GL (gl11_rules_tests) and over the subset (gl11_rules_tests_gl11),
// so each case is first seen to hold for GL itself. Stack limits and their
// errors, luminance read back, textures made by their internal format, the
// queries of kept state, and the subset's refusals said on stderr once.
#include "platform/gl.h"
#include "platform/scripted/scripted.h"
#include "tests/support/gl_window.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

class GlRules : public ::testing::Test {
protected:
  void SetUp() override {
    scripted::Reset();
    ASSERT_TRUE(window_.Open("GlRules", 16, 16));
    while (glGetError() != GL_NO_ERROR) {
    }
  }
  void TearDown() override {
    window_.Close();
    scripted::Reset();
  }

  static GLint Integer(GLenum name) {
    GLint value = -1;
    glGetIntegerv(name, &value);
    return value;
  }

  // A 2 x 1 texture of the internal format from RGB data, read back as RGB.
  static std::vector<unsigned char>
  RoundTrip(GLint internalFormat, GLenum format, const unsigned char *pixels) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, 2, 1, 0, format,
                 GL_UNSIGNED_BYTE, pixels);
    std::vector<unsigned char> out(6, 0xEE);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, out.data());
    return out;
  }

  support::GlWindow window_;
};

TEST_F(GlRules, EachMatrixStackOverflowsPastItsDepthAndUnderflowsAtOne) {
  const struct {
    GLenum mode, depth, maxDepth;
  } stacks[] = {
      {GL_MODELVIEW, GL_MODELVIEW_STACK_DEPTH, GL_MAX_MODELVIEW_STACK_DEPTH},
      {GL_PROJECTION, GL_PROJECTION_STACK_DEPTH, GL_MAX_PROJECTION_STACK_DEPTH},
      {GL_TEXTURE, GL_TEXTURE_STACK_DEPTH, GL_MAX_TEXTURE_STACK_DEPTH}};
  for (const auto &stack : stacks) {
    glMatrixMode(stack.mode);
    EXPECT_EQ(Integer(GL_MATRIX_MODE), GLint(stack.mode));
    const GLint max = Integer(stack.maxDepth);
    ASSERT_GE(max, 2) << stack.mode;
    for (GLint i = 1; i < max; ++i)
      glPushMatrix();
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << stack.mode;
    EXPECT_EQ(Integer(stack.depth), max);
    glPushMatrix();
    EXPECT_EQ(glGetError(), GLenum(GL_STACK_OVERFLOW)) << stack.mode;
    EXPECT_EQ(Integer(stack.depth), max);
    for (GLint i = 1; i < max; ++i)
      glPopMatrix();
    EXPECT_EQ(Integer(stack.depth), 1);
    glPopMatrix();
    EXPECT_EQ(glGetError(), GLenum(GL_STACK_UNDERFLOW)) << stack.mode;
  }
  glMatrixMode(GL_MODELVIEW);
}

TEST_F(GlRules, TheAttributeStackOverflowsPastItsDepth) {
  const GLint max = Integer(GL_MAX_ATTRIB_STACK_DEPTH);
  ASSERT_GE(max, 16);
  for (GLint i = 0; i < max; ++i)
    glPushAttrib(GL_ENABLE_BIT);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  glPushAttrib(GL_ENABLE_BIT);
  EXPECT_EQ(glGetError(), GLenum(GL_STACK_OVERFLOW));
  EXPECT_EQ(Integer(GL_ATTRIB_STACK_DEPTH), max);
  for (GLint i = 0; i < max; ++i)
    glPopAttrib();
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  glPopAttrib();
  EXPECT_EQ(glGetError(), GLenum(GL_STACK_UNDERFLOW));
}

TEST_F(GlRules, LuminanceReadBackSumsRedGreenAndBlueUpToOne) {
  // Channel values a 16-bit colour buffer keeps within a step or two.
  glClearColor(0.1f, 0.2f, 0.3f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  unsigned char rgb[3] = {}, grey[2] = {};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
  glReadPixels(0, 0, 1, 1, GL_LUMINANCE, GL_UNSIGNED_BYTE, grey);
  EXPECT_NEAR(grey[0], rgb[0] + rgb[1] + rgb[2], 2);
  EXPECT_NEAR(grey[0], 153, 8);
  glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glReadPixels(0, 0, 1, 1, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE, grey);
  EXPECT_EQ(grey[0], 255);
}

TEST_F(GlRules, ATextureIsMadeOfTheComponentsOfItsInternalFormat) {
  const unsigned char rgb[6] = {200, 50, 10, 30, 60, 90};
  // A luminance texture takes red, and reads back as red alone.
  EXPECT_EQ(RoundTrip(GL_LUMINANCE, GL_RGB, rgb),
            (std::vector<unsigned char>{200, 0, 0, 30, 0, 0}));
  // An RGB texture made from luminance gives its value to all three.
  const unsigned char grey[2] = {70, 140};
  EXPECT_EQ(RoundTrip(3, GL_LUMINANCE, grey),
            (std::vector<unsigned char>{70, 70, 70, 140, 140, 140}));
  // An RGB texture of RGBA data drops the alpha, as GL does.
  const unsigned char rgba[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_EQ(RoundTrip(GL_RGB8, GL_RGBA, rgba),
            (std::vector<unsigned char>{1, 2, 3, 5, 6, 7}));
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// The subset's shaders build no texture alpha: refused, not dropped.
TEST_F(GlRules, ATextureWithAlphaKeepsItOrIsRefused) {
  const unsigned char rgba[8] = {10, 20, 30, 77, 40, 50, 60, 99};
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE,
               rgba);
  GLint width = -1;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
#if defined(TVL_GL11)
  EXPECT_EQ(glGetError(), GLenum(GL_INVALID_VALUE));
  EXPECT_EQ(width, 0);
#else
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  EXPECT_EQ(width, 2);
  unsigned char back[8] = {};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, back);
  EXPECT_EQ(back[3], 77);
  EXPECT_EQ(back[7], 99);
#endif
}

TEST_F(GlRules, QueriesReadBackTheStateAsSet) {
  GLuint names[2] = {};
  glGenTextures(2, names);
  glBindTexture(GL_TEXTURE_2D, names[1]);
  const unsigned char rgb[3] = {1, 2, 3};
  glPixelStorei(GL_UNPACK_ALIGNMENT, 2);
  glTexImage2D(GL_TEXTURE_2D, 0, 3, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb);
  // Uploads do not disturb the alignment the program set.
  EXPECT_EQ(Integer(GL_UNPACK_ALIGNMENT), 2);
  EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), GLint(names[1]));
  glColor4f(1.0f, 0.0f, 1.0f, 1.0f);
  GLint colour[4] = {};
  glGetIntegerv(GL_CURRENT_COLOR, colour); // colours span the integers
  EXPECT_EQ(colour[0], INT_MAX);
  EXPECT_EQ(colour[1], 0);
  GLfloat ambient[4] = {};
  glGetFloatv(GL_LIGHT_MODEL_AMBIENT, ambient);
  EXPECT_FLOAT_EQ(ambient[0], 0.2f); // GL's initial scene ambient
  EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

#if defined(TVL_GL11)
// In every build (the tests' is a release build): once per distinct
// refusal, so a refusal made every frame says so once.
TEST_F(GlRules, TheSubsetSaysEachDistinctRefusalOnceOnStderr) {
  ::testing::internal::CaptureStderr();
  glShadeModel(GL_FLAT);
  glShadeModel(GL_FLAT);
  glEnable(GL_FOG);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "gl11: glShadeModel refuses 0x1d00: GL_INVALID_ENUM\n"
            "gl11: glEnable refuses 0x0b60: GL_INVALID_ENUM\n");
  EXPECT_EQ(glGetError(), GLenum(GL_INVALID_ENUM));
}
#endif

} // namespace
