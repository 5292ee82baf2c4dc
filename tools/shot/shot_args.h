// Command line of the snapshot tool; its key script and seed are the
// key-script library's (keyscript/key_script.h).
#pragma once

#include "keyscript/key_script.h"

#include <cstdint>
#include <string>
#include <vector>

struct ShotOptions {
  bool seedGiven = false;
  std::uint32_t seed = 0;
  std::vector<KeyRun> script; // empty: one pass with nothing held
  int width = 640;
  int height = 480;
  std::string outPath;
  bool helpWanted = false;
};

constexpr int kMinShotSide = 16;
constexpr int kMaxShotSide = 4096;

// argv[0] is the program name. False with a reason on any bad argument or
// a missing --out (unless --help was asked for).
bool ParseShotArgs(int argc, const char *const *argv, ShotOptions *options,
                   std::string *error);

// The usage text printed by --help and after a bad argument.
const char *ShotUsage();
