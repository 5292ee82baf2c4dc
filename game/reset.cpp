// A new game layout: the generator, its seed, and ResetGame. The generator is
// the classic linear congruential one, kept here rather than taken from the C
// runtime so that a seed gives the same layout on every platform.
#include "game/game_state.h"

#include <ctime>

namespace {

constexpr float kEmptyBound = 999999.875f;

bool seedFixed = false;
std::uint32_t fixedSeed = 0;
std::uint32_t generatorState = 0;

void SeedGenerator(std::uint32_t seed) {
  generatorState = seed;
}

// 0..32767: bits 16-30 of the new state. Unsigned arithmetic wraps modulo
// 2^32, which is the generator's modulus.
int DrawNumber() {
  generatorState = generatorState * 214013u + 2531011u;
  return static_cast<int>((generatorState >> 16) & 0x7fffu);
}

float DrawOffset() {
  return static_cast<float>(DrawNumber() % 10 - 5);
}

// A field still at its start value 0.0 has never been written: push it out
// so that the box holds nothing until the renderer writes it.
void EmptyIfZero(float &field, float emptyValue) {
  if (field == 0.0f)
    field = emptyValue;
}

} // namespace

void FixResetSeed(std::uint32_t seed) {
  seedFixed = true;
  fixedSeed = seed;
}

void UseClockResetSeed() {
  seedFixed = false;
}

void ResetGame() {
  SeedGenerator(seedFixed ? fixedSeed
                          : static_cast<std::uint32_t>(std::time(nullptr)));
  for (int i = 0; i < kCollisionBoxCount; ++i) {
    CollisionBox &box = collisionTable[i];
    EmptyIfZero(box.min.x, kEmptyBound);
    EmptyIfZero(box.max.x, -kEmptyBound);
    EmptyIfZero(box.min.z, kEmptyBound);
    EmptyIfZero(box.max.z, -kEmptyBound);
    EmptyIfZero(box.min.y, kEmptyBound);
    EmptyIfZero(box.max.y, -kEmptyBound);
    ballCollected[i] = false;
    // Two statements: x is drawn before z.
    ballOffsetX[i] = DrawOffset();
    ballOffsetZ[i] = DrawOffset();
  }
}
