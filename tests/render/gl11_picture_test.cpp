// The shader subset (gl11/) against the system's fixed-function GL: every
// golden scene, and three more that reach the states the goldens miss, drawn
// by both flavours of the snapshot tool and compared pixel by pixel.
#include "tests/render/golden_scenes.h"
#include "tools/shot/png_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// The golden scenes, then bump-mapped pillars, a pillar lamp and a ball at
// close range, by day and by night, at full size, and the lamp posts from
// outside.
std::vector<GoldenScene> Scenes() {
  std::vector<GoldenScene> scenes = GoldenScenes();
  scenes.push_back({"inside_bump", "3", "640x480", "B DOWN*60"});
  scenes.push_back({"night_bump", "3", "640x480", "N*90 B DOWN*60"});
  scenes.push_back({"lamp_posts", "3", "320x240", "B RIGHT*63 UP*60"});
  return scenes;
}

// Pixels with a channel more than 3% of full scale apart.
long DifferingPixels(const RgbImage &a, const RgbImage &b) {
  long count = 0;
  for (std::size_t p = 0; p + 2 < a.pixels.size(); p += 3) {
    int worst = 0;
    for (int c = 0; c < 3; ++c) {
      worst = std::max(worst, std::abs(a.pixels[p + c] - b.pixels[p + c]));
    }
    count += worst * 100 > 3 * 255;
  }
  return count;
}

bool Draw(const std::string &tool, const GoldenScene &s,
          const std::string &path, RgbImage *image) {
  const ToolRun run = RunTool(
      {"--seed", s.seed, "--size", s.size, "--keys", s.keys, "--out", path}, "",
      tool);
  std::string error;
  EXPECT_EQ(run.status, 0) << tool << ": " << run.err;
  return run.status == 0 && ReadPng(path, image, &error);
}

TEST(SubsetPictures, EverySceneMatchesTheFixedFunctionPicture) {
  const std::string dir = MakeTempDir();
  for (const GoldenScene &s : Scenes()) {
    SCOPED_TRACE(s.name);
    RgbImage fixed, subset;
    const std::string fixedPath = dir + "/" + s.name + "-fixed.png";
    const std::string subsetPath = dir + "/" + s.name + "-gl11.png";
    ASSERT_TRUE(Draw(TVL_SHOT_TOOL, s, fixedPath, &fixed));
    ASSERT_TRUE(Draw(TVL_SHOT_TOOL_GL11, s, subsetPath, &subset));
    ASSERT_EQ(subset.width, fixed.width);
    ASSERT_EQ(subset.height, fixed.height);
    const long differing = DifferingPixels(fixed, subset);
    const long total = static_cast<long>(fixed.pixels.size() / 3);
    std::printf("%-12s %6ld of %6ld pixels differ (%.3f%%)\n", s.name.c_str(),
                differing, total, 100.0 * differing / total);
    EXPECT_LE(differing * 100, total)
        << "compare " << fixedPath << " with " << subsetPath;
  }
  if (!HasFailure()) {
    std::system(("rm -rf " + Quote(dir)).c_str());
  }
}

} // namespace
