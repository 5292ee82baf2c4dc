// The game values shared by the game step and the renderer. None of them is
// reset by R or by the scene set-up except where the game step says so.
#include "game/game_state.h"

float lightLevel = 1.0f;
bool bumpMappingOn = false;
float headingDegrees = 0.0f;
int ballsCollected = 0;
bool gameOver = false;
bool ballCollected[kCollisionBoxCount] = {};
float ballOffsetX[kCollisionBoxCount] = {};
float ballOffsetZ[kCollisionBoxCount] = {};
