// GL contexts over SDL as both platform layers make them; see
// sdl_gl_context.h.
#include "platform/sdl_gl_context.h"

#include "platform/gl_flavour.h"

namespace platform {

void ApplyGlAttributes(const PixelFormat &format) {
  SDL_GL_ResetAttributes(); // the GL flavour asks for a profile, if any
  const int green = format.colourBits == 16 ? 6 : format.colourBits / 3;
  const int redBlue = format.colourBits == 16 ? 5 : format.colourBits / 3;
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, redBlue);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, green);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, redBlue);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, format.alphaBits);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, format.depthBits);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, format.stencilBits);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, format.doubleBuffer ? 1 : 0);
  RequestGlContextKind();
}

SDL_GLContext CreateContextKeepingCurrent(SDL_Window *window) {
  SDL_Window *previousWindow = SDL_GL_GetCurrentWindow();
  SDL_GLContext previous = SDL_GL_GetCurrentContext();
  SDL_GLContext context = SDL_GL_CreateContext(window);
  SDL_GL_MakeCurrent(previous ? previousWindow : nullptr, previous);
  return context;
}

} // namespace platform
