// The snapshot tool's command line: what is accepted and the reasons given
// for what is refused.
#include "tools/shot/shot_args.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool Parse(std::vector<const char *> args, ShotOptions *options,
           std::string *error) {
  args.insert(args.begin(), "tvlounge-shot");
  return ParseShotArgs(static_cast<int>(args.size()), args.data(), options,
                       error);
}

TEST(ShotArguments, DefaultsWithOnlyTheOutput) {
  ShotOptions options;
  std::string error;
  ASSERT_TRUE(Parse({"--out", "a.png"}, &options, &error)) << error;
  EXPECT_EQ(options.outPath, "a.png");
  EXPECT_FALSE(options.seedGiven);
  EXPECT_TRUE(options.script.empty());
  EXPECT_EQ(options.width, 640);
  EXPECT_EQ(options.height, 480);
  EXPECT_FALSE(options.helpWanted);
}

TEST(ShotArguments, AllOptionsInAnyOrder) {
  ShotOptions options;
  std::string error;
  ASSERT_TRUE(Parse({"--size", "320x200", "--keys", "UP*3 B", "--out", "x.png",
                     "--seed", "4294967295"},
                    &options, &error))
      << error;
  EXPECT_TRUE(options.seedGiven);
  EXPECT_EQ(options.seed, 4294967295u);
  EXPECT_EQ(options.width, 320);
  EXPECT_EQ(options.height, 200);
  ASSERT_EQ(options.script.size(), 2u);
  EXPECT_EQ(options.outPath, "x.png");
}

TEST(ShotArguments, TheLastOfARepeatedOptionHolds) {
  ShotOptions options;
  std::string error;
  ASSERT_TRUE(Parse({"--seed", "1", "--seed", "2", "--out", "a", "--out", "b"},
                    &options, &error));
  EXPECT_EQ(options.seed, 2u);
  EXPECT_EQ(options.outPath, "b");
}

TEST(ShotArguments, RefusedWithAReason) {
  struct Case {
    std::vector<const char *> args;
    const char *reasonPart;
  };
  const Case cases[] = {
      {{}, "--out FILE.png is required"},
      {{"--keys", "UP"}, "--out FILE.png is required"},
      {{"--out"}, "--out needs a value"},
      {{"--out", ""}, "--out needs a file name"},
      {{"--out", "a", "--seed", "-1"}, "bad --seed"},
      {{"--out", "a", "--seed", "4294967296"}, "bad --seed"},
      {{"--out", "a", "--seed", "12ab"}, "bad --seed"},
      {{"--out", "a", "--seed", ""}, "bad --seed"},
      {{"--out", "a", "--size", "640"}, "bad --size"},
      {{"--out", "a", "--size", "640x"}, "bad --size"},
      {{"--out", "a", "--size", "0x480"}, "bad --size"},
      {{"--out", "a", "--size", "640x4097"}, "bad --size"},
      {{"--out", "a", "--size", "640X480"}, "bad --size"},
      {{"--out", "a", "--size", " 640x480"}, "bad --size"},
      {{"--out", "a", "--keys", "JUMP"}, "bad --keys: unknown key"},
      {{"--out", "a", "--frobnicate"}, "unknown argument \"--frobnicate\""},
      {{"--out", "a", "extra"}, "unknown argument \"extra\""},
  };
  for (const Case &c : cases) {
    ShotOptions options;
    options.outPath = "untouched";
    std::string error;
    EXPECT_FALSE(Parse(c.args, &options, &error)) << c.reasonPart;
    EXPECT_NE(error.find(c.reasonPart), std::string::npos)
        << "got \"" << error << "\", wanted \"" << c.reasonPart << "\"";
    EXPECT_EQ(options.outPath, "untouched");
  }
}

TEST(ShotArguments, HelpNeedsNoOutput) {
  ShotOptions options;
  std::string error;
  ASSERT_TRUE(Parse({"--help"}, &options, &error)) << error;
  EXPECT_TRUE(options.helpWanted);
  EXPECT_NE(std::string(ShotUsage()).find("--keys SCRIPT"), std::string::npos);
}

} // namespace
