// The game step, run once per pass of the main loop before the frame: walks
// and turns the camera with the arrow keys unless a box is in the way, counts
// the balls walked into, reports both in the window title, and handles the
// keys B (bump mapping), D and N (light level) and R (new game). Every amount
// is per pass; a held key acts on every pass.
#include "game/game_step.h"

#include "camera/camera.h"
#include "game/collision.h"
#include "game/game_state.h"
#include "platform/win32.h"
#include "shell/shell_state.h"

#include <cstdio>

char titleText[kArrowKeyCount][kTitleTextSize];

namespace {

SceneRedraw sceneRedraw = nullptr;

constexpr float kWalkStep = 0.05f;      // units per pass at eye distance 1
constexpr float kTurnStep = 0.05f;      // radians per pass
constexpr float kTurnDegrees = 2.8645f; // what the marker turns by per pass
constexpr float kLightStep = 0.01f;

enum ArrowSlot { kUpSlot, kDownSlot, kLeftSlot, kRightSlot };

bool IsKeyHeld(int virtualKey) {
  return (GetKeyState(virtualKey) & 0x80) != 0;
}

void WriteScore(char *buffer) {
  std::snprintf(buffer, kTitleTextSize, "Balls collected so far: %d",
                ballsCollected);
}

void WriteCollision(char *buffer) {
  std::snprintf(buffer, kTitleTextSize, "%s",
                "collision occured, try to move to another direction");
}

// Decides whether the arrow key of this slot may act: tested is the point
// that must lie in no box, classifying the point that says what a block
// means. Writes the key's title either way. True when the key may move.
bool ClearToMove(int slot, Vec3 tested, Vec3 classifying) {
  char *buffer = titleText[slot];
  if (FindHitBox(kCollisionBoxCount, tested) == -1) {
    WriteScore(buffer);
    SetWindowTextA(windowHandle, buffer);
    return true;
  }
  const int hit = FindHitBox(kCollisionBoxCount, classifying);
  if (hit < kFirstBallEntry) {
    WriteCollision(buffer);
  } else {
    // A collected ball's box is emptied only when the renderer next draws,
    // so later keys of this pass (or passes while nothing is drawn) can still
    // run into it: each ball counts once, and such a block just shows the
    // unchanged score.
    if (!ballCollected[hit]) {
      ballsCollected += 1;
      ballCollected[hit] = true;
    }
    WriteScore(buffer);
  }
  SetWindowTextA(windowHandle, buffer);
  return false;
}

void RunArrowKeys() {
  if (IsKeyHeld(VK_UP) &&
      ClearToMove(kUpSlot, camera.viewPoint, camera.viewPoint))
    camera.moveAlongView(kWalkStep);
  // Backing up tests the eye, which is what moves into whatever is behind.
  if (IsKeyHeld(VK_DOWN) &&
      ClearToMove(kDownSlot, camera.position, camera.viewPoint))
    camera.moveAlongView(-kWalkStep);
  if (IsKeyHeld(VK_LEFT) &&
      ClearToMove(kLeftSlot, camera.viewPoint, camera.viewPoint)) {
    camera.rotateEyeAboutViewPoint(-kTurnStep);
    headingDegrees = headingDegrees + kTurnDegrees;
  }
  if (IsKeyHeld(VK_RIGHT) &&
      ClearToMove(kRightSlot, camera.viewPoint, camera.viewPoint)) {
    camera.rotateEyeAboutViewPoint(kTurnStep);
    headingDegrees = headingDegrees - kTurnDegrees;
  }
}

} // namespace

void SetSceneRedraw(SceneRedraw redraw) {
  sceneRedraw = redraw;
}

void RunGameStep() {
  if (!gameOver)
    RunArrowKeys();

  if (IsKeyHeld('B'))
    bumpMappingOn = !bumpMappingOn;
  // Float sums stored as float: the light level walks in single precision.
  if (IsKeyHeld('D')) {
    lightLevel = static_cast<float>(lightLevel + kLightStep);
    if (lightLevel > 1.0f)
      lightLevel = 1.0f;
  }
  if (IsKeyHeld('N')) {
    lightLevel = static_cast<float>(lightLevel - kLightStep);
    if (lightLevel < 0.0f)
      lightLevel = 0.0f;
  }
  if (IsKeyHeld('R')) {
    gameOver = false;
    ballsCollected = 0;
    ResetGame();
    // Fills the new balls' boxes now, before the next step tests them.
    if (sceneRedraw != nullptr)
      sceneRedraw();
  }
}
