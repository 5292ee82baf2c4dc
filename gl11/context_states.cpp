// The subset's state per GL context, keyed by whatever the context's maker
// names it with (an SDL context, a WebGL handle), and the one current.
#include "gl11/api.h"
#include "gl11/context.h"

#include <cstdio>

namespace gl11 {
namespace {

struct States {
  std::map<const void *, std::unique_ptr<Context>> byKey;
  Context *current = nullptr;
};

// Never freed: contexts may be forgotten while statics are destroyed.
States &All() {
  static States *all = new States;
  return *all;
}

// Drops every ES 2.0 object name and what ES 2.0 was sent; the game's
// names, the texture images and parameters and the quadric vertices stay,
// to be sent again.
void ForgetObjects(Context &c) {
  c.programs.clear();
  c.streamBuffer = 0;
  c.streamCapacity = c.streamUsed = 0;
  c.meshBuffer = 0;
  c.meshVerticesSent = 0;
  for (auto &[name, texture] : c.textures) {
    texture.es = 0;
  }
  c.es = EsState();
}

} // namespace

Context *Active() {
  return All().current;
}

Context *StateOf(const void *key) {
  States &all = All();
  const auto found = all.byKey.find(key);
  return found == all.byKey.end() ? nullptr : found->second.get();
}

} // namespace gl11

using namespace gl11;

void gl11_MakeCurrent(const void *key, void *(*loader)(const char *)) {
  States &all = All();
  if (key == nullptr) {
    all.current = nullptr;
    return;
  }
  auto found = all.byKey.find(key);
  if (found == all.byKey.end()) {
    auto state = std::make_unique<Context>();
    if (loader == nullptr || !LoadEs2(&state->gl, loader)) {
      // Said once; the context is remembered as one that draws nothing.
      std::fprintf(stderr, "gl11: the context lacks OpenGL ES 2.0\n");
      state = nullptr;
    }
    found = all.byKey.emplace(key, std::move(state)).first;
  }
  all.current = found->second.get();
}

void gl11_ForgetContext(const void *key) {
  States &all = All();
  const auto found = all.byKey.find(key);
  if (found == all.byKey.end()) {
    return;
  }
  if (all.current == found->second.get()) {
    all.current = nullptr;
  }
  all.byKey.erase(found);
}

void gl11_ContextLost(const void *key) {
  if (Context *c = StateOf(key)) {
    ForgetObjects(*c);
    c->lost = true;
  }
}

// Objects are made again when first drawn with; the server state at once.
bool gl11_ContextRestored(const void *key) {
  Context *c = StateOf(key);
  if (!c) {
    return false;
  }
  ForgetObjects(*c); // anything made while lost was made on nothing
  c->lost = false;
  ResendServer(*c);
  return true;
}
