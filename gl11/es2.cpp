// Loads the ES 2.0 entry points by their GL names.
#include "gl11/es2.h"

namespace gl11 {

bool LoadEs2(Es2 *gl, void *(*loader)(const char *name)) {
  bool all = true;
#define TVL11_ES2_LOAD(ret, name, args)                                        \
  gl->name = reinterpret_cast<ret(GLAPIENTRY *) args>(loader("gl" #name));     \
  all = all && gl->name != nullptr;
  TVL11_ES2_FUNCTIONS(TVL11_ES2_LOAD)
#undef TVL11_ES2_LOAD
  return all;
}

} // namespace gl11
