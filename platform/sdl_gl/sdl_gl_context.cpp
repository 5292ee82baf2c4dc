// SDL's context hooks for the SDL face and the scripted twin: video start,
// GL contexts made and made current on the window's SDL window, the GL's
// entry points, and the refresh interval a hidden window's swap waits.
#include "platform/sdl_gl/sdl_gl_context.h"

#include "platform/sdl_gl/gl_flavour.h"

#include <cstdio>

namespace {

constexpr char kWindowKey[] = "tvlounge.hwnd";

SDL_GLContext SdlContext(face::Context *context) {
  return static_cast<SDL_GLContext>(context);
}

} // namespace

namespace platform {

void ApplyGlAttributes(const PixelFormat &format) {
  SDL_GL_ResetAttributes(); // the GL flavour asks for a profile, if any
  const int green = format.colourBits == 16 ? 6 : format.colourBits / 3;
  const int redBlue = format.colourBits == 16 ? 5 : format.colourBits / 3;
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, redBlue);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, green);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, redBlue);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, format.alphaBits);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, format.depthBits);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, format.stencilBits);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, format.doubleBuffer ? 1 : 0);
  RequestGlContextKind();
}

SDL_Window *SdlWindow(const emulation::Window *window) {
  return reinterpret_cast<SDL_Window *>(window->surface);
}

void SetSdlWindow(emulation::Window *window, SDL_Window *surface) {
  window->surface = reinterpret_cast<face::Surface *>(surface);
}

void TagSurface(SDL_Window *surface, HWND window) {
  SDL_SetWindowData(surface, kWindowKey, window);
}

HWND WindowOfSurface(Uint32 sdlWindowId) {
  SDL_Window *surface = SDL_GetWindowFromID(sdlWindowId);
  if (surface == nullptr)
    return nullptr;
  return static_cast<HWND>(SDL_GetWindowData(surface, kWindowKey));
}

} // namespace platform

namespace sdl_gl {

// Keeps the GL library loaded for the whole process: unloading it at exit
// turns the driver's reachable memory into leak reports into an unloaded
// module.
bool StartVideo(std::string *reason) {
  static bool started = false;
  if (started)
    return true;
  // Closing the last window is a WM_CLOSE for the game to act on, not a
  // request to quit.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    if (reason != nullptr)
      *reason = SDL_GetError();
    return false;
  }
  started = true;
  if (SDL_GL_LoadLibrary(nullptr) != 0)
    std::fprintf(stderr, "OpenGL library: %s\n", SDL_GetError());
  return true;
}

face::Context *CreateContext(emulation::Window *window) {
  platform::ApplyGlAttributes(window->surfaceFormat);
  // SDL makes a new context current; WGL does not.
  SDL_Window *previousWindow = SDL_GL_GetCurrentWindow();
  SDL_GLContext previous = SDL_GL_GetCurrentContext();
  SDL_GLContext context = SDL_GL_CreateContext(platform::SdlWindow(window));
  if (context == nullptr)
    std::fprintf(stderr, "GL context: %s\n", SDL_GetError());
  SDL_GL_MakeCurrent(previous ? previousWindow : nullptr, previous);
  return static_cast<face::Context *>(context);
}

bool MakeCurrent(emulation::Window *window, face::Context *context) {
  if (window == nullptr || context == nullptr) {
    platform::UseGlContext(nullptr);
    return SDL_GL_MakeCurrent(nullptr, nullptr) == 0;
  }
  if (SDL_GL_MakeCurrent(platform::SdlWindow(window), SdlContext(context)) != 0)
    return false;
  platform::UseGlContext(SdlContext(context));
  return true;
}

void DeleteContext(face::Context *context) {
  platform::ForgetGlContext(SdlContext(context));
  SDL_GL_DeleteContext(SdlContext(context));
}

PROC ProcAddress(const char *name) {
  return reinterpret_cast<PROC>(platform::GlProcAddress(name));
}

bool SwapInterval(int interval) {
  return SDL_GL_SetSwapInterval(interval) == 0;
}

void WaitRefresh(emulation::Window *window) {
  SDL_DisplayMode mode = {};
  const int hz =
      SDL_GetWindowDisplayMode(platform::SdlWindow(window), &mode) == 0 &&
              mode.refresh_rate > 0
          ? mode.refresh_rate
          : 60;
  SDL_Delay(static_cast<Uint32>(1000 / hz));
}

} // namespace sdl_gl
