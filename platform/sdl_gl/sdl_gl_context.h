// What the two faces built on SDL share: SDL's video start, GL contexts on
// SDL windows (the face hooks of emulation.h), the pixel format put into
// SDL's GL attributes, and the game window behind an SDL window.
#pragma once

#include "platform/emulation.h"
#include "platform/pixel_format.h"

#include <SDL.h>

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
