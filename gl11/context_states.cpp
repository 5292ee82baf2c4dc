// The subset's state per GL context, keyed by whatever the context's maker
// names it with (an SDL context, a WebGL handle).
#include "gl11/context.h"

#include <cstdio>

namespace gl11 {
namespace {

struct States {
  std::map<const void *, std::unique_ptr<Context>> byKey;
  const void *lastKey = nullptr; // the last lookup, as calls come in runs
  Context *last = nullptr;
};

// Never freed: contexts may be forgotten while statics are destroyed.
States &All() {
  static States *all = new States;
  return *all;
}

} // namespace

Context *StateFor(const void *key, void *(*loader)(const char *name)) {
  States &all = All();
  if (key == all.lastKey)
    return all.last;
  auto found = all.byKey.find(key);
  if (found == all.byKey.end()) {
    auto state = std::make_unique<Context>();
    if (!LoadEs2(&state->gl, loader)) {
      // Said once; the context is remembered as one that draws nothing.
      std::fprintf(stderr, "gl11: the context lacks OpenGL ES 2.0\n");
      state = nullptr;
    }
    found = all.byKey.emplace(key, std::move(state)).first;
  }
  all.lastKey = key;
  all.last = found->second.get();
  return all.last;
}

void ForgetState(const void *key) {
  States &all = All();
  all.byKey.erase(key);
  if (all.lastKey == key) {
    all.lastKey = nullptr;
    all.last = nullptr;
  }
}

} // namespace gl11
