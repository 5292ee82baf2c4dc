// The subset on a real ES 2.0 context (llvmpipe through SDL's offscreen
// driver), for the parts that can be wrong on their own: lighting against
// GL's lighting sum at chosen points, the dot3 combiner, cube-map face
// selection, GLU's mipmaps, GL's rule that an incomplete texture turns
// its unit off, and a frame drawn the same after the context's objects are
// lost and restored, the texture matrix stack and GL's errors.
#include "gl11/api.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kSize = 64;

void *Load(const char *name) {
  return SDL_GL_GetProcAddress(name);
}

struct Rgba {
  int r, g, b, a;
};

class Subset : public ::testing::Test {
protected:
  // Video and the GL library stay loaded for the process: unloading the
  // driver would leave its allocations unattributable to the leak
  // checker's suppressions.
  static void SetUpTestSuite() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
      SDL_GL_LoadLibrary(nullptr);
    }
  }

  void SetUp() override {
    ASSERT_NE(SDL_WasInit(SDL_INIT_VIDEO), 0u) << SDL_GetError();
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    window_ = SDL_CreateWindow("gl11", 0, 0, kSize, kSize,
                               SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    ASSERT_NE(window_, nullptr) << SDL_GetError();
    context_ = SDL_GL_CreateContext(window_);
    ASSERT_NE(context_, nullptr) << SDL_GetError();
    ASSERT_EQ(SDL_GL_MakeCurrent(window_, context_), 0);
    gl11_MakeCurrent(context_, Load);
    gl11_glViewport(0, 0, kSize, kSize);
    gl11_glClearColor(0, 0, 0, 0);
    gl11_glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }

  void TearDown() override {
    if (context_) {
      gl11_ForgetContext(context_);
      SDL_GL_DeleteContext(context_);
    }
    if (window_) {
      SDL_DestroyWindow(window_);
    }
  }

  static Rgba PixelAt(int x, int y) {
    unsigned char p[4] = {};
    gl11_glPixelStorei(GL_PACK_ALIGNMENT, 1);
    gl11_glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2], p[3]};
  }

  // A triangle a few pixels across round (x, y, z) under identity matrices;
  // every corner has the current attributes.
  static void SmallTriangle(float x, float y, float z) {
    const float d = 4.0f / kSize;
    gl11_glBegin(GL_TRIANGLES);
    gl11_glVertex3f(x - d, y - d, z);
    gl11_glVertex3f(x + d, y - d, z);
    gl11_glVertex3f(x, y + d, z);
    gl11_glEnd();
  }

  // The window pixel under a point drawn with identity matrices.
  static Rgba PixelUnder(float x, float y) {
    return PixelAt(static_cast<int>((x + 1) * kSize / 2),
                   static_cast<int>((y + 1) * kSize / 2 - 1));
  }

  // A quad over the whole window with both units' coordinates at each corner.
  static void FullQuad() {
    const float corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    gl11_glBegin(GL_QUADS);
    for (const auto &c : corners) {
      gl11_glMultiTexCoord2fARB(GL_TEXTURE0_ARB, (c[0] + 1) / 2,
                                (c[1] + 1) / 2);
      gl11_glVertex3f(c[0], c[1], 0);
    }
    gl11_glEnd();
  }

  static GLuint SolidTexture(const unsigned char rgb[3]) {
    GLuint name = 0;
    gl11_glGenTextures(1, &name);
    gl11_glBindTexture(GL_TEXTURE_2D, name);
    gl11_glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, 1, 1, 0, GL_RGB,
                      GL_UNSIGNED_BYTE, rgb);
    gl11_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    return name;
  }

  SDL_Window *window_ = nullptr;
  SDL_GLContext context_ = nullptr;
};

void ExpectColour(const Rgba &got, const float want[4], const char *what) {
  const int expected[4] = {
      static_cast<int>(std::lround(std::clamp(want[0], 0.0f, 1.0f) * 255)),
      static_cast<int>(std::lround(std::clamp(want[1], 0.0f, 1.0f) * 255)),
      static_cast<int>(std::lround(std::clamp(want[2], 0.0f, 1.0f) * 255)),
      static_cast<int>(std::lround(std::clamp(want[3], 0.0f, 1.0f) * 255))};
  const int actual[4] = {got.r, got.g, got.b, got.a};
  for (int c = 0; c < 4; ++c) {
    EXPECT_NEAR(actual[c], expected[c], 3) << what << ", channel " << c;
  }
}

TEST_F(Subset, RunsOnAnEsContext) {
  using GetString = const GLubyte *(*)(GLenum);
  auto getString =
      reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  ASSERT_NE(getString, nullptr);
  const std::string version =
      reinterpret_cast<const char *>(getString(GL_VERSION));
  EXPECT_EQ(version.rfind("OpenGL ES", 0), 0u) << version;
}

// GL's sum for one vertex, written out for the cases below: light 0
// directional or positional, the others off unless named.
struct LightCase {
  const char *name;
  float lightPosition[4];
  float normal[3];
  float point[3];
  bool localViewer;
  bool secondLight; // light 1: directional along +x, diffuse only
};

void Lighting(const LightCase &k, const float sceneAmbient[4],
              const float lightAmbient[4], const float lightDiffuse[4],
              const float lightSpecular[4], const float matAmbient[4],
              const float matDiffuse[4], const float matSpecular[4],
              float shininess, float out[4]) {
  float l[3];
  for (int i = 0; i < 3; ++i) {
    l[i] = k.lightPosition[3] == 0 ? k.lightPosition[i]
                                   : k.lightPosition[i] - k.point[i];
  }
  const float ll = std::sqrt(l[0] * l[0] + l[1] * l[1] + l[2] * l[2]);
  float e[3] = {0, 0, 1};
  if (k.localViewer) {
    const float pl =
        std::sqrt(k.point[0] * k.point[0] + k.point[1] * k.point[1] +
                  k.point[2] * k.point[2]);
    for (int i = 0; i < 3; ++i) {
      e[i] = -k.point[i] / pl;
    }
  }
  float h[3], nl = 0, nh = 0, hl = 0;
  for (int i = 0; i < 3; ++i) {
    l[i] /= ll;
    h[i] = l[i] + e[i];
    hl += h[i] * h[i];
    nl += k.normal[i] * l[i];
  }
  for (int i = 0; i < 3; ++i) {
    nh += k.normal[i] * h[i] / std::sqrt(hl);
  }
  for (int i = 0; i < 3; ++i) {
    out[i] = sceneAmbient[i] * matAmbient[i] + lightAmbient[i] * matAmbient[i];
    if (nl > 0) {
      out[i] += nl * lightDiffuse[i] * matDiffuse[i] +
                std::pow(std::max(nh, 0.0f), shininess) * lightSpecular[i] *
                    matSpecular[i];
    }
    if (k.secondLight && k.normal[0] > 0) {
      out[i] += k.normal[0] * matDiffuse[i];
    }
  }
  out[3] = matDiffuse[3];
}

TEST_F(Subset, LightingIsGlsSumAtChosenPoints) {
  const float sceneAmbient[4] = {0.1f, 0.1f, 0.2f, 1};
  const float lightAmbient[4] = {0.05f, 0.1f, 0.05f, 1};
  const float lightDiffuse[4] = {0.6f, 0.5f, 0.4f, 1};
  const float lightSpecular[4] = {0.5f, 0.5f, 0.5f, 1};
  const float matAmbient[4] = {0.5f, 0.6f, 0.7f, 1};
  const float matDiffuse[4] = {0.8f, 0.4f, 0.6f, 0.5f};
  const float matSpecular[4] = {0.9f, 0.9f, 0.3f, 1};
  const float shininess = 8;
  const float s = 0.70710678f;
  const LightCase cases[] = {
      {"directional, facing the light",
       {0, 0, 1, 0},
       {0, 0, 1},
       {-0.5f, -0.5f, -0.5f},
       false,
       false},
      {"directional, tilted",
       {1, 1, 1, 0},
       {s, 0, s},
       {0.5f, -0.5f, -0.5f},
       false,
       false},
      {"directional, turned away: ambient only",
       {0, 0, 1, 0},
       {0, 0, -1},
       {-0.5f, 0.5f, -0.5f},
       false,
       false},
      {"positional, local viewer",
       {0.5f, 0.5f, 0.5f, 1},
       {0, s, s},
       {0.5f, 0.5f, -0.5f},
       true,
       false},
      {"two lights", {0, 0, 1, 0}, {s, 0, s}, {0, 0, -0.5f}, false, true},
  };
  const float white[4] = {1, 1, 1, 1};
  for (const LightCase &k : cases) {
    gl11_glClear(GL_COLOR_BUFFER_BIT);
    // Identity modelview: positions are set in eye space as given.
    gl11_glLightfv(GL_LIGHT0, GL_POSITION, k.lightPosition);
    gl11_glLightfv(GL_LIGHT0, GL_AMBIENT, lightAmbient);
    gl11_glLightfv(GL_LIGHT0, GL_DIFFUSE, lightDiffuse);
    gl11_glLightfv(GL_LIGHT0, GL_SPECULAR, lightSpecular);
    const float xAxis[4] = {1, 0, 0, 0};
    const float black[4] = {0, 0, 0, 1};
    gl11_glLightfv(GL_LIGHT1, GL_POSITION, xAxis);
    gl11_glLightfv(GL_LIGHT1, GL_DIFFUSE, white);
    gl11_glLightfv(GL_LIGHT1, GL_SPECULAR, black);
    gl11_glLightModelfv(GL_LIGHT_MODEL_AMBIENT, sceneAmbient);
    gl11_glLightModelf(GL_LIGHT_MODEL_LOCAL_VIEWER, k.localViewer ? 1 : 0);
    gl11_glMaterialfv(GL_FRONT, GL_AMBIENT, matAmbient);
    gl11_glMaterialfv(GL_FRONT, GL_DIFFUSE, matDiffuse);
    gl11_glMaterialfv(GL_FRONT, GL_SPECULAR, matSpecular);
    gl11_glMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
    gl11_glEnable(GL_LIGHTING);
    gl11_glEnable(GL_LIGHT0);
    (k.secondLight ? gl11_glEnable : gl11_glDisable)(GL_LIGHT1);
    gl11_glColor4f(0, 1, 0, 1); // ignored while lighting is on
    gl11_glNormal3f(k.normal[0], k.normal[1], k.normal[2]);
    SmallTriangle(k.point[0], k.point[1], k.point[2]);
    float want[4];
    Lighting(k, sceneAmbient, lightAmbient, lightDiffuse, lightSpecular,
             matAmbient, matDiffuse, matSpecular, shininess, want);
    ExpectColour(PixelUnder(k.point[0], k.point[1]), want, k.name);
  }
  // Without lighting the current colour shows, clamped.
  gl11_glDisable(GL_LIGHTING);
  gl11_glColor4f(0.25f, 2.0f, -1.0f, 10.0f);
  SmallTriangle(0, 0, 0);
  const float clamped[4] = {0.25f, 1, 0, 1};
  ExpectColour(PixelUnder(0, 0), clamped, "unlit");
}

// Unit 0 replaces with one colour; unit 1 takes the dot product of its own
// texel and unit 0's result, both read as vectors in [-1, 1].
TEST_F(Subset, Dot3CombinesTheTwoUnitsAsVectors) {
  const unsigned char bump[3] = {200, 128, 30};
  const unsigned char normal[3] = {220, 90, 160};
  auto combine = [](GLenum unit, const unsigned char texel[3], GLenum func) {
    gl11_glActiveTextureARB(unit);
    SolidTexture(texel);
    gl11_glEnable(GL_TEXTURE_2D);
    gl11_glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE_ARB);
    gl11_glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB_ARB, GL_TEXTURE);
    gl11_glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB_ARB, func);
  };
  combine(GL_TEXTURE0_ARB, bump, GL_REPLACE);
  combine(GL_TEXTURE1_ARB, normal, GL_DOT3_RGB_ARB);
  gl11_glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB_ARB, GL_PREVIOUS_ARB);
  gl11_glColor4f(1, 1, 1, 0.5f);
  FullQuad();
  float dot = 0;
  for (int c = 0; c < 3; ++c) {
    dot += (bump[c] / 255.0f - 0.5f) * (normal[c] / 255.0f - 0.5f);
  }
  const float want[4] = {4 * dot, 4 * dot, 4 * dot, 0.5f};
  ExpectColour(PixelAt(kSize / 2, kSize / 2), want, "dot3");
  // A product below zero clamps to black.
  const unsigned char opposite[3] = {55, 128, 225};
  gl11_glActiveTextureARB(GL_TEXTURE0_ARB);
  SolidTexture(opposite);
  FullQuad();
  const float black[4] = {0, 0, 0, 0.5f};
  ExpectColour(PixelAt(kSize / 2, kSize / 2), black, "dot3 below zero");
}

// Each face a colour of its own; a direction picks the face of its largest
// component, as the cube-map extension samples it.
TEST_F(Subset, CubeMapsPickTheFaceOfTheLargestComponent) {
  GLuint cube = 0;
  gl11_glGenTextures(1, &cube);
  gl11_glBindTexture(GL_TEXTURE_CUBE_MAP_ARB, cube);
  const unsigned char colours[6][3] = {{255, 0, 0},   {0, 255, 0},
                                       {0, 0, 255},   {255, 255, 0},
                                       {0, 255, 255}, {255, 0, 255}};
  for (int face = 0; face < 6; ++face) {
    gl11_glTexImage2D(GL_TEXTURE_CUBE_MAP_POSITIVE_X_ARB + face, 0, GL_RGB8, 1,
                      1, 0, GL_RGB, GL_UNSIGNED_BYTE, colours[face]);
  }
  // Nearest: an ES context of version 3 filters across faces.
  gl11_glTexParameteri(GL_TEXTURE_CUBE_MAP_ARB, GL_TEXTURE_MIN_FILTER,
                       GL_NEAREST);
  gl11_glTexParameteri(GL_TEXTURE_CUBE_MAP_ARB, GL_TEXTURE_MAG_FILTER,
                       GL_NEAREST);
  gl11_glEnable(GL_TEXTURE_CUBE_MAP_ARB);
  gl11_glEnable(GL_TEXTURE_2D); // the cube map takes precedence
  const float directions[6][3] = {{0.9f, 0.3f, -0.4f}, {-0.8f, 0.5f, 0.1f},
                                  {0.2f, 0.7f, -0.6f}, {0.1f, -0.9f, 0.3f},
                                  {-0.3f, 0.2f, 0.8f}, {0.5f, -0.2f, -0.6f}};
  for (int face = 0; face < 6; ++face) {
    const float *d = directions[face];
    gl11_glMultiTexCoord3fARB(GL_TEXTURE0_ARB, d[0], d[1], d[2]);
    SmallTriangle(0, 0, 0);
    const float want[4] = {colours[face][0] / 255.0f, colours[face][1] / 255.0f,
                           colours[face][2] / 255.0f, 1};
    ExpectColour(PixelUnder(0, 0), want,
                 ("face " + std::to_string(face)).c_str());
  }
}

// A bound 2 x 2 RGB texture with GLU's mipmaps of it.
GLuint MipmappedTexture(const unsigned char (&rgb)[12]) {
  GLuint name = 0;
  gl11_glGenTextures(1, &name);
  gl11_glBindTexture(GL_TEXTURE_2D, name);
  gl11_glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  EXPECT_EQ(gl11_gluBuild2DMipmaps(GL_TEXTURE_2D, 3, 2, 2, GL_RGB,
                                   GL_UNSIGNED_BYTE, rgb),
            0);
  return name;
}

// A 2 x 2 checker of black and white: its 1 x 1 level is their average,
// which a quad far smaller than the texture shows.
TEST_F(Subset, MipmapsAreBuiltDownToOneTexelByAveraging) {
  const unsigned char checker[] = {0,   0,   0,   255, 255, 255,
                                   255, 255, 255, 0,   0,   0};
  MipmappedTexture(checker);
  gl11_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                       GL_LINEAR_MIPMAP_NEAREST);
  gl11_glEnable(GL_TEXTURE_2D);
  gl11_glBegin(GL_TRIANGLES);
  // Texture coordinates spanning 16 repeats over a few pixels.
  const float d = 4.0f / kSize;
  gl11_glTexCoord2f(0, 0);
  gl11_glVertex3f(-d, -d, 0);
  gl11_glTexCoord2f(16, 0);
  gl11_glVertex3f(d, -d, 0);
  gl11_glTexCoord2f(8, 16);
  gl11_glVertex3f(0, d, 0);
  gl11_glEnd();
  const float grey[4] = {0.5f, 0.5f, 0.5f, 1};
  ExpectColour(PixelUnder(0, 0), grey, "smallest level");
}

// GL turns a unit whose texture lacks mipmaps its filter needs off; ES 2.0
// would sample black.
TEST_F(Subset, AnIncompleteTextureLeavesItsUnitOff) {
  const unsigned char red[12] = {255, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0};
  GLuint name = 0;
  gl11_glGenTextures(1, &name);
  gl11_glBindTexture(GL_TEXTURE_2D, name);
  gl11_glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  gl11_glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, 2, 2, 0, GL_RGB,
                    GL_UNSIGNED_BYTE, red);
  gl11_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                       GL_LINEAR_MIPMAP_NEAREST);
  gl11_glEnable(GL_TEXTURE_2D);
  gl11_glColor4f(0.2f, 0.4f, 0.6f, 1);
  FullQuad();
  const float colour[4] = {0.2f, 0.4f, 0.6f, 1};
  ExpectColour(PixelAt(kSize / 2, kSize / 2), colour, "incomplete");
}

// State set once, a mipmapped texture with its filter, a lit textured
// sphere and a blended quad: all of it must come back after the context's
// objects are lost and a fresh context takes their place.
void LossScene(GLuint texture) {
  static gl11_Quadric *sphere = gl11_gluNewQuadric();
  gl11_glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  gl11_glBindTexture(GL_TEXTURE_2D, texture);
  gl11_glEnable(GL_TEXTURE_2D);
  gl11_glEnable(GL_LIGHTING);
  gl11_glEnable(GL_LIGHT0);
  gl11_gluQuadricTexture(sphere, GL_TRUE);
  gl11_gluSphere(sphere, 0.8, 12, 8);
  gl11_glDisable(GL_LIGHTING);
  gl11_glDisable(GL_TEXTURE_2D);
  gl11_glEnable(GL_BLEND);
  gl11_glColor4f(0.2f, 0.6f, 0.9f, 0.5f);
  gl11_glBegin(GL_QUADS);
  gl11_glVertex3f(-0.9f, -0.9f, -0.5f);
  gl11_glVertex3f(0.1f, -0.9f, -0.5f);
  gl11_glVertex3f(0.1f, 0.1f, -0.5f);
  gl11_glVertex3f(-0.9f, 0.1f, -0.5f);
  gl11_glEnd();
  gl11_glDisable(GL_BLEND);
}

std::vector<unsigned char> Frame() {
  std::vector<unsigned char> rgba(kSize * kSize * 4);
  gl11_glReadPixels(0, 0, kSize, kSize, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  return rgba;
}

TEST_F(Subset, DrawsTheSameAfterTheContextsObjectsAreLost) {
  gl11_glClearColor(0.1f, 0.2f, 0.3f, 1);
  gl11_glEnable(GL_DEPTH_TEST);
  gl11_glDepthFunc(GL_LEQUAL);
  gl11_glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  const unsigned char checker[] = {255, 40, 40,  40,  255, 40,
                                   40,  40, 255, 250, 250, 60};
  const GLuint texture = MipmappedTexture(checker);
  gl11_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  gl11_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  LossScene(texture);
  const std::vector<unsigned char> before = Frame();

  const void *key = context_;
  gl11_ContextLost(key);
  LossScene(texture); // draws nothing, and must not fail
  SDL_GLContext fresh = SDL_GL_CreateContext(window_);
  ASSERT_NE(fresh, nullptr) << SDL_GetError();
  SDL_GL_DeleteContext(context_);
  context_ = fresh;
  ASSERT_EQ(SDL_GL_MakeCurrent(window_, fresh), 0);
  gl11_MakeCurrent(key, Load);
  ASSERT_TRUE(gl11_ContextRestored(key));
  LossScene(texture);
  const std::vector<unsigned char> after = Frame();
  gl11_ForgetContext(key);

  ASSERT_EQ(before.size(), after.size());
  int differing = 0;
  for (std::size_t i = 0; i < before.size(); ++i) {
    differing += before[i] != after[i];
  }
  EXPECT_EQ(differing, 0);
  // The sphere was drawn: the centre is not the clear colour of the corner.
  const std::size_t centre = (kSize / 2 * kSize + kSize / 2) * 4;
  EXPECT_NE(std::memcmp(&before[centre], &before[0], 4), 0);
}

// The texture matrix stack is its own: loading and pushing it in
// GL_TEXTURE mode leaves the modelview matrix as it was.
TEST_F(Subset, TextureMatrixModeLeavesTheModelviewAlone) {
  gl11_glMatrixMode(GL_MODELVIEW);
  gl11_glTranslatef(0.5f, 0, 0);
  gl11_glMatrixMode(GL_TEXTURE);
  gl11_glPushMatrix();
  gl11_glLoadIdentity();
  gl11_glTranslatef(-0.5f, 0, 0);
  gl11_glMatrixMode(GL_MODELVIEW);
  EXPECT_EQ(gl11_glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  gl11_glColor3f(1, 1, 1);
  SmallTriangle(0, 0, 0);
  const float white[4] = {1, 1, 1, 1}, clear[4] = {0, 0, 0, 0};
  ExpectColour(PixelUnder(0.5f, 0), white, "moved by the modelview");
  ExpectColour(PixelUnder(0, 0), clear,
               "where the texture matrix would put it");
}

// What the subset cannot do is refused as GL refuses it, and glGetError
// reads the first error once.
TEST_F(Subset, RefusalsAreReadThroughGlGetError) {
  const auto error = [] { return static_cast<int>(gl11_glGetError()); };
  gl11_glMatrixMode(GL_COLOR);
  gl11_glEnable(GL_FOG); // a second error does not replace the first
  EXPECT_EQ(error(), GL_INVALID_ENUM);
  EXPECT_EQ(error(), GL_NO_ERROR);
  gl11_glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
  EXPECT_EQ(error(), GL_INVALID_ENUM);
  gl11_glEnd();
  EXPECT_EQ(error(), GL_INVALID_OPERATION);
  gl11_glPopMatrix();
  EXPECT_EQ(error(), GL_STACK_UNDERFLOW);
  // A refused mode leaves the one before selected.
  gl11_glMatrixMode(GL_PROJECTION);
  gl11_glMatrixMode(GL_COLOR);
  gl11_glTranslatef(0.5f, 0, 0);
  gl11_glMatrixMode(GL_MODELVIEW);
  gl11_glColor3f(1, 1, 1);
  SmallTriangle(0, 0, 0);
  const float white[4] = {1, 1, 1, 1};
  ExpectColour(PixelUnder(0.5f, 0), white, "projection moved");
  EXPECT_EQ(error(), GL_INVALID_ENUM);
}

} // namespace
