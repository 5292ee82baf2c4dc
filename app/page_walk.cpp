// The page's walk: the query string's seed fixes the ball layout and its
// key script is played pass by pass before the player's keys take over,
// through the web face's hooks. A swap ends each pass, as the snapshot tool
// counts them, so the picture after the walk's last pass is the tool's
// picture of the same script. A bad seed or script is named in the status
// line and the game starts without the walk.
#include "game/game_state.h"
#include "keyscript/key_script.h"
#include "platform/web/web_hooks.h"
#include "platform/web/web_page.h"

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<unsigned> passes; // keys held in each pass
std::size_t pass = 0;
bool walking = false;

bool WalkKeyState(int virtualKey, bool *down) {
  if (!walking)
    return false;
  *down = KeysHoldVirtualKey(passes[pass], virtualKey);
  return true;
}

void PassPresented() {
  if (!walking || ++pass < passes.size())
    return;
  walking = false;
  web_face::MarkWalkDone();
}

void Refuse(const char *parameter, const std::string &reason) {
  const std::string text = std::string("Bad ") + parameter +
                           " in the address: " + reason +
                           "; playing without the walk.";
  std::fprintf(stderr, "%s: %s\n", parameter, reason.c_str());
  web_face::ShowStatus(text.c_str());
}

void StartWalk() {
  const std::string seedText = web_face::WalkSeed();
  const std::string keysText = web_face::WalkKeys();
  std::uint32_t seed = 0;
  std::vector<KeyRun> runs;
  std::string error;
  // Both or neither: a walk on another layout than the one asked for would
  // show a different picture.
  if (!seedText.empty() && !ParseSeed(seedText, &seed, &error)) {
    Refuse("seed", error);
    return;
  }
  if (!keysText.empty() && !ParseKeyScript(keysText, &runs, &error)) {
    Refuse("keys", error);
    return;
  }
  if (!seedText.empty())
    FixResetSeed(seed);
  if (keysText.empty())
    return;
  passes = ExpandKeyScript(runs);
  pass = 0;
  walking = true;
}

[[maybe_unused]] const bool kHooked = [] {
  web_face::SetStartHook(StartWalk);
  web_face::SetPresentedHook(PassPresented);
  web_face::SetKeyStateHook(WalkKeyState);
  return true;
}();

} // namespace
