// The input map's rows: no name of one device or script stands for two keys
// (a face would hold the first and never the second), and the page's module
// printed from it is checked beside this suite (check_input_map_js.cmake).
#include "input/input_map.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(InputMap, EachNameStandsForOneKey) {
  std::set<int> virtualKeys;
  std::set<std::string> scripts;
  std::set<std::string> codes;
  std::set<input::PadButton> pads;
  std::set<std::string> touches;
  for (const input::GameKey &key : input::kGameKeys) {
    EXPECT_TRUE(virtualKeys.insert(key.virtualKey).second) << key.code;
    EXPECT_TRUE(codes.insert(key.code).second) << key.code;
    if (key.script != nullptr) {
      EXPECT_TRUE(scripts.insert(key.script).second) << key.code;
    }
    if (key.pad != input::PadButton::None) {
      EXPECT_TRUE(pads.insert(key.pad).second) << key.code;
    }
    if (*key.touch != '\0') {
      EXPECT_TRUE(touches.insert(key.touch).second) << key.code;
    }
  }
}

TEST(InputMap, SourcesAreNumberedInOrderOnce) {
  int next = 0;
  for (const input::SourceName &source : input::kSources)
    EXPECT_EQ(static_cast<int>(source.source), next++) << source.name;
}

} // namespace
