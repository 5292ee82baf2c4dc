// Command line of the snapshot tool and its key script: words of keys held
// together for a number of passes ("UP*40 LEFT*20 B D*5 UP+LEFT*3 -*2").
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The game keys a script can hold, as bits of KeyRun::keys.
enum ShotKey : unsigned {
  kShotKeyUp = 1u << 0,
  kShotKeyDown = 1u << 1,
  kShotKeyLeft = 1u << 2,
  kShotKeyRight = 1u << 3,
  kShotKeyB = 1u << 4,
  kShotKeyD = 1u << 5,
  kShotKeyN = 1u << 6,
  kShotKeyR = 1u << 7,
};
constexpr int kShotKeyCount = 8;

// The virtual-key code of a key bit (ShotKey), or 0 for anything else.
int VirtualKeyOfShotKey(unsigned key);

// One word of a script: these keys held (0: none) for this many passes.
struct KeyRun {
  unsigned keys;
  int passes;
};

constexpr int kMaxPassesPerWord = 100000;
constexpr long kMaxScriptPasses = 1000000;

// False with a reason for an unknown key, a bad or zero count, a key named
// twice in one word, or a script longer than kMaxScriptPasses.
bool ParseKeyScript(const std::string &text, std::vector<KeyRun> *runs,
                    std::string *error);

// The sum of the runs' passes.
long CountScriptPasses(const std::vector<KeyRun> &runs);

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
