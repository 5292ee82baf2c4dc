// The size full screen draws at: the screen's 4:3 box, the ladder of
// smaller sizes below it, and the stepper that walks the ladder by measured
// pass times without ever see-sawing between two sizes.
#include "platform/sdl/sdl_draw_size.h"

#include "platform/pace.h"

#include <gtest/gtest.h>

namespace {

using sdl_face::Size;
using sdl_face::Stepper;

constexpr Size kPicture = {640, 480};

void ExpectSize(Size size, int width, int height) {
  EXPECT_EQ(size.width, width);
  EXPECT_EQ(size.height, height);
}

TEST(DrawSize, TheBoxIsTheLargest4By3TheScreenHolds) {
  ExpectSize(sdl_face::BoxOf(kPicture, {1600, 900}), 1200, 900);
  ExpectSize(sdl_face::BoxOf(kPicture, {3840, 2160}), 2880, 2160);
  // A tall screen runs out of width first.
  ExpectSize(sdl_face::BoxOf(kPicture, {1280, 1024}), 1280, 960);
}

TEST(DrawSize, TheLadderKeeps4By3AndEndsAtThePicture) {
  for (const Size screen : {Size{1600, 900}, Size{3840, 2160}}) {
    const Size box = sdl_face::BoxOf(kPicture, screen);
    const int length = sdl_face::LadderLength(box, kPicture);
    ASSERT_GE(length, 2);
    ExpectSize(sdl_face::LadderSize(box, kPicture, 0), box.width, box.height);
    Size above = box;
    for (int level = 1; level < length; ++level) {
      const Size size = sdl_face::LadderSize(box, kPicture, level);
      EXPECT_EQ(size.width * 3, size.height * 4)
          << size.width << "x" << size.height;
      EXPECT_LT(size.height, above.height) << "level " << level;
      above = size;
    }
    ExpectSize(above, 640, 480);
    // Past the end it stays at the picture's own size.
    ExpectSize(sdl_face::LadderSize(box, kPicture, length), 640, 480);
  }
}

constexpr Size kBox = {2880, 2160};
constexpr double kPass = pace::kPassSeconds;

// A whole window of equal passes; true when it changed the level.
bool Window(Stepper *stepper, double period, double busy) {
  bool changed = false;
  for (int i = 0; i < sdl_face::kWindowPasses; ++i)
    changed = sdl_face::NotePass(stepper, period, busy, kBox, kPicture);
  return changed;
}

bool Slow(Stepper *stepper) {
  return Window(stepper, kPass * 2, kPass * 2);
}

// On pace with most of each pass asleep: room for a larger size.
bool Fast(Stepper *stepper) {
  return Window(stepper, kPass, kPass * 0.1);
}

// A stepper past a new window's first window, which is never judged: it
// holds the window's own start-up.
Stepper Started() {
  Stepper stepper;
  Slow(&stepper);
  return stepper;
}

TEST(DrawSize, SlowWindowsStepDownOneSizeAtATime) {
  Stepper stepper;
  EXPECT_FALSE(Slow(&stepper));
  EXPECT_EQ(stepper.level, 0);
  // Only a whole window is judged.
  for (int i = 0; i < sdl_face::kWindowPasses - 1; ++i)
    EXPECT_FALSE(
        sdl_face::NotePass(&stepper, kPass * 2, kPass * 2, kBox, kPicture));
  EXPECT_TRUE(
      sdl_face::NotePass(&stepper, kPass * 2, kPass * 2, kBox, kPicture));
  EXPECT_EQ(stepper.level, 1);
  // The window after a step is the step's own cost, not judged.
  EXPECT_FALSE(Slow(&stepper));
  EXPECT_EQ(stepper.level, 1);
  EXPECT_TRUE(Slow(&stepper));
  EXPECT_EQ(stepper.level, 2);
  // Never below the picture's own size.
  const int last = sdl_face::LadderLength(kBox, kPicture) - 1;
  for (int i = 0; i < 4 * last; ++i)
    Slow(&stepper);
  EXPECT_EQ(stepper.level, last);
}

TEST(DrawSize, FastWindowsStepBackUp) {
  Stepper stepper = Started();
  Slow(&stepper);
  Slow(&stepper); // settling
  Slow(&stepper);
  Slow(&stepper); // settling
  ASSERT_EQ(stepper.level, 2);
  EXPECT_TRUE(Fast(&stepper));
  EXPECT_EQ(stepper.level, 1);
  EXPECT_FALSE(Fast(&stepper)); // settling
  EXPECT_TRUE(Fast(&stepper));
  EXPECT_EQ(stepper.level, 0);
  for (int i = 0; i < 4; ++i)
    EXPECT_FALSE(Fast(&stepper));
  EXPECT_EQ(stepper.level, 0);
}

TEST(DrawSize, OnPaceButNoRoomForTheLargerSizeStays) {
  Stepper stepper = Started();
  Slow(&stepper);
  Slow(&stepper); // settling
  ASSERT_EQ(stepper.level, 1);
  // On time, but half a pass busy: the larger size would not keep pace.
  for (int i = 0; i < 8; ++i)
    EXPECT_FALSE(Window(&stepper, kPass, kPass * 0.5));
  EXPECT_EQ(stepper.level, 1);
}

// Fast windows until a step up; how many it took.
int FastUntilUp(Stepper *stepper) {
  for (int windows = 1; windows <= 1000; ++windows)
    if (Fast(stepper))
      return windows;
  return -1;
}

TEST(DrawSize, ATakenBackStepUpDoublesTheWait) {
  Stepper stepper = Started();
  Slow(&stepper);
  Slow(&stepper); // settling
  ASSERT_EQ(stepper.level, 1);
  int expected = 1; // the first step up is not held back
  for (int round = 0; round < 5; ++round) {
    EXPECT_EQ(FastUntilUp(&stepper), expected) << "round " << round;
    EXPECT_EQ(stepper.level, 0);
    Slow(&stepper); // settling after the step up
    EXPECT_TRUE(Slow(&stepper));
    EXPECT_EQ(stepper.level, 1);
    Slow(&stepper); // settling
    expected = expected == 1 ? sdl_face::kFirstWait : expected * 2;
  }
  // The wait stops growing at about a minute.
  for (int round = 0; round < 4; ++round) {
    FastUntilUp(&stepper);
    Slow(&stepper);
    Slow(&stepper);
    Slow(&stepper);
  }
  EXPECT_EQ(FastUntilUp(&stepper), sdl_face::kLongestWait);
}

} // namespace
