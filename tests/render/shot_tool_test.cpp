// The snapshot tool from the outside: the picture it writes, the title on
// its last line, and its refusals with their exit statuses.
#include "tests/render/run_tool.h"
#include "tools/shot/png_io.h"

#include <gtest/gtest.h>

namespace {

class ShotTool : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = MakeTempDir();
    ASSERT_FALSE(dir_.empty());
  }
  void TearDown() override { std::system(("rm -rf " + Quote(dir_)).c_str()); }
  std::string dir_;
};

TEST_F(ShotTool, WritesThePictureAndEndsWithTheTitle) {
  const std::string png = dir_ + "/start.png";
  const ToolRun run = RunTool({"--seed", "4", "--out", png});
  ASSERT_EQ(run.status, 0) << run.err;
  // Nothing moved the player, so the title is the one the window opened with.
  EXPECT_EQ(run.LastLine(), "Quorne Tv lounge by Velmar");
  EXPECT_NE(run.out.find("(640x480, 1 pass)\n"), std::string::npos) << run.out;
  RgbImage image;
  std::string error;
  ASSERT_TRUE(ReadPng(png, &image, &error)) << error;
  EXPECT_EQ(image.width, 640);
  EXPECT_EQ(image.height, 480);
  int lit = 0;
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    lit += image.pixels[i] != 0;
  }
  EXPECT_GT(lit, static_cast<int>(image.pixels.size() / 2))
      << "the start view is mostly glass and floor, not the black clear";
}

TEST_F(ShotTool, TheKeysWalkThePlayerAndTheTitleSaysSo) {
  const ToolRun run =
      RunTool({"--seed", "4", "--keys", "UP*3", "--out", dir_ + "/a.png"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.LastLine(), "Balls collected so far: 0");

  // Forward until the wall at x = -2.5 stops the player.
  const ToolRun blocked =
      RunTool({"--seed", "4", "--keys", "UP*60", "--out", dir_ + "/b.png"});
  ASSERT_EQ(blocked.status, 0) << blocked.err;
  EXPECT_EQ(blocked.LastLine(),
            "collision occured, try to move to another direction");
}

TEST_F(ShotTool, AnotherSizeIsRenderedAtThatSize) {
  const std::string png = dir_ + "/small.png";
  const ToolRun run = RunTool({"--size", "200x150", "--out", png});
  ASSERT_EQ(run.status, 0) << run.err;
  RgbImage image;
  std::string error;
  ASSERT_TRUE(ReadPng(png, &image, &error)) << error;
  EXPECT_EQ(image.width, 200);
  EXPECT_EQ(image.height, 150);
  // The view is the same scene scaled: the top left is glass, as at 640x480.
  const std::uint8_t *corner = image.At(2, 2);
  EXPECT_GT(corner[0] + corner[1] + corner[2], 0);

  // Larger than the window the game opens: drawn whole, up to the far
  // corner, not just the part the first window covered.
  const std::string large = dir_ + "/large.png";
  const ToolRun big = RunTool({"--size", "1024x768", "--out", large});
  ASSERT_EQ(big.status, 0) << big.err;
  ASSERT_TRUE(ReadPng(large, &image, &error)) << error;
  ASSERT_EQ(image.width, 1024);
  ASSERT_EQ(image.height, 768);
  for (const auto &at : {std::make_pair(1021, 2), std::make_pair(700, 100)}) {
    const std::uint8_t *pixel = image.At(at.first, at.second);
    EXPECT_GT(pixel[0] + pixel[1] + pixel[2], 0)
        << at.first << "," << at.second;
  }
}

TEST_F(ShotTool, ABadArgumentExitsTwoWithTheReason) {
  const ToolRun run = RunTool({"--keys", "UP*0", "--out", dir_ + "/x.png"});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("bad --keys"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("usage: tvlounge-shot"), std::string::npos);
  EXPECT_EQ(run.out, "");

  const ToolRun noOut = RunTool({"--seed", "3"});
  EXPECT_EQ(noOut.status, 2);
  EXPECT_NE(noOut.err.find("--out FILE.png is required"), std::string::npos);
}

TEST_F(ShotTool, AMissingTextureExitsThreeBeforeTheGameStarts) {
  const ToolRun run = RunTool({"--out", dir_ + "/x.png"}, dir_);
  EXPECT_EQ(run.status, 3);
  EXPECT_NE(run.err.find("missing texture data/texture/electricbox_F.bmp"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(ReadFile(dir_ + "/x.png"), "");

  // All but the roof: the roof is named.
  const std::string copy =
      "mkdir -p " + Quote(dir_ + "/data") + " && cp -r " +
      Quote(std::string(TVL_SOURCE_DIR) + "/data/texture") + " " +
      Quote(dir_ + "/data/") + " && rm " +
      Quote(dir_ + "/data/texture/roof.bmp");
  ASSERT_EQ(std::system(copy.c_str()), 0);
  const ToolRun noRoof = RunTool({"--out", dir_ + "/x.png"}, dir_);
  EXPECT_EQ(noRoof.status, 3);
  EXPECT_NE(noRoof.err.find("data/texture/roof.bmp"), std::string::npos)
      << noRoof.err;
}

// The game itself ends the process on a texture that does not decode; the
// tool says so with the game's message.
TEST_F(ShotTool, ATextureThatDoesNotDecodeFailsWithTheGamesMessage) {
  const std::string copy =
      "mkdir -p " + Quote(dir_ + "/data") + " && cp -r " +
      Quote(std::string(TVL_SOURCE_DIR) + "/data/texture") + " " +
      Quote(dir_ + "/data/") + " && echo not-a-bitmap >" +
      Quote(dir_ + "/data/texture/wood.bmp");
  ASSERT_EQ(std::system(copy.c_str()), 0);
  const ToolRun run = RunTool({"--out", dir_ + "/x.png"}, dir_);
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("the game ended during start-up"), std::string::npos)
      << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(ReadFile(dir_ + "/x.png"), "");
}

TEST_F(ShotTool, AnUnwritableOutputFailsBeforeTheWalk) {
  // A walk this long would outlast the test's time limit.
  const ToolRun run = RunTool({"--keys", "UP*100000 DOWN*100000", "--out",
                               dir_ + "/no/such/dir/x.png"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("cannot write"), std::string::npos) << run.err;
  EXPECT_EQ(run.out, "");
}

} // namespace
