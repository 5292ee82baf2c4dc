// Pictures on llvmpipe at 640 x 480, checked through facts that follow from
// the geometry and the state the frame carries: what covers a pixel is read
// from the depth buffer and turned back into a world point; colours are only
// compared with each other, never with a glColor value, since lighting
// ignores it and the texture units decide what a pixel shows.
#include "tests/render/scene_fixture.h"

#include <vector>

namespace {

struct WindowPoint {
  double x, y, depth; // GL window coordinates: origin bottom left
};

// Depth read-back and GLU's projections: the system's GL only.
class FramePicture : public SceneTest {
protected:
  float DepthAt(int x, int y) const {
    float depth = 0;
    glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    return depth;
  }

  // Where a world point lands in the window of the last frame.
  WindowPoint Project(double x, double y, double z) const {
    WindowPoint p{};
    gluProject(x, y, z, modelview_.data(), projection_.data(), viewport_.data(),
               &p.x, &p.y, &p.depth);
    return p;
  }

  // The world point the depth buffer holds at a pixel; false where nothing
  // wrote depth.
  bool SurfaceAt(int x, int y, double world[3]) const {
    const float depth = DepthAt(x, y);
    if (depth >= 1.0f) {
      return false;
    }
    gluUnProject(x + 0.5, y + 0.5, depth, modelview_.data(), projection_.data(),
                 viewport_.data(), &world[0], &world[1], &world[2]);
    return true;
  }

  // Every depth value of the frame, bottom row first.
  std::vector<float> Depths() const {
    std::vector<float> depths(static_cast<std::size_t>(kWidth) * kHeight);
    glReadPixels(0, 0, kWidth, kHeight, GL_DEPTH_COMPONENT, GL_FLOAT,
                 depths.data());
    return depths;
  }

  struct Box {
    int left = kWidth, right = -1, bottom = kHeight, top = -1;
    bool Empty() const { return right < left; }
  };

  // The pixels whose depth differs between two frames.
  static Box ChangedRegion(const std::vector<float> &a,
                           const std::vector<float> &b) {
    Box box;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const std::size_t i = static_cast<std::size_t>(y) * kWidth + x;
        if (a[i] != b[i]) {
          box.left = std::min(box.left, x);
          box.right = std::max(box.right, x);
          box.bottom = std::min(box.bottom, y);
          box.top = std::max(box.top, y);
        }
      }
    }
    return box;
  }

  // The pixel a world point projects to, which must lie in the window.
  void PixelOf(double x, double y, double z, int *px, int *py) const {
    const WindowPoint p = Project(x, y, z);
    *px = static_cast<int>(p.x);
    *py = static_cast<int>(p.y);
    ASSERT_TRUE(*px >= 0 && *px < kWidth && *py >= 0 && *py < kHeight)
        << "(" << x << ", " << y << ", " << z << ") is out of view";
  }
};

TEST_F(FramePicture, TheMarkerLiesUnderTheViewPointJustAboveTheFloor) {
  Draw();
  double world[3];
  ASSERT_TRUE(SurfaceAt(kWidth / 2, 20, world));
  EXPECT_NEAR(world[1], -1.49, 0.003);
  EXPECT_LE(std::abs(world[0] - camera.viewPoint.x), 1.0);
  EXPECT_LE(std::abs(world[2] - camera.viewPoint.z), 1.0);
}

TEST_F(FramePicture, TheFloorShowsBeyondTheMarkerAndEndsAtMinusFour) {
  Draw();
  int x, y;
  PixelOf(-1.6, -1.5, 0.3, &x, &y);
  double world[3];
  ASSERT_TRUE(SurfaceAt(x, y, world));
  EXPECT_NEAR(world[1], -1.5, 0.003);
  EXPECT_NEAR(world[0], -1.6, 0.05);
  // Past the floor's far edge the ray meets nothing that writes depth.
  PixelOf(-4.5, -1.5, 0.0, &x, &y);
  EXPECT_FALSE(SurfaceAt(x, y, world));
}

TEST_F(FramePicture, TheGlassIsSeenButWritesNoDepth) {
  Draw();
  // Straight ahead at eye height: the wall at x = -2.5 and nothing behind.
  double world[3];
  EXPECT_FALSE(SurfaceAt(kWidth / 2, kHeight / 2, world));
  const Rgb glass = PixelAt(kWidth / 2, kHeight / 2);
  EXPECT_GT(glass.Sum(), 0) << "the clear colour is black";
}

TEST_F(FramePicture, PillarsRunFromTheEavesToTheFloorWithoutCaps) {
  PlaceCamera(8.0f, -1.0f, 0.0f, 7.0f, -1.0f, 0.0f);
  Draw();
  for (double height : {-1.4, -0.3, 0.3}) {
    int x, y;
    PixelOf(2.7, height, 2.5, &x, &y);
    double world[3];
    ASSERT_TRUE(SurfaceAt(x, y, world)) << "at height " << height;
    const double dx = world[0] - 2.5;
    const double dz = world[2] - 2.5;
    EXPECT_NEAR(std::sqrt(dx * dx + dz * dz), 0.2, 0.01)
        << "at height " << height;
  }
}

TEST_F(FramePicture, ABallIsGoneFromTheFrameAfterItsCollection) {
  PlaceCamera(3.0f, -1.0f, 0.5f, 2.0f, -1.0f, 0.5f);
  PlaceBall(15, -5.0f, -2.0f); // centre (0, -1, 0.5), straight ahead
  Draw();
  int x, y;
  PixelOf(0.1, -1.0, 0.5, &x, &y);
  double world[3];
  ASSERT_TRUE(SurfaceAt(x, y, world));
  const double dx = world[0], dy = world[1] + 1.0, dz = world[2] - 0.5;
  EXPECT_NEAR(std::sqrt(dx * dx + dy * dy + dz * dz), 0.1, 0.005);
  const Rgb ball = PixelAt(x, y);
  Swap();

  ballCollected[15] = true;
  Draw();
  EXPECT_FALSE(SurfaceAt(x, y, world)) << "nothing but glass behind it";
  const Rgb after = PixelAt(x, y);
  EXPECT_NE(ball.Sum(), after.Sum());
}

TEST_F(FramePicture, TheNightFloorIsDarkerThanTheDayFloorAtTheSameSpot) {
  PlaceCamera(8.0f, -1.0f, 6.0f, 7.0f, -1.0f, 5.6f);
  Draw();
  int x, y;
  PixelOf(5.0, -1.5, 5.6, &x, &y); // clear of the marker and the posts
  double world[3];
  ASSERT_TRUE(SurfaceAt(x, y, world));
  ASSERT_NEAR(world[1], -1.5, 0.003) << "the spot is on the floor";
  Swap();
  Draw(); // a second frame: unit 1 has the day pair from the first
  const Rgb day = PixelAt(x, y);
  Swap();

  lightLevel = 0.1f;
  Draw();
  const Rgb night = PixelAt(x, y);
  EXPECT_LT(night.Sum(), day.Sum());
}

// Unit 1 keeps the floor's second texture into the next frame, so the glass
// (drawn before the floor) turns dark one frame after the floor does.
TEST_F(FramePicture, TheGlassDarkensOneFrameAfterTheFloorTurnsToNight) {
  Draw();
  Swap();
  Draw();
  const Rgb day = PixelAt(kWidth / 2, kHeight / 2);
  Swap();

  lightLevel = 0.1f;
  Draw();
  const Rgb firstNight = PixelAt(kWidth / 2, kHeight / 2);
  Swap();
  Draw();
  const Rgb secondNight = PixelAt(kWidth / 2, kHeight / 2);

  EXPECT_EQ(firstNight.Sum(), day.Sum());
  EXPECT_LT(secondNight.Sum(), day.Sum());
}

TEST_F(FramePicture, BumpMappingOnlyDarkensTheRoof) {
  PlaceCamera(12.0f, -1.0f, 0.0f, 11.0f, -1.0f, 0.0f);
  Draw();
  int x, y;
  PixelOf(3.0, 1.7, 0.0, &x, &y); // on the roof face turned towards +x
  double world[3];
  ASSERT_TRUE(SurfaceAt(x, y, world));
  EXPECT_GT(world[1], 1.5);
  Swap();
  Draw();
  const Rgb plain = PixelAt(x, y);
  Swap();

  bumpMappingOn = true;
  Draw();
  const Rgb bumped = PixelAt(x, y);
  // The pass multiplies what is there by a value from 0 to 1.
  EXPECT_LE(bumped.r, plain.r + 1);
  EXPECT_LE(bumped.g, plain.g + 1);
  EXPECT_LE(bumped.b, plain.b + 1);
}

TEST_F(FramePicture, TheGameOverQuadStandsCentredInTheView) {
  ballsCollected = 9;
  Draw();
  const std::vector<float> without = Depths();
  EXPECT_FALSE(gameOver);
  Swap();

  ballsCollected = 10;
  Draw();
  const std::vector<float> with = Depths();
  EXPECT_TRUE(gameOver);
  const Box box = ChangedRegion(without, with);
  ASSERT_FALSE(box.Empty());
  EXPECT_NEAR((box.left + box.right + 1) / 2.0, kWidth / 2.0, 1.5);

  // Its corners: one unit beyond the view point, 1.2 wide, -1.2 to -0.51.
  const WindowPoint low = Project(-1.0, -1.2, 0.6);
  const WindowPoint high = Project(-1.0, -0.51, -0.6);
  EXPECT_NEAR(box.left, std::min(low.x, high.x), 1.5);
  EXPECT_NEAR(box.right + 1, std::max(low.x, high.x), 1.5);
  EXPECT_NEAR(box.bottom, low.y, 1.5);
  EXPECT_NEAR(box.top + 1, high.y, 1.5);
}

TEST_F(FramePicture, TheGameOverQuadFollowsThePlayersTurns) {
  // Twenty left turns as the game step makes them.
  for (int i = 0; i < 20; ++i) {
    camera.rotateEyeAboutViewPoint(-0.05f);
    headingDegrees += 2.8645f;
  }
  ballsCollected = 10;
  Draw();
  const std::vector<float> with = Depths();
  Swap();
  ballsCollected = 0;
  Draw();
  const std::vector<float> without = Depths();
  const Box box = ChangedRegion(without, with);
  ASSERT_FALSE(box.Empty());
  EXPECT_NEAR((box.left + box.right + 1) / 2.0, kWidth / 2.0, 2.0);
}

} // namespace
