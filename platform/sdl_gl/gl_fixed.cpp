// The system's fixed-function GL: a compatibility context (no profile asked
// for, so Mesa gives its legacy pipeline and the ARB extensions) and the
// driver's own entry points.
#include "platform/sdl_gl/gl_flavour.h"

namespace platform {

void RequestGlContextKind() {}

void (*GlProcAddress(const char *name))() {
  return reinterpret_cast<void (*)()>(SDL_GL_GetProcAddress(name));
}

void UseGlContext(SDL_GLContext) {}

void ForgetGlContext(SDL_GLContext) {}

void UseGlLoader(void *(*)(const char *)) {}

} // namespace platform
