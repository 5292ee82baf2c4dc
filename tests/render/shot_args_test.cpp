// The snapshot tool's command line and key scripts: what is accepted, what
// each word means, and the reasons given for what is refused.
#include "tools/shot/shot_args.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<KeyRun> Script(const std::string &text) {
  std::vector<KeyRun> runs;
  std::string error;
  EXPECT_TRUE(ParseKeyScript(text, &runs, &error)) << error;
  return runs;
}

std::string ScriptError(const std::string &text) {
  std::vector<KeyRun> runs = {{kShotKeyB, 7}};
  std::string error;
  EXPECT_FALSE(ParseKeyScript(text, &runs, &error)) << text;
  EXPECT_EQ(runs.size(), 1u) << "a refused script leaves the runs alone";
  return error;
}

bool Parse(std::vector<const char *> args, ShotOptions *options,
           std::string *error) {
  args.insert(args.begin(), "tvlounge-shot");
  return ParseShotArgs(static_cast<int>(args.size()), args.data(), options,
                       error);
}

TEST(KeyScriptWords, TheExampleScript) {
  const std::vector<KeyRun> runs = Script("UP*40 LEFT*20 B D*5 UP+LEFT*3 -*2");
  ASSERT_EQ(runs.size(), 6u);
  EXPECT_EQ(runs[0].keys, kShotKeyUp);
  EXPECT_EQ(runs[0].passes, 40);
  EXPECT_EQ(runs[1].keys, kShotKeyLeft);
  EXPECT_EQ(runs[1].passes, 20);
  EXPECT_EQ(runs[2].keys, kShotKeyB);
  EXPECT_EQ(runs[2].passes, 1);
  EXPECT_EQ(runs[3].keys, kShotKeyD);
  EXPECT_EQ(runs[3].passes, 5);
  EXPECT_EQ(runs[4].keys, kShotKeyUp | kShotKeyLeft);
  EXPECT_EQ(runs[4].passes, 3);
  EXPECT_EQ(runs[5].keys, 0u);
  EXPECT_EQ(runs[5].passes, 2);
  EXPECT_EQ(CountScriptPasses(runs), 71);
}

TEST(KeyScriptWords, EveryKeyHasItsOwnBitAndVirtualKey) {
  const std::vector<KeyRun> runs = Script("UP+DOWN+LEFT+RIGHT+B+D+N+R");
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].keys, 0xFFu);
  EXPECT_EQ(VirtualKeyOfShotKey(kShotKeyUp), 0x26);
  EXPECT_EQ(VirtualKeyOfShotKey(kShotKeyDown), 0x28);
  EXPECT_EQ(VirtualKeyOfShotKey(kShotKeyLeft), 0x25);
  EXPECT_EQ(VirtualKeyOfShotKey(kShotKeyRight), 0x27);
  EXPECT_EQ(VirtualKeyOfShotKey(kShotKeyB), 'B');
  EXPECT_EQ(VirtualKeyOfShotKey(kShotKeyD), 'D');
  EXPECT_EQ(VirtualKeyOfShotKey(kShotKeyN), 'N');
  EXPECT_EQ(VirtualKeyOfShotKey(kShotKeyR), 'R');
  EXPECT_EQ(VirtualKeyOfShotKey(kShotKeyUp | kShotKeyB), 0);
}

TEST(KeyScriptWords, SpacesAroundAndBetweenWordsDoNotCount) {
  const std::vector<KeyRun> runs = Script("  R   -  \tN*2 ");
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[1].keys, 0u);
  EXPECT_EQ(runs[1].passes, 1);
  EXPECT_TRUE(Script("").empty());
  EXPECT_TRUE(Script("   ").empty());
}

TEST(KeyScriptRefusals, UnknownOrMisspeltKeys) {
  EXPECT_NE(ScriptError("up").find("unknown key \"up\""), std::string::npos);
  EXPECT_NE(ScriptError("UP+X*2").find("\"X\""), std::string::npos);
  ScriptError("UP+");
  ScriptError("+UP");
  ScriptError("UP++LEFT");
  ScriptError("*3");
  ScriptError("-+UP");
}

TEST(KeyScriptRefusals, BadCounts) {
  ScriptError("UP*0");
  ScriptError("UP*");
  ScriptError("UP*-3");
  ScriptError("UP*+3");
  ScriptError("UP*3x");
  ScriptError("UP*2*2");
  ScriptError("UP*100001");
  ScriptError("UP*99999999999999999999999");
  EXPECT_EQ(Script("UP*100000")[0].passes, 100000);
}

TEST(KeyScriptRefusals, AKeyNamedTwiceInOneWord) {
  EXPECT_NE(ScriptError("UP+UP").find("twice"), std::string::npos);
}

TEST(KeyScriptRefusals, AScriptOfMoreThanAMillionPasses) {
  std::string text;
  for (int i = 0; i < 10; ++i) {
    text += "-*100000 ";
  }
  EXPECT_EQ(CountScriptPasses(Script(text)), 1000000);
  EXPECT_NE(ScriptError(text + "B").find("longer"), std::string::npos);
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
