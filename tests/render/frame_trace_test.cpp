// The GL calls of whole frames, recorded from the real renderer on the real
// context: what every frame must be, then the single facts of the
// behaviour that matter most, each on its own so a failure names it.
#include "tests/render/gl_trace.h"
#include "tests/render/scene_fixture.h"

#include <algorithm>
#include <sstream>

namespace {

class FrameTrace : public SceneTest {
protected:
  void SetUp() override {
    SceneTest::SetUp();
    if (HasFatalFailure()) {
      return;
    }
    gltrace::InstallExtensionRecorders();
  }

  void TearDown() override {
    gltrace::Stop();
    SceneTest::TearDown();
  }

  std::vector<std::string> RecordFrame() {
    gltrace::Start();
    Draw();
    gltrace::Stop();
    Swap();
    return gltrace::Calls();
  }

  // What every frame must be, whatever it draws: cleared and its view set
  // afresh first; vertices only between glBegin and glEnd, which pair up;
  // the matrix stack back where it started; no GL error.
  static void ExpectWellFormed(const std::vector<std::string> &calls,
                               const std::string &scene) {
    ASSERT_GE(calls.size(), 2u) << scene;
    EXPECT_EQ(calls[0], "glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT)")
        << scene;
    EXPECT_EQ(calls[1], "glLoadIdentity()") << scene;
    const char *const inside[] = {
        "glVertex3f(", "glTexCoord2f(", "glMultiTexCoord", "glNormal3f(",
        "glColor",     "(box",          "(gameOver"};
    bool begun = false;
    int depth = 0;
    for (std::size_t i = 0; i < calls.size(); ++i) {
      const std::string &c = calls[i];
      const bool vertexCall = c.rfind("glVertex", 0) == 0;
      if (c.rfind("glBegin(", 0) == 0) {
        EXPECT_FALSE(begun) << scene << ": glBegin inside glBegin at " << i;
        begun = true;
      } else if (c == "glEnd()") {
        EXPECT_TRUE(begun) << scene << ": glEnd without glBegin at " << i;
        begun = false;
      } else if (begun) {
        EXPECT_TRUE(
            std::any_of(std::begin(inside), std::end(inside),
                        [&c](const char *p) { return c.rfind(p, 0) == 0; }))
            << scene << ": " << c << " between glBegin and glEnd at " << i;
      } else {
        EXPECT_FALSE(vertexCall)
            << scene << ": a vertex outside glBegin at " << i;
      }
      depth += c == "glPushMatrix()" ? 1 : c == "glPopMatrix()" ? -1 : 0;
      EXPECT_GE(depth, 0) << scene << ": popped below the view at " << i;
    }
    EXPECT_FALSE(begun) << scene << ": the frame ends inside glBegin";
    EXPECT_EQ(depth, 0) << scene << ": the matrix stack grows every frame";
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << scene;
  }

  static std::vector<std::string>
  Matching(const std::vector<std::string> &calls, const std::string &prefix) {
    std::vector<std::string> found;
    for (const std::string &c : calls) {
      if (c.rfind(prefix, 0) == 0) {
        found.push_back(c);
      }
    }
    return found;
  }

  static long IndexOf(const std::vector<std::string> &calls,
                      const std::string &line, std::size_t from = 0) {
    for (std::size_t i = from; i < calls.size(); ++i) {
      if (calls[i] == line) {
        return static_cast<long>(i);
      }
    }
    return -1;
  }
};

// ---- Whole frames
// ------------------------------------------------------------

// The scenes the game shows, each drawn three times from the same values:
// every frame well formed, and the same frame each time once the first has
// set what it sets, so no pass depends on what the last frame left behind.
TEST_F(FrameTrace, EveryFrameIsWellFormedAndTheSameFromTheSameValues) {
  const struct {
    const char *name;
    void (*set)();
  } scenes[] = {
      {"start view", [] {}},
      {"bump mapping", [] { bumpMappingOn = true; }},
      {"night", [] { lightLevel = 0.15f; }},
      {"moved, two balls collected",
       [] {
         PlaceCamera(6.5f, -1.0f, 2.25f, 5.75f, -1.0f, 1.6f);
         headingDegrees = 40.1f;
         ballCollected[13] = ballCollected[20] = true;
         ballsCollected = 2;
         PlaceBall(12, -5.0f, -2.0f);
       }},
      {"game over",
       [] {
         for (int i = 12; i < 22; ++i) {
           ballCollected[i] = true;
         }
         ballsCollected = 10;
         lightLevel = 0.0f;
       }},
  };
  for (const auto &scene : scenes) {
    scene.set();
    const std::vector<std::string> first = RecordFrame();
    ExpectWellFormed(first, scene.name);
    const std::vector<std::string> second = RecordFrame();
    EXPECT_EQ(RecordFrame(), second) << scene.name;
  }
}

// ---- Single facts
// ------------------------------------------------------------

TEST_F(FrameTrace, TwelveLightCallsCarryTheLightLevelInTheDiffuseTerm) {
  lightLevel = 0.37f;
  const std::vector<std::string> lights = Matching(RecordFrame(), "glLightfv(");
  ASSERT_EQ(lights.size(), 12u);
  const std::string level = gltrace::Float(0.37f);
  EXPECT_EQ(lights[0], "glLightfv(GL_LIGHT0, GL_POSITION, (1, 1, 1, 0))");
  EXPECT_EQ(lights[1],
            "glLightfv(GL_LIGHT0, GL_AMBIENT, (0.75, 0.75, 0.75, 1))");
  EXPECT_EQ(lights[2], "glLightfv(GL_LIGHT0, GL_DIFFUSE, (" + level + ", " +
                           level + ", " + level + ", 1))");
  EXPECT_EQ(lights[3], "glLightfv(GL_LIGHT0, GL_SPECULAR, (1, 1, 1, 0))");
  EXPECT_EQ(lights[6], "glLightfv(GL_LIGHT1, GL_DIFFUSE, (" + level + ", " +
                           level + ", " + level + ", 1))");
  EXPECT_EQ(lights[11], "glLightfv(GL_LIGHT2, GL_SPECULAR, (1, 1, 1, 0))");
}

TEST_F(FrameTrace, GlassWallsAreDrawnWithoutDepthTestAndWithAlphaBlending) {
  const std::vector<std::string> calls = RecordFrame();
  const long glass = IndexOf(calls, "glBindTexture(GL_TEXTURE_2D, slot4)");
  ASSERT_GE(glass, 0);
  const long off = IndexOf(calls, "glDisable(GL_DEPTH_TEST)", glass);
  const long on = IndexOf(calls, "glEnable(GL_DEPTH_TEST)", glass);
  const long quads = IndexOf(calls, "glBegin(GL_QUADS)", glass);
  ASSERT_GE(off, 0);
  EXPECT_LT(off, quads);
  EXPECT_GT(on, quads + 16 * 2 + 1) << "depth test back only after the walls";
  EXPECT_EQ(Matching(calls, "glBlendFunc("),
            std::vector<std::string>{
                "glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA)"});
  EXPECT_EQ(Matching(calls, "glDisable(GL_DEPTH_TEST)").size(), 1u);
}

TEST_F(FrameTrace, NoDot3BlendingOrCubeMapWhileBumpMappingIsOff) {
  const std::vector<std::string> calls = RecordFrame();
  EXPECT_EQ(IndexOf(calls, "glBlendFunc(GL_DST_COLOR, GL_ZERO)"), -1);
  EXPECT_EQ(IndexOf(calls, "glEnable(GL_TEXTURE_CUBE_MAP_ARB)"), -1);
  EXPECT_TRUE(Matching(calls, "glTexEnvi(").empty());
  EXPECT_EQ(Matching(calls, "gluCylinder(quadric, 0.2,").size(), 4u);
}

TEST_F(FrameTrace, BumpMappingDrawsRoofAndPillarsTwiceAndNothingElse) {
  bumpMappingOn = true;
  const std::vector<std::string> calls = RecordFrame();
  EXPECT_EQ(Matching(calls, "glBlendFunc(GL_DST_COLOR, GL_ZERO)").size(), 2u);
  EXPECT_EQ(Matching(calls, "glEnable(GL_TEXTURE_CUBE_MAP_ARB)").size(), 2u);
  EXPECT_EQ(Matching(calls, "glBegin(GL_TRIANGLES)").size(), 2u);
  EXPECT_EQ(Matching(calls, "gluCylinder(quadric, 0.2,").size(), 8u);
  EXPECT_EQ(Matching(calls, "gluCylinder(").size(), 8u + 6u + 4u);
  EXPECT_EQ(Matching(calls, "glBindTexture(GL_TEXTURE_2D, slot19)").size(), 1u);
  EXPECT_EQ(Matching(calls, "glBindTexture(GL_TEXTURE_2D, slot20)").size(), 1u);
  // The roof's second drawing sends unit 0 coordinates only.
  EXPECT_EQ(Matching(calls, "glTexCoord2f(0.5, 1)").size(), 4u);
  EXPECT_EQ(
      Matching(calls, "glMultiTexCoord2fARB(GL_TEXTURE0_ARB, 0.5, 1)").size(),
      4u);
}

TEST_F(FrameTrace, FloorSendsBothUnitsTheSameCoordinateBeforeEachCorner) {
  lightLevel = 0.2f; // slightly above 0.2 in single precision: day
  std::vector<std::string> calls = RecordFrame();
  const long floor = IndexOf(calls, "glBindTexture(GL_TEXTURE_2D, slot5)");
  ASSERT_GE(floor, 0);
  EXPECT_EQ(calls[floor + 1], "glActiveTextureARB(GL_TEXTURE1_ARB)");
  EXPECT_EQ(calls[floor + 2], "glEnable(GL_TEXTURE_2D)");
  EXPECT_EQ(calls[floor + 3], "glBindTexture(GL_TEXTURE_2D, slot16)");
  EXPECT_EQ(calls[floor + 4], "glBegin(GL_QUADS)");
  EXPECT_EQ(calls[floor + 5], "glMultiTexCoord2fARB(GL_TEXTURE0_ARB, 0, 0)");
  EXPECT_EQ(calls[floor + 6], "glMultiTexCoord2fARB(GL_TEXTURE1_ARB, 0, 0)");
  EXPECT_EQ(calls[floor + 7], "glVertex3f(-4, -1.5, 11)");

  lightLevel = std::nextafter(0.2f, 0.0f); // the next value down: night
  calls = RecordFrame();
  const long night = IndexOf(calls, "glBindTexture(GL_TEXTURE_2D, slot5)");
  ASSERT_GE(night, 0);
  EXPECT_EQ(calls[night + 1], "glActiveTextureARB(GL_TEXTURE0_ARB)");
  EXPECT_EQ(calls[night + 2], "glBindTexture(GL_TEXTURE_2D, slot16)");
  EXPECT_EQ(calls[night + 3], "glActiveTextureARB(GL_TEXTURE1_ARB)");
  EXPECT_EQ(calls[night + 4], "glEnable(GL_TEXTURE_2D)");
  EXPECT_EQ(calls[night + 5], "glBindTexture(GL_TEXTURE_2D, slot18)");
}

TEST_F(FrameTrace, EachUncollectedBallSetsItsMaterialThenLightsItself) {
  ballCollected[15] = true;
  const std::vector<std::string> calls = RecordFrame();
  EXPECT_EQ(Matching(calls, "gluSphere(quadric, 0.1, 32, 32)").size(), 9u);
  const std::vector<std::string> materials =
      Matching(calls, "glMaterialfv(GL_FRONT, ");
  ASSERT_EQ(materials.size(), 9u * 4u + 4u);
  EXPECT_EQ(materials[0], "glMaterialfv(GL_FRONT, GL_SPECULAR, (1, 1, 1, 1))");
  EXPECT_EQ(materials[1], "glMaterialfv(GL_FRONT, GL_SHININESS, (32))");
  EXPECT_EQ(materials[2], "glMaterialfv(GL_FRONT, GL_DIFFUSE, (0, " +
                              gltrace::Float(0.2f) + ", " +
                              gltrace::Float(0.7f) + ", 1))");
  EXPECT_EQ(materials[3], "glMaterialfv(GL_FRONT, GL_AMBIENT, (0, 0, " +
                              gltrace::Float(0.2f) + ", 1))");
}

TEST_F(FrameTrace, TheWhiteMaterialResetIsTheLastThingDrawn) {
  const std::vector<std::string> calls = RecordFrame();
  ASSERT_GE(calls.size(), 4u);
  const std::vector<std::string> tail(calls.end() - 4, calls.end());
  EXPECT_EQ(tail, (std::vector<std::string>{
                      "glMaterialfv(GL_FRONT, GL_SPECULAR, (1, 1, 1, 1))",
                      "glMaterialfv(GL_FRONT, GL_SHININESS, (1))",
                      "glMaterialfv(GL_FRONT, GL_DIFFUSE, (1, 1, 1, 1))",
                      "glMaterialfv(GL_FRONT, GL_AMBIENT, (1, 1, 1, 1))"}));
}

TEST_F(FrameTrace, HandBuiltSurfacesSendNoNormalAndNoOtherUnitCoordinates) {
  bumpMappingOn = true;
  const std::vector<std::string> calls = RecordFrame();
  EXPECT_TRUE(Matching(calls, "glNormal").empty());
  EXPECT_TRUE(Matching(calls, "glMultiTexCoord3fARB").empty());
  EXPECT_TRUE(Matching(calls, "glMaterialf(").empty());
  EXPECT_TRUE(Matching(calls, "glEnable(GL_COLOR_MATERIAL)").empty());
  // Unit 1 gets coordinates from the floor and the first pillar only.
  EXPECT_EQ(Matching(calls, "glMultiTexCoord2fARB(GL_TEXTURE1_ARB").size(), 5u);
}

} // namespace
