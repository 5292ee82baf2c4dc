// The GL the game draws with, picked when the program is linked: the system's
// fixed-function GL (platform/gl_fixed.cpp) or the shader subset over ES 2.0
// (gl11/native.cpp). Both platform faces make contexts through these.
#pragma once

#include <SDL.h>

namespace platform {

// Puts the kind of context this GL needs into SDL's attributes.
void RequestGlContextKind();

// What wglGetProcAddress hands the game for an entry point's name.
void (*GlProcAddress(const char *name))();

// Called before a context is deleted, so nothing of it is kept.
void ForgetGlContext(SDL_GLContext context);

} // namespace platform
