// The SDL face's process entry: opens a desktop video device, then hands
// over to WinMain as Windows would.
#include "platform/sdl_gl/sdl_gl_context.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// SDL falls back to its offscreen driver when no display answers; a player
// would then face an invisible game. Only an explicit SDL_VIDEODRIVER may
// choose a driver without a screen.
bool OpenDesktopVideo(std::string *reason) {
  const char *asked = std::getenv("SDL_VIDEODRIVER");
  if (!sdl_gl::StartVideo(reason))
    return false;
  const char *driver = SDL_GetCurrentVideoDriver();
  const bool headless =
      driver != nullptr && (std::strcmp(driver, "offscreen") == 0 ||
                            std::strcmp(driver, "dummy") == 0);
  if (headless && (asked == nullptr || *asked == '\0')) {
    *reason = std::string("only SDL's ") + driver + " driver could be opened";
    return false;
  }
  return true;
}

} // namespace

int main(int argc, char **argv) {
  std::string reason;
  if (!OpenDesktopVideo(&reason)) {
    std::fprintf(stderr,
                 "TV Lounge needs a desktop session to play: an X11 or Wayland "
                 "display (DISPLAY or WAYLAND_DISPLAY), and none could be "
                 "opened (%s).\n"
                 "Without a display, `make run` renders a picture of the game "
                 "headless instead.\n",
                 reason.c_str());
    return 1;
  }
  // Windows hands WinMain the command line without the program's name.
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1)
      line += ' ';
    line += argv[i];
  }
  std::vector<char> commandLine(line.begin(), line.end());
  commandLine.push_back('\0');
  return WinMain(GetModuleHandleA(nullptr), nullptr, commandLine.data(),
                 SW_SHOW);
}
