// The game values shared by the game step and the renderer. None of them is
// reset by R or by the scene set-up except where the game step says so.
#include "game/game_state.h"

#include <cstring>

float lightLevel = 1.0f;
bool bumpMappingOn = false;
float headingDegrees = 0.0f;
int ballsCollected = 0;
bool gameOver = false;
bool ballCollected[kCollisionBoxCount] = {};
float ballOffsetX[kCollisionBoxCount] = {};
float ballOffsetZ[kCollisionBoxCount] = {};

void ResetGameValues() {
  lightLevel = 1.0f;
  bumpMappingOn = false;
  headingDegrees = 0.0f;
  ballsCollected = 0;
  gameOver = false;
  std::memset(collisionTable, 0, sizeof collisionTable);
  std::memset(ballCollected, 0, sizeof ballCollected);
  std::memset(ballOffsetX, 0, sizeof ballOffsetX);
  std::memset(ballOffsetZ, 0, sizeof ballOffsetZ);
}

FloorPoint BallCentre(int entry) {
  return {5.0f + ballOffsetX[entry], 2.5f + ballOffsetZ[entry]};
}
