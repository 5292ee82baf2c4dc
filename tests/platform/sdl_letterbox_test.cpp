// Where full screen puts the game's picture: as large as the screen allows
// with its shape kept, centred, the bars on the sides the screen has to spare.
#include "platform/sdl/sdl_letterbox.h"

#include <gtest/gtest.h>

namespace {

using sdl_face::Box;
using sdl_face::FitInside;

void ExpectBox(const Box &box, int x, int y, int width, int height) {
  EXPECT_EQ(box.x, x);
  EXPECT_EQ(box.y, y);
  EXPECT_EQ(box.width, width);
  EXPECT_EQ(box.height, height);
}

TEST(Letterbox, AWideScreenHasBarsLeftAndRight) {
  ExpectBox(FitInside(640, 480, 1600, 900), 200, 0, 1200, 900);
  ExpectBox(FitInside(640, 480, 1920, 1080), 240, 0, 1440, 1080);
}

TEST(Letterbox, ATallScreenHasBarsAboveAndBelow) {
  ExpectBox(FitInside(640, 480, 1280, 1024), 0, 32, 1280, 960);
  ExpectBox(FitInside(640, 480, 480, 640), 0, 140, 480, 360);
}

TEST(Letterbox, TheSameShapeFillsTheScreen) {
  ExpectBox(FitInside(640, 480, 640, 480), 0, 0, 640, 480);
  ExpectBox(FitInside(640, 480, 1024, 768), 0, 0, 1024, 768);
}

TEST(Letterbox, AnEmptyPictureTakesTheScreen) {
  ExpectBox(FitInside(0, 480, 1600, 900), 0, 0, 1600, 900);
}

} // namespace
