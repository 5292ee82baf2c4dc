// The GL the game draws with, picked when the program is linked: the system's
// fixed-function GL (gl_fixed.cpp) or the shader subset over ES 2.0
// (gl_gl11.cpp, pushing contexts to gl11/). Both SDL faces make
// contexts through these.
#pragma once

#include <SDL.h>

namespace platform {

// Puts the kind of context this GL needs into SDL's attributes.
void RequestGlContextKind();

// What wglGetProcAddress hands the game for an entry point's name.
void (*GlProcAddress(const char *name))();

// Called after a context was made current on this thread (null: none).
void UseGlContext(SDL_GLContext context);

// Called before a context is deleted, so nothing of it is kept.
void ForgetGlContext(SDL_GLContext context);

// Where the subset loads ES 2.0 from for contexts it meets from now on
// (null: SDL's loader), so a bench can count the calls; the system's GL
// ignores it.
void UseGlLoader(void *(*loader)(const char *name));

} // namespace platform
