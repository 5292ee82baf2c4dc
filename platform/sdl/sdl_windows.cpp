// The SDL face's windows: a game window's surface is an SDL window (hidden
// until shown, borderless for a pop-up, resizable with a sizing frame, full
// screen while a display mode is set), with its title and the pointer shown
// or hidden; display modes are SDL's. Display depths: X11 and Wayland
// list only the desktop's own depth, which cannot change, so there any depth
// matches a listed size. Lacks: more than one display.
#include "platform/emulation.h"
#include "platform/folders_posix.h"

#include "platform/sdl_gl_context.h"

#include <algorithm>

namespace {

// The SDL mode behind the mode ChangeDisplaySettingsA set last.
SDL_DisplayMode chosenMode = {};

int BitsOf(const SDL_DisplayMode &mode) {
  return static_cast<int>(SDL_BITSPERPIXEL(mode.format));
}

} // namespace

namespace face {

bool Calling(const char *, const std::function<emulation::CallArgs()> &) {
  return false; // nothing to log, nothing to fail
}

bool MakeSurface(emulation::Window *window,
                 const platform::PixelFormat &format) {
  platform::ApplyGlAttributes(format);
  Uint32 flags = SDL_WINDOW_OPENGL;
  if (!window->visible)
    flags |= SDL_WINDOW_HIDDEN;
  if (window->style & WS_POPUP)
    flags |= SDL_WINDOW_BORDERLESS;
  if (window->style & WS_THICKFRAME)
    flags |= SDL_WINDOW_RESIZABLE;
  if (window->fullScreen)
    flags |= SDL_WINDOW_FULLSCREEN;
  SDL_Window *made =
      SDL_CreateWindow(window->title.c_str(), window->x, window->y,
                       std::max(window->clientWidth, 1),
                       std::max(window->clientHeight, 1), flags);
  if (made == nullptr)
    return false;
  if (window->fullScreen)
    SDL_SetWindowDisplayMode(made, &chosenMode);
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
  SDL_GL_SwapWindow(platform::SdlWindow(window));
}

void RetitleSurface(emulation::Window *window) {
  SDL_SetWindowTitle(platform::SdlWindow(window), window->title.c_str());
}

void ShowPointer(bool shown) {
  if (face::StartVideo())
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
  if (SDL_GetDesktopDisplayMode(0, &desktop) != 0)
    return false;
  *depthFixed = true;
  bool listed = false; // drivers without a list (offscreen) list a 0x0 mode
  for (int i = 0; i < SDL_GetNumDisplayModes(0); ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, i, &mode) != 0 || mode.w <= 0)
      continue;
    listed = true;
    *depthFixed = *depthFixed && BitsOf(mode) == BitsOf(desktop);
  }
  SDL_DisplayMode asked = {};
  asked.w = wanted.width;
  asked.h = wanted.height;
  asked.format =
      wanted.bits == 16 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB888;
  // The desktop's own mode is always one the display can take.
  if (!listed || SDL_GetClosestDisplayMode(0, &asked, &chosenMode) == nullptr ||
      chosenMode.w != wanted.width || chosenMode.h != wanted.height)
    chosenMode = desktop;
  *closest = {chosenMode.w, chosenMode.h, BitsOf(chosenMode)};
  return true;
}

void SetFullScreen(emulation::Window *window,
                   const emulation::DisplayMode *mode) {
  if (mode != nullptr)
    SDL_SetWindowDisplayMode(platform::SdlWindow(window), &chosenMode);
  SDL_SetWindowFullscreen(platform::SdlWindow(window),
                          mode != nullptr ? SDL_WINDOW_FULLSCREEN : 0);
}

DWORD Ticks() {
  return SDL_GetTicks();
}

bool ProgramPath(std::string *path) {
  return posix_folders::RunningProgramPath(path);
}

} // namespace face
