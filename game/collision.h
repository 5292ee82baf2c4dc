// The collision model: forty axis-aligned boxes and the queries on them.
// Pure data and logic: no GL, no platform.
#pragma once

#include "camera/camera.h"

struct CollisionBox {
  Vec3 max; // maximum corner
  Vec3 min; // minimum corner
};

constexpr int kCollisionBoxCount = 40;
constexpr int kFirstBallEntry = 12; // entries 0-11 are obstacles
constexpr int kBallCount = 10;      // entries 12-21 are the balls

// Written by ResetGame, WriteBox (as DrawScene draws) and DisableBox; read by
// the game step.
extern CollisionBox collisionTable[kCollisionBoxCount];

// Inclusive on every face; y is never looked at; NaN fails.
bool IsPointInBox(int index, Vec3 point);
// Lowest index below count whose box holds the point, or -1.
int FindHitBox(int count, Vec3 point);
// Inverts all three axes so that the box holds no point.
void DisableBox(int index);
// Stores an entry, maximum corner first, as the table keeps it.
void WriteBox(int index, float maxX, float maxY, float maxZ, float minX,
              float minY, float minZ);
