// The collision entries a frame writes: the obstacles' exact single-precision
// values whatever the table held, the balls' from their offsets, and the
// collected balls' kept empty.
#include "tests/render/scene_fixture.h"

#include <limits>

namespace {

struct Expected {
  int entry;
  float maxX, maxY, maxZ, minX, minY, minZ;
};

// The lamp posts' top and their 1.3 bounds are the single-precision sums of
// the post's values, one ulp off the nearest floats to -0.6 and 1.3.
const Expected kObstacles[] = {
    {0, 5.7f, -0.4f, 4.6f, 5.3f, -1.6f, 3.4f},
    {1, 9.1f, -0.59999996f, -1.1f, 8.9f, -1.5f, -1.3000001f},
    {2, 3.6f, -0.59999996f, -1.1f, 3.4f, -1.5f, -1.3000001f},
    {3, 9.1f, -0.59999996f, 2.1f, 8.9f, -1.5f, 1.9f},
    {4, 5.1f, -0.59999996f, 1.3000001f, 4.9f, -1.5f, 1.1f},
    {5, 5.6f, -0.59999996f, 5.1f, 5.4f, -1.5f, 4.9f},
    {6, 9.1f, -0.59999996f, 8.1f, 8.9f, -1.5f, 7.9f},
    {7, 0.85f, -0.9f, -1.65f, -0.85f, -1.6f, -2.35f},
    {8, 0.6f, -0.9f, 2.35f, -0.6f, -1.6f, 1.65f},
    {9, -2.4f, 1.6f, 2.6f, -2.6f, -1.6f, -2.6f},
    {10, 2.6f, 1.6f, -2.4f, -2.6f, -1.6f, -2.6f},
    {11, 2.6f, 1.6f, 2.6f, -2.6f, -1.6f, 2.4f},
};

// Bit for bit: -0.6f and -0.59999996f compare unequal, as they should.
void ExpectBox(int entry, float maxX, float maxY, float maxZ, float minX,
               float minY, float minZ) {
  const CollisionBox &b = collisionTable[entry];
  EXPECT_EQ(b.max.x, maxX) << "entry " << entry;
  EXPECT_EQ(b.max.y, maxY) << "entry " << entry;
  EXPECT_EQ(b.max.z, maxZ) << "entry " << entry;
  EXPECT_EQ(b.min.x, minX) << "entry " << entry;
  EXPECT_EQ(b.min.y, minY) << "entry " << entry;
  EXPECT_EQ(b.min.z, minZ) << "entry " << entry;
}

void ExpectDisabled(int entry) {
  ExpectBox(entry, -999999.875f, -999999.875f, -999999.875f, 999999.875f,
            999999.875f, 999999.875f);
}

void Fill(int entry, float value) {
  collisionTable[entry].max = Vec3(value, value, value);
  collisionTable[entry].min = Vec3(value, value, value);
}

using FrameBoxes = SceneTest;

TEST_F(FrameBoxes, TheSingleValuesAreNotTheNearestFloats) {
  EXPECT_NE(-0.59999996f, -0.6f);
  EXPECT_NE(1.3000001f, 1.3f);
  EXPECT_NE(-1.3000001f, -1.3f);
}

TEST_F(FrameBoxes, ObstaclesHoldTheirValuesAfterTheFirstFrame) {
  Draw();
  for (const Expected &e : kObstacles) {
    ExpectBox(e.entry, e.maxX, e.maxY, e.maxZ, e.minX, e.minY, e.minZ);
  }
}

TEST_F(FrameBoxes, ObstaclesAreRewrittenWhateverWasThere) {
  Draw();
  for (int i = 0; i < 12; ++i) {
    if (i % 3 == 0) {
      DisableBox(i);
    } else if (i % 3 == 1) {
      Fill(i, std::numeric_limits<float>::quiet_NaN());
    } else {
      Fill(i, 0.0f);
    }
  }
  Draw();
  for (const Expected &e : kObstacles) {
    ExpectBox(e.entry, e.maxX, e.maxY, e.maxZ, e.minX, e.minY, e.minZ);
  }
}

TEST_F(FrameBoxes, BallsFollowTheirOffsets) {
  for (int i = kFirstBallEntry; i < kFirstBallEntry + kBallCount; ++i) {
    PlaceBall(i, static_cast<float>(i - 17), static_cast<float>(16 - i));
  }
  Draw();
  for (int i = kFirstBallEntry; i < kFirstBallEntry + kBallCount; ++i) {
    const float x = 5.0f + static_cast<float>(i - 17);
    const float z = 2.5f + static_cast<float>(16 - i);
    ExpectBox(i, x + 0.1f, -1.1f, z + 0.1f, x - 0.1f, -1.3f, z - 0.1f);
  }
  // A new layout moves the boxes with the next frame.
  PlaceBall(12, 4.0f, -5.0f);
  Draw();
  ExpectBox(12, 9.1f, -1.1f, -2.4f, 8.9f, -1.3f, -2.6f);
}

TEST_F(FrameBoxes, TwoBallsWithTheSameOffsetsGetTheSameBox) {
  PlaceBall(14, 1.0f, 1.0f);
  PlaceBall(19, 1.0f, 1.0f);
  Draw();
  ExpectBox(14, 6.1f, -1.1f, 3.6f, 5.9f, -1.3f, 3.4f);
  ExpectBox(19, 6.1f, -1.1f, 3.6f, 5.9f, -1.3f, 3.4f);
}

TEST_F(FrameBoxes, ACollectedBallsBoxStaysEmptyEveryFrame) {
  PlaceBall(16, -2.0f, 0.0f);
  Draw();
  ExpectBox(16, 3.1f, -1.1f, 2.6f, 2.9f, -1.3f, 2.4f);
  EXPECT_EQ(FindHitBox(kCollisionBoxCount, Vec3(3.0f, -1.0f, 2.5f)), 16);

  ballCollected[16] = true;
  Draw();
  ExpectDisabled(16);
  EXPECT_EQ(FindHitBox(kCollisionBoxCount, Vec3(3.0f, -1.0f, 2.5f)), -1);

  // Something writes it again between frames; the next frame empties it.
  Fill(16, 3.0f);
  Draw();
  ExpectDisabled(16);
}

TEST_F(FrameBoxes, SpareEntriesAreNeverTouched) {
  for (int i = 22; i < kCollisionBoxCount; ++i) {
    Fill(i, static_cast<float>(i));
  }
  Draw();
  for (int i = 22; i < kCollisionBoxCount; ++i) {
    ExpectBox(i, static_cast<float>(i), static_cast<float>(i),
              static_cast<float>(i), static_cast<float>(i),
              static_cast<float>(i), static_cast<float>(i));
  }
}

TEST_F(FrameBoxes, GameOverIsRaisedAtTenBallsNotAtNine) {
  ballsCollected = 9;
  Draw();
  EXPECT_FALSE(gameOver);
  ballsCollected = 10;
  Draw();
  EXPECT_TRUE(gameOver);
  ballsCollected = 0; // only R clears it, and the frame never does
  Draw();
  EXPECT_TRUE(gameOver);
}

TEST_F(FrameBoxes, TheWallAtPlusXHasNoBox) {
  Draw();
  EXPECT_EQ(FindHitBox(kCollisionBoxCount, Vec3(2.5f, -1.0f, 0.0f)), -1);
  EXPECT_EQ(FindHitBox(kCollisionBoxCount, Vec3(-2.5f, -1.0f, 0.0f)), 9);
  EXPECT_EQ(FindHitBox(kCollisionBoxCount, Vec3(0.0f, -1.0f, -2.5f)), 10);
  EXPECT_EQ(FindHitBox(kCollisionBoxCount, Vec3(0.0f, -1.0f, 2.5f)), 11);
}

} // namespace
