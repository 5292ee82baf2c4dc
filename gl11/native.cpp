// The subset on a native ES 2.0 context made by SDL: the state of each SDL
// context, the ES 2.0 entry points from SDL's loader, and the platform's GL
// hooks (platform/gl_flavour.h).
#include "gl11/api.h"
#include "gl11/context.h"
#include "platform/gl_flavour.h"

namespace {

void *Load(const char *name) {
  return SDL_GL_GetProcAddress(name);
}

} // namespace

namespace gl11 {

Context *Active() {
  const SDL_GLContext key = SDL_GL_GetCurrentContext();
  return key == nullptr ? nullptr : StateFor(key, Load);
}

} // namespace gl11

namespace platform {

void RequestGlContextKind() {
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
}

void (*GlProcAddress(const char *name))() {
  return tvl11_ProcAddress(name);
}

void ForgetGlContext(SDL_GLContext context) {
  gl11::ForgetState(context);
}

} // namespace platform
