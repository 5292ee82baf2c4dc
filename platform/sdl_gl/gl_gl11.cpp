// The shader subset (gl11/) on native ES 2.0 contexts made by SDL: each
// context SDL makes current is pushed to the subset with SDL's loader.
#include "gl11/api.h"
#include "platform/sdl_gl/gl_flavour.h"

namespace {

void *SdlLoad(const char *name) {
  return SDL_GL_GetProcAddress(name);
}

void *(*loader)(const char *) = SdlLoad;

} // namespace

namespace platform {

void RequestGlContextKind() {
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
}

void (*GlProcAddress(const char *name))() {
  return gl11_ProcAddress(name);
}

void UseGlContext(SDL_GLContext context) {
  gl11_MakeCurrent(context, loader);
}

void ForgetGlContext(SDL_GLContext context) {
  gl11_ForgetContext(context);
}

void UseGlLoader(void *(*load)(const char *)) {
  loader = load != nullptr ? load : SdlLoad;
}

} // namespace platform
