// Runs the real game headless on the scripted platform: the start-up
// question answered No, the script's keys held pass by pass, and the last
// pass's frame read back before its swap.
#pragma once

#include "tools/shot/png_io.h"
#include "tools/shot/shot_args.h"

#include <string>

// The texture files the game loads at start, relative to the working
// directory; false with the first missing one named.
bool CheckTextureFiles(std::string *missing);

struct ShotResult {
  RgbImage frame;           // the last pass's frame, top row first
  std::string title;        // the window title when the game ended
  long passes = 0;          // idle passes run with the script's keys
  bool sizeRefused = false; // the GL could not give the --size asked for
};

// False with a reason when the game did not open its window, the window
// could not take the size asked for, or the game ended before the last pass
// was drawn.
bool RunShot(const ShotOptions &options, ShotResult *result,
             std::string *error);
