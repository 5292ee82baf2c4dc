// The subset on a native ES 2.0 context made by SDL: the state of each SDL
// context, the ES 2.0 entry points from SDL's loader, and the platform's GL
// hooks (platform/gl_flavour.h).
#include "gl11/api.h"
#include "gl11/context.h"
#include "platform/gl_flavour.h"

#include <cstdio>

namespace {

struct Contexts {
  std::map<SDL_GLContext, std::unique_ptr<gl11::Context>> states;
  SDL_GLContext lastKey = nullptr; // the last lookup, as calls come in runs
  gl11::Context *last = nullptr;
};

// Never freed: contexts may be forgotten while statics are destroyed.
Contexts &All() {
  static Contexts *all = new Contexts;
  return *all;
}

void *Load(const char *name) {
  return SDL_GL_GetProcAddress(name);
}

} // namespace

namespace gl11 {

Context *Active() {
  const SDL_GLContext key = SDL_GL_GetCurrentContext();
  Contexts &all = All();
  if (key == all.lastKey && key != nullptr) {
    return all.last;
  }
  if (key == nullptr) {
    return nullptr;
  }
  auto found = all.states.find(key);
  if (found == all.states.end()) {
    auto state = std::make_unique<Context>();
    if (!LoadEs2(&state->gl, Load)) {
      // Said once; the context is remembered as one that draws nothing.
      std::fprintf(stderr, "gl11: the context lacks OpenGL ES 2.0\n");
      state = nullptr;
    }
    found = all.states.emplace(key, std::move(state)).first;
  }
  all.lastKey = key;
  all.last = found->second.get();
  return all.last;
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
  Contexts &all = All();
  all.states.erase(context);
  if (all.lastKey == context) {
    all.lastKey = nullptr;
    all.last = nullptr;
  }
}

} // namespace platform
