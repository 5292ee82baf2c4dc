// What the two faces built on SDL share: SDL's video start, GL contexts on
// SDL windows (the context hooks of a face's table, emulation.h), the pixel
// format put into SDL's GL attributes, and the game window behind an SDL
// window. Each SDL face compiles it (platform/CMakeLists.txt says why).
#pragma once

#include "platform/emulation.h"
#include "platform/pixel_format.h"

#include <SDL.h>

#include <string>

namespace platform {

// Sets SDL's GL attributes for a format; SDL reads them when it makes a GL
// window and when it makes a context.
void ApplyGlAttributes(const PixelFormat &format);

// The SDL window behind a game window's surface (null while it has none),
// and the one place that sets it.
SDL_Window *SdlWindow(const emulation::Window *window);
void SetSdlWindow(emulation::Window *window, SDL_Window *surface);

// Notes the game window on its SDL surface, for events naming the surface.
void TagSurface(SDL_Window *surface, HWND window);
// The game window whose surface has this SDL id; null for none.
HWND WindowOfSurface(Uint32 sdlWindowId);

} // namespace platform

// The context hooks of a face on SDL (emulation::Face has their contracts).
namespace sdl_gl {

bool StartVideo(std::string *reason);
face::Context *CreateContext(emulation::Window *window);
bool MakeCurrent(emulation::Window *window, face::Context *context);
void DeleteContext(face::Context *context);
PROC ProcAddress(const char *name);
bool SwapInterval(int interval);
void WaitRefresh(emulation::Window *window);

// Puts the hooks above into a face's table, for every face on SDL alike.
constexpr void AddContextHooks(emulation::Face *face) {
  face->startVideo = StartVideo;
  face->createContext = CreateContext;
  face->makeCurrent = MakeCurrent;
  face->deleteContext = DeleteContext;
  face->procAddress = ProcAddress;
  face->swapInterval = SwapInterval;
  face->waitRefresh = WaitRefresh;
}

} // namespace sdl_gl
