// The process entry on SDL platforms: opens the video device, then hands over
// to WinMain as Windows would.
#include "platform/sdl/sdl_platform.h"
#include "platform/win32.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char **argv) {
  std::string reason;
  if (!sdl_platform::StartVideo(&reason)) {
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
