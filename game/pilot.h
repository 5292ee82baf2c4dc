// The pilot that walks towards the nearest ball, for the tools and tests
// that play the game (the soak, the end-to-end loop, the autopilot); the game
// itself never calls it. Pure logic over the camera and the ball values.
#pragma once

#include "camera/camera.h"
#include "game/game_state.h"

// The uncollected ball nearest the view point; -1 when all are collected.
int NearestUncollectedBall();

// Signed angle from the camera's line of sight to the direction of the
// target, in radians; positive means the right arrow turns towards it.
float AngleTo(const Camera &view, FloorPoint target);

// Turn on the spot until roughly facing the target (within 0.3), then walk,
// correcting the aim by one turn step whenever it is off by more than half
// a step (0.03).
struct Steering {
  bool forward;
  bool left;
  bool right;
};
Steering SteerTowards(const Camera &view, FloorPoint target);
