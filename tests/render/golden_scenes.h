// The golden scenes of golden_scenes.txt: name, seed, window size and the
// snapshot tool's key script, as the tests that draw them read them.
#pragma once

#include "tests/render/run_tool.h"

#include <sstream>
#include <string>
#include <vector>

struct GoldenScene {
  std::string name, seed, size, keys;
};

inline std::vector<GoldenScene> GoldenScenes() {
  std::istringstream lines(ReadFile("tests/render/golden_scenes.txt"));
  std::vector<GoldenScene> scenes;
  std::string line;
  while (std::getline(lines, line)) {
    if (line.empty() || line[0] == '#') {
      continue;
    }
    std::istringstream fields(line);
    GoldenScene s;
    fields >> s.name >> s.seed >> s.size;
    std::getline(fields >> std::ws, s.keys);
    scenes.push_back(s);
  }
  return scenes;
}
