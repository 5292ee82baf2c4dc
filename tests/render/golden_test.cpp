// Golden pictures: each scene of golden_scenes.txt rendered by the snapshot
// tool and compared with its reviewed picture in goldens/, with a small
// tolerance for rasteriser differences. `make goldens` remakes them.
#include "tests/render/golden_scenes.h"
#include "tools/shot/png_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

// Differences: pixels off by more than 24 in a channel, and the mean
// absolute difference over all channels.
struct Difference {
  double badShare = 0;
  double mean = 0;
};

Difference Compare(const RgbImage &a, const RgbImage &b) {
  Difference d;
  long bad = 0;
  double sum = 0;
  for (std::size_t p = 0; p + 2 < a.pixels.size(); p += 3) {
    int worst = 0;
    for (int c = 0; c < 3; ++c) {
      const int diff = std::abs(a.pixels[p + c] - b.pixels[p + c]);
      worst = std::max(worst, diff);
      sum += diff;
    }
    bad += worst > 24;
  }
  d.badShare = static_cast<double>(bad) / (a.pixels.size() / 3);
  d.mean = sum / a.pixels.size();
  return d;
}

TEST(GoldenPictures, EverySceneMatchesItsReviewedPicture) {
  const std::vector<GoldenScene> scenes = GoldenScenes();
  ASSERT_GE(scenes.size(), 4u);
  const std::string dir = MakeTempDir();
  for (const GoldenScene &s : scenes) {
    SCOPED_TRACE(s.name);
    RgbImage golden;
    std::string error;
    ASSERT_TRUE(
        ReadPng("tests/render/goldens/" + s.name + ".png", &golden, &error))
        << error << " (make goldens)";
    const std::string actualPath = dir + "/" + s.name + ".png";
    const ToolRun run = RunTool({"--seed", s.seed, "--size", s.size, "--keys",
                                 s.keys, "--out", actualPath});
    ASSERT_EQ(run.status, 0) << run.err;
    RgbImage actual;
    ASSERT_TRUE(ReadPng(actualPath, &actual, &error)) << error;
    ASSERT_EQ(actual.width, golden.width);
    ASSERT_EQ(actual.height, golden.height);
    const Difference d = Compare(actual, golden);
    EXPECT_LE(d.badShare, 0.005) << "mean difference " << d.mean
                                 << "; the new picture is " << actualPath;
    EXPECT_LE(d.mean, 2.0) << "the new picture is " << actualPath;
    if (s.name == "gameover") {
      EXPECT_EQ(run.LastLine(), "Balls collected so far: 10");
    }
  }
  if (!HasFailure()) {
    std::system(("rm -rf " + Quote(dir)).c_str());
  }
}

// The comparison itself: it must see a real change and forgive noise.
TEST(GoldenPictures, TheComparisonSeesAChangeAndForgivesNoise) {
  RgbImage a;
  a.width = 100;
  a.height = 100;
  a.pixels.assign(100 * 100 * 3, 120);
  RgbImage noisy = a;
  for (std::size_t i = 0; i < noisy.pixels.size(); i += 7) {
    noisy.pixels[i] = 123;
  }
  EXPECT_LE(Compare(a, noisy).badShare, 0.0);
  EXPECT_LE(Compare(a, noisy).mean, 2.0);
  RgbImage moved = a;
  for (int y = 40; y < 60; ++y) {
    for (int x = 40; x < 60; ++x) {
      moved.pixels[(y * 100 + x) * 3] = 255;
    }
  }
  EXPECT_GT(Compare(a, moved).badShare, 0.005);
}

} // namespace
