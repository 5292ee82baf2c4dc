// The pilot that walks towards the nearest ball; see pilot.h.
#include "game/pilot.h"

#include <cmath>

int NearestUncollectedBall() {
  int best = -1;
  float bestDistance = 0;
  for (int i = kFirstBallEntry; i < kFirstBallEntry + kBallCount; ++i) {
    if (ballCollected[i])
      continue;
    const FloorPoint c = BallCentre(i);
    const float d =
        std::hypot(c.x - camera.viewPoint.x, c.z - camera.viewPoint.z);
    if (best < 0 || d < bestDistance) {
      best = i;
      bestDistance = d;
    }
  }
  return best;
}

float AngleTo(const Camera &view, FloorPoint target) {
  const float vx = view.viewPoint.x - view.position.x;
  const float vz = view.viewPoint.z - view.position.z;
  const float tx = target.x - view.viewPoint.x;
  const float tz = target.z - view.viewPoint.z;
  return std::atan2(vx * tz - vz * tx, vx * tx + vz * tz);
}

Steering SteerTowards(const Camera &view, FloorPoint target) {
  const float a = AngleTo(view, target);
  const bool turn = std::fabs(a) > 0.03f;
  return {std::fabs(a) <= 0.3f, turn && a < 0, turn && a > 0};
}
