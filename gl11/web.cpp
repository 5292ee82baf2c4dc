// The subset on a page's WebGL 1 context: the state of each context and the
// ES 2.0 entry points from the browser's GL, keyed by the WebGL context
// that is current.
#include "gl11/web.h"

#include "gl11/api.h"
#include "gl11/context.h"

#include <emscripten/html5.h>

#include <cstdint>

namespace {

void *Load(const char *name) {
  return emscripten_webgl1_get_proc_address(name);
}

// Handles are small positive numbers; as keys they stand for themselves.
const void *KeyOf(EMSCRIPTEN_WEBGL_CONTEXT_HANDLE handle) {
  return reinterpret_cast<const void *>(static_cast<std::intptr_t>(handle));
}

} // namespace

namespace gl11 {

Context *Active() {
  const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE handle =
      emscripten_webgl_get_current_context();
  return handle == 0 ? nullptr : StateFor(KeyOf(handle), Load);
}

void ForgetWebContext(int handle) {
  ForgetState(KeyOf(handle));
}

} // namespace gl11
