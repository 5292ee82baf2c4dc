// The GL state a frame leaves for the next one, read back with glGet: the
// next frame's picture depends on it, so it is kept as the frame leaves it.
#include "tests/render/scene_fixture.h"

#include "image/texture_slots.h"
#include "render/gl_objects.h"

namespace {

class FrameState : public SceneTest {
protected:
  static GLint Integer(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
  }
  // Through the game's own entry point; each test selects unit 0 again
  // before the next frame, which relies on nothing else.
  static void Select(GLenum unit) { glActiveTextureARB(unit); }
  static GLint EnvMode() {
    GLint mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    return mode;
  }
  static GLint EnvValue(GLenum name) {
    GLint value = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, name, &value);
    return value;
  }
  static std::array<float, 4> Vector(GLenum name) {
    std::array<float, 4> v{};
    glGetFloatv(name, v.data());
    return v;
  }
  static std::array<float, 4> Material(GLenum name) {
    std::array<float, 4> v{};
    glGetMaterialfv(GL_FRONT, name, v.data());
    return v;
  }
};

TEST_F(FrameState, UnitZeroIsActiveWithTexturingOffAfterAFrame) {
  Draw();
  EXPECT_EQ(Integer(GL_ACTIVE_TEXTURE_ARB), GL_TEXTURE0_ARB);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(FrameState, UnitOneKeepsTheFloorsSecondTextureAtCoordinateZero) {
  Draw();
  Select(GL_TEXTURE1_ARB);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_CUBE_MAP_ARB));
  EXPECT_EQ(static_cast<GLuint>(Integer(GL_TEXTURE_BINDING_2D)),
            textureTable[kSlotBlank]);
  EXPECT_EQ(EnvMode(), GL_MODULATE);
  const std::array<float, 4> coord = Vector(GL_CURRENT_TEXTURE_COORDS);
  EXPECT_EQ(coord[0], 0.0f);
  EXPECT_EQ(coord[1], 0.0f);
  Select(GL_TEXTURE0_ARB);

  lightLevel = 0.1f;
  Draw();
  Select(GL_TEXTURE1_ARB);
  EXPECT_EQ(static_cast<GLuint>(Integer(GL_TEXTURE_BINDING_2D)),
            textureTable[kSlotFloorLightMap]);
  Select(GL_TEXTURE0_ARB);
  EXPECT_EQ(static_cast<GLuint>(Integer(GL_TEXTURE_BINDING_2D)),
            textureTable[kSlotPillarLight])
      << "unit 0 ends with the pillar lamps' texture";
}

TEST_F(FrameState, UnitZeroStaysInCombineReplaceAfterTheFirstBumpPass) {
  Draw();
  EXPECT_EQ(EnvMode(), GL_MODULATE) << "the GL's initial mode before any pass";

  bumpMappingOn = true;
  Draw();
  EXPECT_EQ(EnvMode(), GL_COMBINE_ARB);
  EXPECT_EQ(EnvValue(GL_COMBINE_RGB_ARB), GL_REPLACE);
  EXPECT_EQ(EnvValue(GL_SOURCE0_RGB_ARB), GL_TEXTURE);

  bumpMappingOn = false;
  Draw();
  EXPECT_EQ(EnvMode(), GL_COMBINE_ARB) << "switching B off does not restore it";

  Select(GL_TEXTURE1_ARB);
  EXPECT_EQ(EnvMode(), GL_MODULATE);
  EXPECT_EQ(EnvValue(GL_COMBINE_RGB_ARB), GL_DOT3_RGB_ARB)
      << "only the mode is put back on unit 1";
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_CUBE_MAP_ARB));
  Select(GL_TEXTURE0_ARB);
}

TEST_F(FrameState, LightingIsOffAfterTheBallsAndOnWhenNoneIsDrawn) {
  Draw();
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  for (int i = kFirstBallEntry; i < kFirstBallEntry + kBallCount; ++i) {
    ballCollected[i] = true;
  }
  Draw();
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
  EXPECT_TRUE(glIsEnabled(GL_LIGHT1));
  EXPECT_TRUE(glIsEnabled(GL_LIGHT2));
  EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
}

TEST_F(FrameState, TheMaterialIsWhiteAndTheColourRedForTheNextFrame) {
  Draw();
  EXPECT_EQ(Material(GL_SPECULAR), (std::array<float, 4>{1, 1, 1, 1}));
  EXPECT_EQ(Material(GL_DIFFUSE), (std::array<float, 4>{1, 1, 1, 1}));
  EXPECT_EQ(Material(GL_AMBIENT), (std::array<float, 4>{1, 1, 1, 1}));
  float shininess = 0;
  glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
  EXPECT_EQ(shininess, 1.0f);
  EXPECT_EQ(Vector(GL_CURRENT_COLOR), (std::array<float, 4>{1, 0, 0, 1}));
}

TEST_F(FrameState, TheLightsAreFixedInTheWorldAndDimmedByTheLevel) {
  PlaceCamera(6.0f, -1.0f, 3.0f, 5.4f, -1.0f, 2.2f);
  lightLevel = 0.25f;
  Draw();
  // Eye coordinates of the world direction (1, 1, 1, 0) under this view.
  std::array<float, 4> position{};
  glGetLightfv(GL_LIGHT2, GL_POSITION, position.data());
  const double *m = modelview_.data();
  for (int row = 0; row < 3; ++row) {
    EXPECT_NEAR(position[row], m[row] + m[4 + row] + m[8 + row], 1e-5);
  }
  EXPECT_EQ(position[3], 0.0f);
  std::array<float, 4> diffuse{};
  glGetLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse.data());
  EXPECT_EQ(diffuse, (std::array<float, 4>{0.25f, 0.25f, 0.25f, 1}));
  std::array<float, 4> ambient{};
  glGetFloatv(GL_LIGHT_MODEL_AMBIENT, ambient.data());
  EXPECT_EQ(ambient, (std::array<float, 4>{0.75f, 0.75f, 0.75f, 1}));
  GLint localViewer = 0;
  glGetIntegerv(GL_LIGHT_MODEL_LOCAL_VIEWER, &localViewer);
  EXPECT_EQ(localViewer, 1);
}

} // namespace
