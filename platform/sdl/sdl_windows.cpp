// The SDL face's windows: a game window's surface is an SDL window (hidden
// until shown, borderless for a pop-up, resizable with a sizing frame), with
// its title and the pointer shown or hidden. Display modes are never
// switched: any size up to the desktop's is offered, and a window full
// screen "in" it is a full-screen window at the desktop's own size showing
// the game's picture scaled (sdl_letterbox), so LCDs and Wayland, which have
// no 640 x 480 mode, still play full screen. Display depths: X11 and Wayland
// list only the desktop's own depth, which cannot change, so there any depth
// matches. Lacks: more than one display.
#include "platform/sdl/sdl_face.h"

#include "platform/folders_posix.h"
#include "platform/sdl/sdl_full_screen.h"
#include "platform/sdl/sdl_letterbox.h"
#include "platform/sdl_gl/sdl_gl_context.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

int BitsOf(const SDL_DisplayMode &mode) {
  return static_cast<int>(SDL_BITSPERPIXEL(mode.format));
}

// Full screen is asked of the window manager, and with none (a bare X
// server) nobody resizes the window: so it is also made the desktop's size.
SDL_Rect DesktopBounds() {
  SDL_Rect bounds = {0, 0, 640, 480};
  SDL_GetDisplayBounds(0, &bounds);
  return bounds;
}

} // namespace

namespace sdl_face {

bool MakeSurface(emulation::Window *window,
                 const platform::PixelFormat &format) {
  platform::ApplyGlAttributes(format);
  // On a scaled desktop the drawable has the screen's pixels, not its points.
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_ALLOW_HIGHDPI;
  if (!window->visible)
    flags |= SDL_WINDOW_HIDDEN;
  if (window->style & WS_POPUP)
    flags |= SDL_WINDOW_BORDERLESS;
  if (window->style & WS_THICKFRAME)
    flags |= SDL_WINDOW_RESIZABLE;
  if (window->fullScreen)
    flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  SDL_Rect place = {window->x, window->y, std::max(window->clientWidth, 1),
                    std::max(window->clientHeight, 1)};
  if (window->fullScreen)
    place = DesktopBounds();
  SDL_Window *made = SDL_CreateWindow(window->title.c_str(), place.x, place.y,
                                      place.w, place.h, flags);
  if (made == nullptr)
    return false;
  platform::TagSurface(made, window->handle);
  DestroySurface(window);
  platform::SetSdlWindow(window, made);
  window->surfaceFormat = format;
  return true;
}

void ShowSurface(emulation::Window *window, emulation::ShowKind kind) {
  if (kind == emulation::ShowKind::Raise) {
    SDL_RaiseWindow(platform::SdlWindow(window));
    return;
  }
  SDL_ShowWindow(platform::SdlWindow(window));
  if (window->minimised)
    SDL_RestoreWindow(platform::SdlWindow(window));
}

void SwapSurface(emulation::Window *window) {
  SDL_Window *surface = platform::SdlWindow(window);
  int width = 0;
  int height = 0;
  SDL_GL_GetDrawableSize(surface, &width, &height);
  sdl_face::Size points = {0, 0};
  SDL_GetWindowSize(surface, &points.width, &points.height);
  sdl_face::NoteSwap(window, {width, height}, points);
  if (window->fullScreen &&
      (width != window->clientWidth || height != window->clientHeight) &&
      sdl_face::Present(surface, window->clientWidth, window->clientHeight))
    return;
  sdl_face::StopScaling();
  SDL_GL_SwapWindow(surface);
}

void RetitleSurface(emulation::Window *window) {
  SDL_SetWindowTitle(platform::SdlWindow(window), window->title.c_str());
}

void ShowPointer(bool shown) {
  if (sdl_gl::StartVideo(nullptr))
    SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
}

void DestroySurface(emulation::Window *window) {
  if (platform::SdlWindow(window) != nullptr)
    SDL_DestroyWindow(platform::SdlWindow(window));
  platform::SetSdlWindow(window, nullptr);
}

bool ClosestMode(const emulation::DisplayMode &wanted,
                 emulation::DisplayMode *closest, bool *depthFixed) {
  SDL_DisplayMode desktop;
  if (SDL_GetDesktopDisplayMode(0, &desktop) != 0 || desktop.w <= 0 ||
      desktop.h <= 0)
    return false;
  *depthFixed = true;
  for (int i = 0; i < SDL_GetNumDisplayModes(0); ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, i, &mode) == 0 && mode.w > 0)
      *depthFixed = *depthFixed && BitsOf(mode) == BitsOf(desktop);
  }
  // A size the desktop holds is shown scaled up to it; a larger one would
  // have to be shrunk, which no mode of a real display does.
  if (wanted.width <= 0 || wanted.height <= 0 || wanted.width > desktop.w ||
      wanted.height > desktop.h)
    *closest = {desktop.w, desktop.h, BitsOf(desktop)};
  else
    *closest = {wanted.width, wanted.height, BitsOf(desktop)};
  return true;
}

void SetFullScreen(emulation::Window *window,
                   const emulation::DisplayMode *mode) {
  SDL_Window *surface = platform::SdlWindow(window);
  if (mode == nullptr) {
    sdl_face::StopScaling();
    SDL_SetWindowFullscreen(surface, 0);
    SDL_SetWindowSize(surface, window->clientWidth, window->clientHeight);
    SDL_SetWindowPosition(surface, window->x, window->y);
    return;
  }
  const SDL_Rect bounds = DesktopBounds();
  SDL_SetWindowPosition(surface, bounds.x, bounds.y);
  SDL_SetWindowSize(surface, bounds.w, bounds.h);
  SDL_SetWindowFullscreen(surface, SDL_WINDOW_FULLSCREEN_DESKTOP);
}

DWORD Ticks() {
  return SDL_GetTicks();
}

double Now() {
  return static_cast<double>(SDL_GetPerformanceCounter()) /
         static_cast<double>(SDL_GetPerformanceFrequency());
}

// A sleep, not a spin: a paced game should leave the processor idle.
void WaitUntil(double when) {
  const double start = Now();
  if (when > start)
    std::this_thread::sleep_for(std::chrono::duration<double>(when - start));
  sdl_face::NoteSleep(Now() - start);
}

bool ProgramPath(std::string *path) {
  return posix_folders::RunningProgramPath(path);
}

} // namespace sdl_face
