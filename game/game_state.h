// Game values shared by the game step and the renderer: light level, bump
// mapping, heading, the balls, the score and the game-over flag.
#pragma once

#include "game/collision.h"

#include <cstdint>

extern float lightLevel;     // 0..1, initial 1.0; keys D and N
extern bool bumpMappingOn;   // key B
extern float headingDegrees; // sum of the turns made, in degrees
extern int ballsCollected;   // the score of the current game
extern bool gameOver;        // set by the renderer at ten balls, cleared by R
// Indexed like collisionTable; only the ball entries 12-21 are read.
extern bool ballCollected[kCollisionBoxCount];
extern float ballOffsetX[kCollisionBoxCount];
extern float ballOffsetZ[kCollisionBoxCount];

// Every game value and the collision table back to what the process starts
// with. The game itself never does this: R keeps the light, bump mapping and
// heading; tests and tools start each run from here.
void ResetGameValues();

// Where a ball stands on the floor plan: the balls' area at (5, 2.5) plus
// the ball's offsets.
struct FloorPoint {
  float x, z;
};
FloorPoint BallCentre(int entry);

// Starts a new game layout: empties the never-written boxes, clears the
// collected flags and draws new offsets (80 draws, x before z, entries 0-39).
void ResetGame();

// Makes every following ResetGame seed with this value instead of the clock,
// so a layout can be reproduced (tests and the snapshot tool).
void FixResetSeed(std::uint32_t seed);
// Returns to seeding with the clock.
void UseClockResetSeed();
