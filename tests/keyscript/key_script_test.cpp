// Key scripts and seeds as the snapshot tool and the page both take them:
// what is accepted, what each word means, and the reasons for refusals.
#include "keyscript/key_script.h"

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
  std::vector<KeyRun> runs = {{kScriptKeyB, 7}};
  std::string error;
  EXPECT_FALSE(ParseKeyScript(text, &runs, &error)) << text;
  EXPECT_EQ(runs.size(), 1u) << "a refused script leaves the runs alone";
  return error;
}

TEST(KeyScriptWords, TheExampleScript) {
  const std::vector<KeyRun> runs = Script("UP*40 LEFT*20 B D*5 UP+LEFT*3 -*2");
  ASSERT_EQ(runs.size(), 6u);
  EXPECT_EQ(runs[0].keys, kScriptKeyUp);
  EXPECT_EQ(runs[0].passes, 40);
  EXPECT_EQ(runs[1].keys, kScriptKeyLeft);
  EXPECT_EQ(runs[1].passes, 20);
  EXPECT_EQ(runs[2].keys, kScriptKeyB);
  EXPECT_EQ(runs[2].passes, 1);
  EXPECT_EQ(runs[3].keys, kScriptKeyD);
  EXPECT_EQ(runs[3].passes, 5);
  EXPECT_EQ(runs[4].keys, kScriptKeyUp | kScriptKeyLeft);
  EXPECT_EQ(runs[4].passes, 3);
  EXPECT_EQ(runs[5].keys, 0u);
  EXPECT_EQ(runs[5].passes, 2);
  EXPECT_EQ(CountScriptPasses(runs), 71);
}

TEST(KeyScriptWords, EveryKeyHasItsOwnBitAndVirtualKey) {
  const std::vector<KeyRun> runs = Script("UP+DOWN+LEFT+RIGHT+B+D+N+R");
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].keys, 0xFFu);
  EXPECT_EQ(VirtualKeyOfScriptKey(kScriptKeyUp), 0x26);
  EXPECT_EQ(VirtualKeyOfScriptKey(kScriptKeyDown), 0x28);
  EXPECT_EQ(VirtualKeyOfScriptKey(kScriptKeyLeft), 0x25);
  EXPECT_EQ(VirtualKeyOfScriptKey(kScriptKeyRight), 0x27);
  EXPECT_EQ(VirtualKeyOfScriptKey(kScriptKeyB), 'B');
  EXPECT_EQ(VirtualKeyOfScriptKey(kScriptKeyD), 'D');
  EXPECT_EQ(VirtualKeyOfScriptKey(kScriptKeyN), 'N');
  EXPECT_EQ(VirtualKeyOfScriptKey(kScriptKeyR), 'R');
  EXPECT_EQ(VirtualKeyOfScriptKey(kScriptKeyUp | kScriptKeyB), 0);
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

TEST(KeyScriptPasses, OneEntryPerPassAndOneEmptyPassForNoWords) {
  EXPECT_EQ(ExpandKeyScript(Script("UP*2 - B+D")),
            (std::vector<unsigned>{kScriptKeyUp, kScriptKeyUp, 0u,
                                   kScriptKeyB | kScriptKeyD}));
  EXPECT_EQ(ExpandKeyScript({}), std::vector<unsigned>{0u});
  EXPECT_TRUE(KeysHoldVirtualKey(kScriptKeyB | kScriptKeyUp, 0x26));
  EXPECT_TRUE(KeysHoldVirtualKey(kScriptKeyB | kScriptKeyUp, 'B'));
  EXPECT_FALSE(KeysHoldVirtualKey(kScriptKeyB | kScriptKeyUp, 'D'));
}

TEST(Seeds, TheWholeUnsignedRangeInPlainDigits) {
  std::uint32_t seed = 1;
  std::string error;
  EXPECT_TRUE(ParseSeed("0", &seed, &error));
  EXPECT_EQ(seed, 0u);
  EXPECT_TRUE(ParseSeed("4294967295", &seed, &error));
  EXPECT_EQ(seed, 4294967295u);
  EXPECT_TRUE(ParseSeed("007", &seed, &error));
  EXPECT_EQ(seed, 7u);
}

TEST(Seeds, RefusedAboveTheRangeWithSignsSpacesOrLetters) {
  for (const char *text : {"4294967296", "99999999999", "-1", "+7", " 7", "7 ",
                           "", "abc", "1e3", "99999999999999999999"}) {
    std::uint32_t seed = 3;
    std::string error;
    EXPECT_FALSE(ParseSeed(text, &seed, &error)) << text;
    EXPECT_EQ(seed, 3u) << text;
    EXPECT_EQ(error, std::string("\"") + text +
                         "\" (a whole number from 0 to 4294967295)");
  }
}

} // namespace
