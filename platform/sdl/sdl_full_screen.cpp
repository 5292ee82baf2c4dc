// The drawing size of the SDL face's game window (sdl_full_screen.h). A pass
// is timed from swap to swap; its busy part is that less what the pace slept
// (a swap that waits for vsync counts as busy, so with vsync the size only
// ever steps down). A new window starts again from the full box, its first
// window of passes not judged: those hold its creation and first uploads.
// TVL_BENCH_DRAW_SIZE=WxH fixes the full-screen size instead, scaled up to
// the box as a smaller step is: benches measure what drawing at the box
// costs against that, in the same run; players have no use for it.
#include "platform/sdl/sdl_full_screen.h"

#include "platform/sdl/sdl_letterbox.h"
#include "platform/sdl_gl/sdl_gl_context.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

namespace sdl_face {
namespace {

struct Keeping {
  HWND window = nullptr;
  Stepper stepper;
  double lastSwap = -1;
  double slept = 0;
  HWND resize = nullptr; // a WM_SIZE due
  Size size = {0, 0};
};
Keeping keeping;

double Seconds() {
  return static_cast<double>(SDL_GetPerformanceCounter()) /
         static_cast<double>(SDL_GetPerformanceFrequency());
}

// The bench's fixed size, or {0, 0}.
Size FixedSize() {
  static const Size fixed = [] {
    Size size = {0, 0};
    const char *text = std::getenv("TVL_BENCH_DRAW_SIZE");
    if (text == nullptr ||
        std::sscanf(text, "%dx%d", &size.width, &size.height) != 2 ||
        size.width <= 0 || size.height <= 0)
      return Size{0, 0};
    return size;
  }();
  return fixed;
}

// The picture's shape: the display mode the game asked for.
Size Picture() {
  const emulation::Census census = emulation::Count();
  if (census.modeChanged && census.mode.width > 0 && census.mode.height > 0)
    return {census.mode.width, census.mode.height};
  return {640, 480};
}

} // namespace

void NoteSwap(emulation::Window *window, Size drawable, Size points) {
  if (window->handle != keeping.window) {
    keeping = {};
    keeping.window = window->handle;
  }
  const double now = Seconds();
  Size wanted = drawable;
  // A window drawn at its own size, as the game made or the player sized it,
  // stays as it is; only a scaled desktop's extra pixels are asked for.
  const bool scaled =
      drawable.width != points.width || drawable.height != points.height;
  if (!window->fullScreen && !scaled) {
    keeping.lastSwap = now;
    return;
  }
  if (window->fullScreen) {
    const Size picture = Picture();
    const Size box = BoxOf(picture, wanted);
    if (keeping.lastSwap >= 0) {
      const double period = now - keeping.lastSwap;
      NotePass(&keeping.stepper, period, period - keeping.slept, box, picture);
    }
    wanted = LadderSize(box, picture, keeping.stepper.level);
    if (FixedSize().width > 0)
      wanted = FixedSize();
  }
  keeping.lastSwap = now;
  keeping.slept = 0;
  if (wanted.width > 0 && wanted.height > 0 &&
      (wanted.width != window->clientWidth ||
       wanted.height != window->clientHeight)) {
    keeping.resize = window->handle;
    keeping.size = wanted;
  }
}

void NoteSleep(double seconds) {
  keeping.slept += seconds;
}

void ApplyDrawSize() {
  const HWND window = keeping.resize;
  keeping.resize = nullptr;
  emulation::Window *found =
      window != nullptr ? emulation::FindWindow(window) : nullptr;
  if (found != nullptr) {
    ResizeScaling(platform::SdlWindow(found), keeping.size.width,
                  keeping.size.height);
    emulation::ResizeClient(window, keeping.size.width, keeping.size.height);
  }
}

} // namespace sdl_face
