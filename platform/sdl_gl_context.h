// GL contexts over SDL as both platform layers make them: the pixel format
// put into SDL's GL attributes, and a new context that leaves the current
// one current.
#pragma once

#include "platform/pixel_format.h"

#include <SDL.h>

namespace platform {

// Sets SDL's GL attributes for a format; SDL reads them when it makes a GL
// window and when it makes a context.
void ApplyGlAttributes(const PixelFormat &format);

// A context for the window, or null with SDL's reason in SDL_GetError. SDL
// makes a new context current; WGL does not, so the one that was current
// stays current.
SDL_GLContext CreateContextKeepingCurrent(SDL_Window *window);

} // namespace platform
