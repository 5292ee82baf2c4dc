// The subset on a page's WebGL 1 context: the state of each context and the
// ES 2.0 entry points from the browser's GL, keyed by the WebGL context
// that is current.
#include "gl11/web.h"

#include "gl11/api.h"
#include "gl11/context.h"

#include <emscripten/html5.h>

#include <cstdio>
#include <map>
#include <memory>

namespace {

using Handle = EMSCRIPTEN_WEBGL_CONTEXT_HANDLE;

std::map<Handle, std::unique_ptr<gl11::Context>> &States() {
  static auto *states = new std::map<Handle, std::unique_ptr<gl11::Context>>;
  return *states;
}

void *Load(const char *name) {
  return emscripten_webgl1_get_proc_address(name);
}

} // namespace

namespace gl11 {

Context *Active() {
  const Handle key = emscripten_webgl_get_current_context();
  if (key == 0)
    return nullptr;
  auto found = States().find(key);
  if (found == States().end()) {
    auto state = std::make_unique<Context>();
    if (!LoadEs2(&state->gl, Load)) {
      std::fprintf(stderr, "gl11: the page's WebGL lacks OpenGL ES 2.0\n");
      return nullptr;
    }
    found = States().emplace(key, std::move(state)).first;
  }
  return found->second.get();
}

void ForgetWebContext(int handle) {
  States().erase(static_cast<Handle>(handle));
}

} // namespace gl11
