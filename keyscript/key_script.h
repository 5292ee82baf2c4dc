// Key scripts and seeds as the snapshot tool and the page take them: words
// of keys held together for a number of passes ("UP*40 LEFT*20 B D*5
// UP+LEFT*3 -*2") and a ball-layout seed. One parser, so both accept the
// same forms and refuse the rest with the same messages. Pure: no platform.
#pragma once

#include "input/input_map.h"

#include <cstdint>
#include <string>
#include <vector>

// The game keys a script can hold, as bits of KeyRun::keys: one bit per key
// of the input map with a script name, in the map's order. The names are
// for code that holds a particular key (the tools' pilot); a key added to
// the map works in scripts without one.
enum ScriptKey : unsigned {
  kScriptKeyUp = 1u << 0,
  kScriptKeyDown = 1u << 1,
  kScriptKeyLeft = 1u << 2,
  kScriptKeyRight = 1u << 3,
  kScriptKeyB = 1u << 4,
  kScriptKeyD = 1u << 5,
  kScriptKeyN = 1u << 6,
  kScriptKeyR = 1u << 7,
};
constexpr int CountScriptKeys() {
  int count = 0;
  for (const input::GameKey &key : input::kGameKeys)
    count += key.script != nullptr ? 1 : 0;
  return count;
}
constexpr int kScriptKeyCount = CountScriptKeys();
static_assert(kScriptKeyCount <= 32, "a pass's keys are the bits of one word");

// The virtual-key code of a key bit (ScriptKey), or 0 for anything else.
int VirtualKeyOfScriptKey(unsigned key);
// Whether a pass's key bits hold this virtual key.
bool KeysHoldVirtualKey(unsigned keys, int virtualKey);

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
// The keys held in each pass; a script of no words is one pass with none.
std::vector<unsigned> ExpandKeyScript(const std::vector<KeyRun> &runs);

// A seed from 0 to 4294967295 in decimal digits alone (no sign, no
// spaces); false with a reason otherwise.
bool ParseSeed(const std::string &text, std::uint32_t *seed,
               std::string *error);

// Decimal digits alone, within [low, high]; false otherwise.
bool ParseBoundedNumber(const std::string &text, unsigned long long low,
                        unsigned long long high, unsigned long long *value);
