// The web face's process entry: the walk the page's query string asks for,
// then the game's own WinMain, whose loop yields to the browser at every
// swap and dialog; when it returns the page says so and offers a new game.
#include "game/game_state.h"
#include "platform/emulation.h"
#include "platform/web/web_page.h"
#include "platform/web/web_walk.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The seed fixes the ball layout, as the snapshot tool's --seed does.
bool TakeSeed(const std::string &text) {
  if (text.empty())
    return true;
  char *end = nullptr;
  const unsigned long seed = std::strtoul(text.c_str(), &end, 10);
  if (*end != '\0' || text[0] == '-' || seed > 0xFFFFFFFFul)
    return false;
  FixResetSeed(static_cast<std::uint32_t>(seed));
  return true;
}

} // namespace

int main() {
  std::string error;
  if (!TakeSeed(web_face::WalkSeed())) {
    std::fprintf(stderr, "seed: not a number from 0 to 4294967295\n");
    web_face::ShowTitle(
        "The walk's seed is not a number from 0 to 4294967295.");
    return 2;
  }
  const std::string keys = web_face::WalkKeys();
  if (!keys.empty() && !web_face::StartWalk(keys, &error)) {
    std::fprintf(stderr, "keys: %s\n", error.c_str());
    web_face::ShowTitle(
        ("The walk's keys are not understood: " + error).c_str());
    return 2;
  }
  const int code = WinMain(GetModuleHandleA(nullptr), nullptr,
                           const_cast<char *>(""), SW_SHOW);
  web_face::ShowEnded(code);
  return code;
}
