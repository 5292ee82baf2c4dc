// The collision table and its queries: inclusive faces, NaN, the lowest index
// winning, the bounded search and the disabled box.
#include "game/collision.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

// The table as the process starts: captured during static initialisation,
// before any test has written to it (zero initialisation precedes it).
struct InitialTable {
  CollisionBox entries[kCollisionBoxCount];
  InitialTable() { std::memcpy(entries, collisionTable, sizeof entries); }
};
const InitialTable initialTable;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

void SetBox(int index, float minX, float maxX, float minZ, float maxZ) {
  collisionTable[index].max = Vec3(maxX, 0.5f, maxZ);
  collisionTable[index].min = Vec3(minX, -0.5f, minZ);
}

class CollisionTest : public ::testing::Test {
protected:
  void SetUp() override {
    for (int i = 0; i < kCollisionBoxCount; ++i)
      DisableBox(i);
  }
};

TEST(CollisionTableAtStart, EveryFieldIsZero) {
  for (int i = 0; i < kCollisionBoxCount; ++i) {
    const CollisionBox &b = initialTable.entries[i];
    EXPECT_EQ(b.max.x, 0.0f) << i;
    EXPECT_EQ(b.max.y, 0.0f) << i;
    EXPECT_EQ(b.max.z, 0.0f) << i;
    EXPECT_EQ(b.min.x, 0.0f) << i;
    EXPECT_EQ(b.min.y, 0.0f) << i;
    EXPECT_EQ(b.min.z, 0.0f) << i;
  }
}

TEST(CollisionTableLayout, MaximumCornerIsStoredFirst) {
  static_assert(sizeof(CollisionBox) == 6 * sizeof(float), "six floats");
  CollisionBox box;
  box.max = Vec3(1.0f, 2.0f, 3.0f);
  box.min = Vec3(4.0f, 5.0f, 6.0f);
  float raw[6];
  std::memcpy(raw, &box, sizeof raw);
  EXPECT_EQ(raw[0], 1.0f);
  EXPECT_EQ(raw[2], 3.0f);
  EXPECT_EQ(raw[3], 4.0f);
  EXPECT_EQ(raw[5], 6.0f);
}

// ---- a point on the faces and just beyond them -----------------------------

TEST_F(CollisionTest, PointsOnEveryFaceAndCornerAreInside) {
  SetBox(3, -1.0f, 2.0f, 0.5f, 1.5f);
  EXPECT_TRUE(IsPointInBox(3, Vec3(-1.0f, 0.0f, 1.0f)));
  EXPECT_TRUE(IsPointInBox(3, Vec3(2.0f, 0.0f, 1.0f)));
  EXPECT_TRUE(IsPointInBox(3, Vec3(0.0f, 0.0f, 0.5f)));
  EXPECT_TRUE(IsPointInBox(3, Vec3(0.0f, 0.0f, 1.5f)));
  EXPECT_TRUE(IsPointInBox(3, Vec3(-1.0f, 0.0f, 0.5f)));
  EXPECT_TRUE(IsPointInBox(3, Vec3(2.0f, 0.0f, 1.5f)));
}

TEST_F(CollisionTest, PointsOneStepBeyondEachFaceAreOutside) {
  SetBox(3, -1.0f, 2.0f, 0.5f, 1.5f);
  const float inf = std::numeric_limits<float>::infinity();
  EXPECT_FALSE(IsPointInBox(3, Vec3(std::nextafter(-1.0f, -inf), 0, 1.0f)));
  EXPECT_FALSE(IsPointInBox(3, Vec3(std::nextafter(2.0f, inf), 0, 1.0f)));
  EXPECT_FALSE(IsPointInBox(3, Vec3(0.0f, 0, std::nextafter(0.5f, -inf))));
  EXPECT_FALSE(IsPointInBox(3, Vec3(0.0f, 0, std::nextafter(1.5f, inf))));
}

TEST_F(CollisionTest, HeightIsNeverLookedAt) {
  SetBox(0, -1.0f, 1.0f, -1.0f, 1.0f); // y from -0.5 to 0.5
  EXPECT_TRUE(IsPointInBox(0, Vec3(0.0f, 100.0f, 0.0f)));
  EXPECT_TRUE(IsPointInBox(0, Vec3(0.0f, -100.0f, 0.0f)));
  EXPECT_TRUE(IsPointInBox(0, Vec3(0.0f, kNaN, 0.0f)));
  // An inverted y range does not switch a box off either.
  collisionTable[0].min.y = 5.0f;
  collisionTable[0].max.y = -5.0f;
  EXPECT_TRUE(IsPointInBox(0, Vec3(0.0f, 0.0f, 0.0f)));
}

TEST_F(CollisionTest, MinimumAboveMaximumInXOrZHoldsNothing) {
  SetBox(1, 1.0f, -1.0f, -1.0f, 1.0f);
  EXPECT_FALSE(IsPointInBox(1, Vec3(0.0f, 0.0f, 0.0f)));
  SetBox(1, -1.0f, 1.0f, 1.0f, -1.0f);
  EXPECT_FALSE(IsPointInBox(1, Vec3(0.0f, 0.0f, 0.0f)));
}

// ---- NaN --------------------------------------------------------------------

TEST_F(CollisionTest, NaNCoordinateIsInNoBox) {
  // A box spanning every finite value, so only NaN can fail.
  const float big = std::numeric_limits<float>::max();
  SetBox(5, -big, big, -big, big);
  EXPECT_TRUE(IsPointInBox(5, Vec3(0.0f, 0.0f, 0.0f)));
  EXPECT_FALSE(IsPointInBox(5, Vec3(kNaN, 0.0f, 0.0f)));
  EXPECT_FALSE(IsPointInBox(5, Vec3(0.0f, 0.0f, kNaN)));
  EXPECT_FALSE(IsPointInBox(5, Vec3(-kNaN, 0.0f, -kNaN)));
  EXPECT_EQ(FindHitBox(kCollisionBoxCount, Vec3(kNaN, 0.0f, 0.0f)), -1);
}

TEST_F(CollisionTest, NaNInAnyBoundHoldsNothing) {
  // One case per comparison: each must be false when its bound is NaN.
  for (int field = 0; field < 4; ++field) {
    SetBox(5, -1.0f, 1.0f, -1.0f, 1.0f);
    CollisionBox &b = collisionTable[5];
    float *bound[] = {&b.max.x, &b.min.x, &b.max.z, &b.min.z};
    *bound[field] = kNaN;
    EXPECT_FALSE(IsPointInBox(5, Vec3(0.0f, 0.0f, 0.0f))) << field;
    EXPECT_EQ(FindHitBox(kCollisionBoxCount, Vec3(0.0f, 0.0f, 0.0f)), -1);
  }
}

// ---- which box is found
// -------------------------------------------------------

TEST_F(CollisionTest, NothingFoundInAnEmptyTable) {
  EXPECT_EQ(FindHitBox(kCollisionBoxCount, Vec3(0.0f, 0.0f, 0.0f)), -1);
  EXPECT_EQ(FindHitBox(kCollisionBoxCount, Vec3(-999999.875f, 0, 999999.875f)),
            -1);
}

TEST_F(CollisionTest, ObstacleWinsOverAnOverlappingBall) {
  SetBox(kFirstBallEntry, 4.9f, 5.1f, 1.1f, 1.3f); // a ball
  SetBox(4, 4.9f, 5.1f, 1.1f, 1.3f);               // the lamp post there
  EXPECT_EQ(FindHitBox(kCollisionBoxCount, Vec3(5.0f, -1.0f, 1.2f)), 4);
  // Where only the ball reaches, the ball is found.
  SetBox(4, 4.95f, 5.1f, 1.1f, 1.3f);
  EXPECT_EQ(FindHitBox(kCollisionBoxCount, Vec3(4.92f, -1.0f, 1.2f)),
            kFirstBallEntry);
}

TEST_F(CollisionTest, LowestOfSeveralBallsWins) {
  SetBox(17, 0.0f, 1.0f, 0.0f, 1.0f);
  SetBox(13, 0.0f, 1.0f, 0.0f, 1.0f);
  SetBox(39, 0.0f, 1.0f, 0.0f, 1.0f);
  EXPECT_EQ(FindHitBox(kCollisionBoxCount, Vec3(0.5f, 0.0f, 0.5f)), 13);
}

TEST_F(CollisionTest, CountLimitsTheSearch) {
  SetBox(10, 0.0f, 1.0f, 0.0f, 1.0f);
  SetBox(39, 0.0f, 1.0f, 0.0f, 1.0f);
  EXPECT_EQ(FindHitBox(10, Vec3(0.5f, 0.0f, 0.5f)), -1);
  EXPECT_EQ(FindHitBox(11, Vec3(0.5f, 0.0f, 0.5f)), 10);
  EXPECT_EQ(FindHitBox(0, Vec3(0.5f, 0.0f, 0.5f)), -1);
  EXPECT_EQ(FindHitBox(-3, Vec3(0.5f, 0.0f, 0.5f)), -1);
  DisableBox(10);
  EXPECT_EQ(FindHitBox(kCollisionBoxCount, Vec3(0.5f, 0.0f, 0.5f)), 39);
}

TEST_F(CollisionTest, SearchNeverGoesPastTheTable) {
  // A count beyond 40 searches the forty entries and no further (ASan
  // would report a read past the array).
  EXPECT_EQ(FindHitBox(1000, Vec3(0.5f, 0.0f, 0.5f)), -1);
  SetBox(39, 0.0f, 1.0f, 0.0f, 1.0f);
  EXPECT_EQ(FindHitBox(41, Vec3(0.5f, 0.0f, 0.5f)), 39);
}

TEST_F(CollisionTest, IndexOutsideTheTableHoldsNothingAndIsNotWritten) {
  EXPECT_FALSE(IsPointInBox(-1, Vec3(0.0f, 0.0f, 0.0f)));
  EXPECT_FALSE(IsPointInBox(kCollisionBoxCount, Vec3(0.0f, 0.0f, 0.0f)));
  SetBox(0, -1.0f, 1.0f, -1.0f, 1.0f);
  SetBox(39, -1.0f, 1.0f, -1.0f, 1.0f);
  DisableBox(-1);
  DisableBox(kCollisionBoxCount);
  EXPECT_TRUE(IsPointInBox(0, Vec3(0.0f, 0.0f, 0.0f)));
  EXPECT_TRUE(IsPointInBox(39, Vec3(0.0f, 0.0f, 0.0f)));
}

// ---- disabling
// -----------------------------------------------------------------

TEST_F(CollisionTest, DisabledBoxHasTheSixEmptyValues) {
  SetBox(14, 2.9f, 3.1f, -0.6f, -0.4f);
  DisableBox(14);
  const CollisionBox &b = collisionTable[14];
  EXPECT_EQ(b.min.x, 999999.875f);
  EXPECT_EQ(b.max.x, -999999.875f);
  EXPECT_EQ(b.min.y, 999999.875f);
  EXPECT_EQ(b.max.y, -999999.875f);
  EXPECT_EQ(b.min.z, 999999.875f);
  EXPECT_EQ(b.max.z, -999999.875f);
  // The value is exact in single precision.
  EXPECT_EQ(static_cast<double>(b.min.x), 999999.875);
}

TEST_F(CollisionTest, DisabledBoxHoldsNoPointAtAll) {
  SetBox(20, -1.0f, 1.0f, -1.0f, 1.0f);
  DisableBox(20);
  const float points[] = {0.0f, 999999.875f, -999999.875f, 1e30f, -1e30f};
  for (float x : points)
    for (float z : points)
      EXPECT_FALSE(IsPointInBox(20, Vec3(x, 0.0f, z))) << x << " " << z;
}

TEST_F(CollisionTest, DisablingTouchesOnlyItsEntry) {
  SetBox(11, -2.6f, 2.6f, 2.4f, 2.6f);
  SetBox(12, -1.0f, 1.0f, 2.4f, 2.6f);
  SetBox(13, -1.0f, 1.0f, 2.4f, 2.6f);
  DisableBox(12);
  EXPECT_EQ(collisionTable[11].max.x, 2.6f);
  EXPECT_EQ(collisionTable[13].min.z, 2.4f);
  EXPECT_EQ(FindHitBox(kCollisionBoxCount, Vec3(0.0f, 0.0f, 2.5f)), 11);
  DisableBox(11);
  EXPECT_EQ(FindHitBox(kCollisionBoxCount, Vec3(0.0f, 0.0f, 2.5f)), 13);
}

} // namespace
