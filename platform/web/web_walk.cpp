// The walk counts passes by swaps: the game swaps once in every pass that
// finds no message, as the snapshot tool counts them, so the picture after
// the walk's last pass is the tool's picture of the same script.
#include "platform/web/web_walk.h"

#include "platform/web/web_page.h"
#include "tools/shot/shot_args.h"

#include <cstddef>
#include <vector>

namespace {

std::vector<unsigned> passes; // keys held in each pass
std::size_t pass = 0;
bool walking = false;

} // namespace

namespace web_face {

bool StartWalk(const std::string &script, std::string *error) {
  std::vector<KeyRun> runs;
  if (!ParseKeyScript(script, &runs, error))
    return false;
  passes.clear();
  for (const KeyRun &run : runs)
    passes.insert(passes.end(), static_cast<std::size_t>(run.passes), run.keys);
  // A script of no words is one pass with nothing held, as in the tool.
  if (passes.empty())
    passes.push_back(0);
  pass = 0;
  walking = true;
  return true;
}

bool Walking() {
  return walking;
}

bool WalkHolds(int virtualKey) {
  if (!walking)
    return false;
  for (unsigned bit = 1; bit != 0 && bit < (1u << kShotKeyCount); bit <<= 1) {
    if ((passes[pass] & bit) && VirtualKeyOfShotKey(bit) == virtualKey)
      return true;
  }
  return false;
}

void WalkPassPresented() {
  if (!walking)
    return;
  if (++pass < passes.size())
    return;
  walking = false;
  MarkWalkDone();
}

} // namespace web_face
