// Counts the ES 2.0 calls the shader subset makes, through a loader that
// wraps SDL's: every call by name, and the calls that set a value the GL
// already held (the same program, uniform value, attribute pointer, binding,
// enable...), which a caching subset would not have sent.
#pragma once

#include <string>
#include <vector>

namespace es2count {

// The loader to hand the subset (platform::UseGlLoader).
void *Load(const char *name);

struct Tally {
  std::string name; // "glUniform4fv"; empty for the sum of all
  long calls = 0;
  long redundant = 0;
};

// Starts a new count; what the GL holds is still remembered.
void Restart();
Tally Total();
// One tally per function called since the restart, most calls first.
std::vector<Tally> ByName();

} // namespace es2count
