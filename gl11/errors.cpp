// GL's error flag, and the word said on stderr (the browser's console in the
// page) when the subset refuses a call or leaves something undone: a GL call
// the subset cannot do is not passed over in silence, in release builds too.
// Each distinct refusal is said once, so a refusal made every frame does not
// flood the log.
#include "gl11/api.h"
#include "gl11/context.h"

#include <cstdio>
#include <set>
#include <string>
#include <tuple>

namespace gl11 {
namespace {

const char *ErrorName(GLenum error) {
  switch (error) {
  case GL_INVALID_ENUM:
    return "GL_INVALID_ENUM";
  case GL_INVALID_OPERATION:
    return "GL_INVALID_OPERATION";
  case GL_STACK_OVERFLOW:
    return "GL_STACK_OVERFLOW";
  case GL_STACK_UNDERFLOW:
    return "GL_STACK_UNDERFLOW";
  default:
    return "GL_INVALID_VALUE";
  }
}

} // namespace

void Refuse(Context &c, GLenum error, const char *call, GLenum value) {
  if (c.error == GL_NO_ERROR) {
    c.error = error;
  }
  // Never freed: calls may be refused while statics are destroyed.
  static auto *said = new std::set<std::tuple<std::string, GLenum, GLenum>>;
  if (said->emplace(call, value, error).second) {
    std::fprintf(stderr, "gl11: %s refuses 0x%04x: %s\n", call, value,
                 ErrorName(error));
  }
}

void Warn(const char *what) {
  static auto *said = new std::set<std::string>;
  if (said->insert(what).second) {
    std::fprintf(stderr, "gl11: %s\n", what);
  }
}

} // namespace gl11

using namespace gl11;

// The subset's own error first, then what ES 2.0 refused.
GLenum gl11_glGetError() {
  Context *c = Active();
  if (!c) {
    return GL_NO_ERROR;
  }
  const GLenum error = c->error;
  c->error = GL_NO_ERROR;
  return error != GL_NO_ERROR ? error : c->gl.GetError();
}
