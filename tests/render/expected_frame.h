// The GL calls of one frame as the game's behaviour lays them down, written
// out independently of the renderer, in the recorder's text format.
#pragma once

#include "camera/camera.h"

#include <string>
#include <vector>

struct FrameInputs {
  Camera camera;
  float lightLevel = 1.0f;
  bool bumpMappingOn = false;
  float headingDegrees = 0.0f;
  int ballsCollected = 0;
  bool gameOver = false; // before the frame
  bool ballCollected[40] = {};
  float ballOffsetX[40] = {};
  float ballOffsetZ[40] = {};
};

std::vector<std::string> ExpectedFrame(const FrameInputs &in);
