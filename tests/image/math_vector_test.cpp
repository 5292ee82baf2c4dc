// MathVector and the colour constants: the operations the cube map relies
// on, the precision rule, and the rest of the small library.
#include <gtest/gtest.h>

#include <cmath>
#include <type_traits>

#include "image/math_vector.h"

namespace {

void ExpectVector(const MathVector &v, float x, float y, float z) {
  EXPECT_FLOAT_EQ(v.getX(), x);
  EXPECT_FLOAT_EQ(v.getY(), y);
  EXPECT_FLOAT_EQ(v.getZ(), z);
}

void ExpectNear(const MathVector &v, float x, float y, float z) {
  EXPECT_NEAR(v.getX(), x, 1e-6);
  EXPECT_NEAR(v.getY(), y, 1e-6);
  EXPECT_NEAR(v.getZ(), z, 1e-6);
}

void ExpectExactly(const MathVector &v, float x, float y, float z) {
  EXPECT_EQ(v.getX(), x);
  EXPECT_EQ(v.getY(), y);
  EXPECT_EQ(v.getZ(), z);
}

} // namespace

TEST(MathVectorLayout, ThreeFloatsAndNothingElse) {
  EXPECT_EQ(sizeof(MathVector), 3 * sizeof(float));
  EXPECT_TRUE(std::is_trivially_copyable<MathVector>::value);
  EXPECT_TRUE(std::is_standard_layout<MathVector>::value);
}

TEST(MathVectorBasics, ConstructionAccessAndCopies) {
  ExpectExactly(MathVector(), 0, 0, 0);
  MathVector v(1.5f, -2.0f, 3.25f);
  ExpectExactly(v, 1.5f, -2.0f, 3.25f);
  v.setX(7);
  v.setY(8);
  v.setZ(9);
  MathVector copy = v;
  ExpectExactly(copy, 7, 8, 9);
  copy.setX(0);
  EXPECT_EQ(v.getX(), 7);
}

TEST(MathVectorBasics, LengthSumAndScale) {
  EXPECT_EQ(MathVector(3, 0, 4).length(), 5.0f);
  EXPECT_EQ(MathVector(2, 3, 6).length(), 7.0f);
  ExpectExactly(MathVector(1, 2, 3) * 2.0f, 2, 4, 6);
  ExpectExactly(0.5f * MathVector(1, 2, 3), 0.5f, 1, 1.5f);
  ExpectExactly(MathVector(1, 2, 3) + MathVector(-1, 0.5f, 4), 0, 2.5f, 7);
  EXPECT_EQ(MathVector(1, 2, 3).dot(MathVector(4, -5, 6)), 12.0f);
}

TEST(MathVectorBasics, LengthIsComputedInDouble) {
  // x*x overflows float; in double the length is exact and fits a float.
  EXPECT_FLOAT_EQ(MathVector(3e20f, 4e20f, 0).length(), 5e20f);
}

TEST(MathVectorNormalise, ZeroVectorStaysZero) {
  MathVector v;
  v.normalise();
  ExpectExactly(v, 0, 0, 0);
  EXPECT_FALSE(std::isnan(v.getX()));
}

TEST(MathVectorNormalise, UnitLengthIsLeftBitForBit) {
  MathVector v(0, 0, 1);
  v.normalise();
  ExpectExactly(v, 0, 0, 1);
  // A vector whose length rounds to exactly 1 is not rescaled.
  const float c = 0.6f, s = 0.8f;
  MathVector w(c, s, 0);
  ASSERT_EQ(w.length(), 1.0f);
  w.normalise();
  ExpectExactly(w, c, s, 0);
}

TEST(MathVectorNormalise, ThreeZeroFour) {
  MathVector v(3, 0, 4);
  v.normalise();
  ExpectVector(v, 0.6f, 0, 0.8f);
  // inv = float(1 / 5), then each product rounded to float.
  float inverse = static_cast<float>(1.0 / 5.0);
  EXPECT_EQ(v.getX(), static_cast<float>(static_cast<double>(inverse) * 3));
  EXPECT_EQ(v.getZ(), static_cast<float>(static_cast<double>(inverse) * 4));
  ExpectVector(MathVector(0, -7, 0).normalised(), 0, -1, 0);
}

TEST(MathVectorPacking, PackedToUnitRange) {
  ExpectExactly(MathVector().packedToUnitRange(), 0.5f, 0.5f, 0.5f);
  ExpectExactly(MathVector(2, 0, 0).packedToUnitRange(), 1, 0.5f, 0.5f);
  ExpectExactly(MathVector(0, -5, 0).packedToUnitRange(), 0.5f, 0, 0.5f);
  MathVector v(3, 0, 4);
  MathVector packed = v.packedToUnitRange();
  ExpectVector(packed, 0.8f, 0.5f, 0.9f);
  ExpectExactly(v, 3, 0, 4); // the copy form leaves its source alone
}

TEST(MathVectorPacking, PackToUnitRangeNormalisesFirst) {
  MathVector v(0, 0, 1);
  v.packToUnitRange();
  ExpectExactly(v, 0.5f, 0.5f, 1);
  MathVector w(0, 10, 0);
  w.packToUnitRange();
  ExpectExactly(w, 0.5f, 1, 0.5f);
}

TEST(MathVectorRotation, AboutEachAxis) {
  ExpectNear(MathVector(0, 1, 0).rotatedX(90), 0, 0, 1);
  ExpectNear(MathVector(0, 0, 1).rotatedY(90), 1, 0, 0);
  ExpectNear(MathVector(1, 0, 0).rotatedZ(90), 0, 1, 0);
  ExpectNear(MathVector(1, 2, 3).rotatedZ(360), 1, 2, 3);
  MathVector v(1, 0, 0);
  v.rotateZ(180);
  EXPECT_NEAR(v.getX(), -1, 1e-6);
  EXPECT_NEAR(v.getY(), 0, 1e-6);
  v.rotateX(45); // on the x axis: unchanged
  EXPECT_NEAR(v.getX(), -1, 1e-6);
  v.rotateY(-90);
  EXPECT_NEAR(v.getZ(), -1, 1e-6);
}

TEST(MathVectorRotation, AboutAnArbitraryAxis) {
  // A third of a turn about (1, 1, 1) cycles the axes.
  MathVector v = MathVector(1, 0, 0).rotatedAxis(120, MathVector(2, 2, 2));
  EXPECT_NEAR(v.getX(), 0, 1e-6);
  EXPECT_NEAR(v.getY(), 1, 1e-6);
  EXPECT_NEAR(v.getZ(), 0, 1e-6);
  // Matches the single-axis form about z.
  MathVector a = MathVector(1, 2, 3).rotatedAxis(30, MathVector(0, 0, 5));
  MathVector b = MathVector(1, 2, 3).rotatedZ(30);
  EXPECT_NEAR(a.getX(), b.getX(), 1e-6);
  EXPECT_NEAR(a.getY(), b.getY(), 1e-6);
  EXPECT_NEAR(a.getZ(), b.getZ(), 1e-6);
  MathVector c(1, 2, 3);
  c.rotateAxis(50, MathVector()); // no axis: no rotation
  ExpectExactly(c, 1, 2, 3);
}

TEST(MathVectorCompare, EqualityComparesAllThree) {
  EXPECT_TRUE(MathVector(1, 2, 3) == MathVector(1, 2, 3));
  EXPECT_FALSE(MathVector(1, 2, 3) == MathVector(1, 2, 4));
  EXPECT_TRUE(MathVector(1, 2, 3) != MathVector(0, 2, 3));
}

TEST(RgbaColourConstants, FiveColours) {
  auto expect = [](const RgbaColour &c, float r, float g, float b, float a) {
    EXPECT_EQ(c.r, r);
    EXPECT_EQ(c.g, g);
    EXPECT_EQ(c.b, b);
    EXPECT_EQ(c.a, a);
  };
  expect(whiteColour, 1, 1, 1, 1);
  expect(blackColour, 0, 0, 0, 0);
  expect(redColour, 1, 0, 0, 1);
  expect(greenColour, 0, 1, 0, 1);
  expect(blueColour, 0, 0, 1, 1);
  EXPECT_EQ(sizeof(RgbaColour), 4 * sizeof(float));
}
