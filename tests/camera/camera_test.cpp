// The camera's walk and turns: start placement, rounding, order of writes.
#include "camera/camera.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

Camera StartCamera() {
  Camera c;
  c.place(1.0f, -1.0f, 0.0f, 0.0f, -1.0f, 0.0f, 0.0f, 1.0f, 0.0f);
  return c;
}

void ExpectVec(const Vec3 &v, float x, float y, float z) {
  EXPECT_FLOAT_EQ(v.x, x);
  EXPECT_FLOAT_EQ(v.y, y);
  EXPECT_FLOAT_EQ(v.z, z);
}

TEST(CameraWalk, OneStepForwardFromTheStart) {
  Camera c = StartCamera();
  c.moveAlongView(0.05f);
  ExpectVec(c.position, 0.95f, -1.0f, 0.0f);
  ExpectVec(c.viewPoint, -0.05f, -1.0f, 0.0f);
  ExpectVec(c.upVector, 0.0f, 1.0f, 0.0f);
}

TEST(CameraWalk, TwentyStepsKeepTheEyeOneUnitBehind) {
  Camera c = StartCamera();
  for (int i = 0; i < 20; ++i)
    c.moveAlongView(0.05f);
  EXPECT_NEAR(c.position.x, 0.0f, 1e-5);
  EXPECT_NEAR(c.viewPoint.x - c.position.x, -1.0f, 1e-5);
  c.moveAlongView(-0.05f);
  EXPECT_NEAR(c.position.x, 0.05f, 1e-5);
}

TEST(CameraWalk, VerticalOffsetNeverChangesHeight) {
  Camera c;
  c.place(0.0f, 0.0f, 0.0f, 1.0f, 5.0f, 0.0f, 0.0f, 1.0f, 0.0f);
  c.moveAlongView(0.5f);
  ExpectVec(c.position, 0.5f, 0.0f, 0.0f);
  ExpectVec(c.viewPoint, 1.5f, 5.0f, 0.0f);
}

TEST(CameraWalk, ZeroOffsetChangesNothing) {
  Camera c;
  c.place(2.0f, -1.0f, 3.0f, 2.0f, -1.0f, 3.0f, 0.0f, 1.0f, 0.0f);
  c.moveAlongView(0.05f);
  c.rotateEyeAboutViewPoint(0.05f);
  c.rotateViewPointAboutEye(0.05f);
  ExpectVec(c.position, 2.0f, -1.0f, 3.0f);
  ExpectVec(c.viewPoint, 2.0f, -1.0f, 3.0f);
}

TEST(CameraTurn, RightTurnSwingsTheEyeTowardsPlusZ) {
  Camera c = StartCamera();
  c.rotateEyeAboutViewPoint(0.05f);
  ExpectVec(c.viewPoint, 0.0f, -1.0f, 0.0f);
  EXPECT_EQ(c.position.x, static_cast<float>(std::cos(double(0.05f))));
  EXPECT_EQ(c.position.z, static_cast<float>(std::sin(double(0.05f))));
  EXPECT_NEAR(c.position.z, 0.04998, 1e-5);
  EXPECT_EQ(c.position.y, -1.0f);
}

TEST(CameraTurn, LeftTurnSwingsTheEyeTowardsMinusZ) {
  Camera c = StartCamera();
  c.rotateEyeAboutViewPoint(-0.05f);
  EXPECT_NEAR(c.position.z, -0.04998, 1e-5);
  EXPECT_NEAR(c.position.x, 0.99875, 1e-5);
}

TEST(CameraTurn, BothCoordinatesComeFromTheSavedOffset) {
  // A quarter turn of an offset along +x must land on +z with x back on the
  // pivot; writing z first and then reading it back for x would not.
  Camera c;
  c.place(1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f);
  const float quarter = static_cast<float>(M_PI / 2);
  c.rotateEyeAboutViewPoint(quarter);
  EXPECT_NEAR(c.position.x, 0.0f, 1e-6);
  EXPECT_NEAR(c.position.z, 1.0f, 1e-6);
}

TEST(CameraTurn, SumsRoundOnceFromDouble) {
  Camera c;
  c.place(3.3f, 0.0f, -7.1f, 1.7f, 0.0f, 2.9f, 0.0f, 1.0f, 0.0f);
  const float angle = 0.05f;
  const double s = std::sin(double(angle)), co = std::cos(double(angle));
  const float dx = 3.3f - 1.7f, dz = -7.1f - 2.9f;
  const float wantZ = static_cast<float>(2.9f + s * dx + co * dz);
  const float wantX = static_cast<float>(1.7f + co * dx - s * dz);
  c.rotateEyeAboutViewPoint(angle);
  EXPECT_EQ(c.position.z, wantZ);
  EXPECT_EQ(c.position.x, wantX);
}

TEST(CameraTurn, TwentyTurnsEachWayComeBack) {
  Camera c = StartCamera();
  for (int i = 0; i < 20; ++i)
    c.rotateEyeAboutViewPoint(-0.05f);
  for (int i = 0; i < 20; ++i)
    c.rotateEyeAboutViewPoint(0.05f);
  EXPECT_NEAR(c.position.x, 1.0f, 1e-5);
  EXPECT_NEAR(c.position.z, 0.0f, 1e-5);
}

TEST(CameraTurn, ViewPointTurnsAboutTheEye) {
  Camera c = StartCamera();
  c.rotateViewPointAboutEye(0.05f);
  ExpectVec(c.position, 1.0f, -1.0f, 0.0f);
  // Offset (-1, 0, 0) turned by +0.05 rad points towards -z.
  EXPECT_NEAR(c.viewPoint.x, 1.0 - std::cos(0.05), 1e-6);
  EXPECT_NEAR(c.viewPoint.z, -std::sin(0.05), 1e-6);
}

TEST(CameraStorage, StaticCameraStartsAtZero) {
  ExpectVec(camera.position, 0.0f, 0.0f, 0.0f);
  ExpectVec(camera.viewPoint, 0.0f, 0.0f, 0.0f);
  ExpectVec(camera.upVector, 0.0f, 0.0f, 0.0f);
}

} // namespace
