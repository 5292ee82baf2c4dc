// The pace of the real loop on the twin's simulated clock: at most 60 passes
// a second whatever the display's refresh, the same steps per pass, and no
// burst of quick passes after a stall.
#include "shell_fixture.h"

#include "camera/camera.h"

#include <functional>
#include <memory>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);

namespace {

using Pace = ShellTest;

struct Turned {
  double seconds; // simulated
  Vec3 eye;       // after the passes
};

// Plays `passes` passes turning left in a window, at a display of `hz`
// refreshes (0: swaps never wait); onPass sees each pass's number first.
// Drawing stops after the first frame (the window is minimised, as far as
// the game knows) to keep the run short; steps and swaps go on.
Turned TurnFor(int passes, double hz,
               const std::function<void(int)> &onPass = nullptr) {
  scripted::Reset();
  ResetShellState();
  scripted::SetRecording(false);
  scripted::SetRefreshRate(hz);
  scripted::QueueMessageBoxAnswer(IDNO);
  scripted::SetKeyDown(VK_LEFT, true);
  auto count = std::make_shared<int>(0);
  scripted::SetIdleHook([count, passes, onPass]() {
    ++*count;
    if (onPass)
      onPass(*count);
    if (*count == 2)
      scripted::InjectMessage(windowHandle, WM_ACTIVATE,
                              static_cast<WPARAM>(MAKELONG(WA_INACTIVE, 1)), 0);
    if (*count == passes)
      scripted::InjectMessage(windowHandle, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, SW_SHOW), 0);
  return {scripted::SimulatedSeconds(), camera.position};
}

TEST_F(Pace, SixHundredPassesTakeTenSecondsOnAFastDisplayAndTwentyAtThirty) {
  const Turned fast = TurnFor(600, 240);
  const Turned slow = TurnFor(600, 30);
  const Turned unsynced = TurnFor(600, 0); // vsync refused
  EXPECT_NEAR(fast.seconds, 10.0, 0.05);
  EXPECT_NEAR(slow.seconds, 20.0, 0.05);
  EXPECT_NEAR(unsynced.seconds, 10.0, 0.05);
  // Every pass turned the same step, however long it took.
  EXPECT_NE(fast.eye.x, 0.0f);
  EXPECT_EQ(fast.eye.x, slow.eye.x);
  EXPECT_EQ(fast.eye.z, slow.eye.z);
  EXPECT_EQ(fast.eye.x, unsynced.eye.x);
  EXPECT_EQ(fast.eye.z, unsynced.eye.z);
}

TEST_F(Pace, AStallIsNotMadeUpByQuickPasses) {
  double stallEnd = 0;
  double sixtyAfter = 0;
  TurnFor(100, 0, [&](int pass) {
    if (pass == 20) {
      scripted::AdvanceClock(0.5); // this pass takes half a second
      stallEnd = scripted::SimulatedSeconds();
    } else if (pass == 81) {
      sixtyAfter = scripted::SimulatedSeconds();
    }
  });
  // The stalled pass and the sixty after it take a second, not less.
  EXPECT_NEAR(sixtyAfter - stallEnd, 1.0, 0.001);
}

} // namespace
