// The collision table and its queries: forty axis-aligned boxes, tested in
// x and z only, every face inclusive.
#include "game/collision.h"

CollisionBox collisionTable[kCollisionBoxCount];

namespace {

// A box that cannot hold any point, whatever the others do with it.
constexpr float kEmptyBound = 999999.875f;

bool IsEntry(int index) {
  return index >= 0 && index < kCollisionBoxCount;
}

} // namespace

bool IsPointInBox(int index, Vec3 point) {
  if (!IsEntry(index))
    return false;
  const CollisionBox &box = collisionTable[index];
  // Each test is written so that it is false for NaN on either side: a NaN
  // coordinate (or bound) never lands inside a box.
  if (!(point.x <= box.max.x))
    return false;
  if (!(box.min.x <= point.x))
    return false;
  if (!(point.z <= box.max.z))
    return false;
  if (!(box.min.z <= point.z))
    return false;
  return true;
}

int FindHitBox(int count, Vec3 point) {
  // Never search past the table, whatever the caller asks for.
  if (count > kCollisionBoxCount)
    count = kCollisionBoxCount;
  for (int i = 0; i < count; ++i) {
    if (IsPointInBox(i, point))
      return i;
  }
  return -1;
}

void DisableBox(int index) {
  if (!IsEntry(index))
    return;
  CollisionBox &box = collisionTable[index];
  box.min.x = kEmptyBound;
  box.max.x = -kEmptyBound;
  box.min.y = kEmptyBound;
  box.max.y = -kEmptyBound;
  box.min.z = kEmptyBound;
  box.max.z = -kEmptyBound;
}

void WriteBox(int index, float maxX, float maxY, float maxZ, float minX,
              float minY, float minZ) {
  collisionTable[index].max = Vec3(maxX, maxY, maxZ);
  collisionTable[index].min = Vec3(minX, minY, minZ);
}
