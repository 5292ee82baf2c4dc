// ES 2.0 state sent only when it changes: the program, the array buffer, the
// vertex attributes, texture bindings (the active unit changed only for a
// binding that differs) and the capabilities, each against what was sent
// last.
#include "gl11/context.h"

namespace gl11 {

void UseProgram(Context &c, GLuint program) {
  if (c.es.program.Change(program)) {
    c.gl.UseProgram(program);
  }
}

void BindArrayBuffer(Context &c, GLuint buffer) {
  if (c.es.arrayBuffer.Change(buffer)) {
    c.gl.BindBuffer(GL_ARRAY_BUFFER, buffer);
  }
}

void AttribArray(Context &c, Attribute a, int size, int stride,
                 std::size_t offset) {
  if (c.es.attribArray[a].Change(true)) {
    c.gl.EnableVertexAttribArray(a);
    // ES 2.0 leaves an attribute's current value undefined after a draw
    // that read its array.
    c.es.constant[a].known = false;
  }
  const AttribPointer pointer = {c.es.arrayBuffer.value, size, stride, offset};
  if (c.es.pointer[a].Change(pointer)) {
    c.gl.VertexAttribPointer(a, size, GL_FLOAT, GL_FALSE, stride,
                             reinterpret_cast<const void *>(offset));
  }
}

void AttribConstant(Context &c, Attribute a, const float value[4]) {
  if (c.es.attribArray[a].Change(false)) {
    c.gl.DisableVertexAttribArray(a);
  }
  Float4 now;
  std::memcpy(now.v, value, sizeof now.v);
  if (c.es.constant[a].Change(now)) {
    c.gl.VertexAttrib4f(a, value[0], value[1], value[2], value[3]);
  }
}

void SelectUnit(Context &c, int unit) {
  if (c.es.activeUnit.Change(unit)) {
    c.gl.ActiveTexture(GL_TEXTURE0 + unit);
  }
}

void BindUnitTexture(Context &c, int unit, GLenum target, GLuint es) {
  Sent<GLuint> &bound = c.es.texture[unit][target == GL_TEXTURE_2D ? 0 : 1];
  if (bound.known && bound.value == es) {
    return;
  }
  SelectUnit(c, unit);
  bound.Change(es);
  c.gl.BindTexture(target, es);
}

void SetCapability(Context &c, GLenum cap, bool on) {
  Sent<bool> &sent = cap == GL_BLEND ? c.es.blend : c.es.depthTest;
  if (sent.Change(on)) {
    (on ? c.gl.Enable : c.gl.Disable)(cap);
  }
}

void SetUnpackAlignment(Context &c, GLint alignment) {
  if (c.es.unpackAlignment.Change(alignment)) {
    c.gl.PixelStorei(GL_UNPACK_ALIGNMENT, alignment);
  }
}

void ResendServer(Context &c) {
  c.es = EsState();
  const Server &s = c.server;
  c.gl.ClearColor(s.clearColour[0], s.clearColour[1], s.clearColour[2],
                  s.clearColour[3]);
  c.gl.ClearDepthf(s.clearDepth);
  c.gl.DepthFunc(s.depthFunc);
  c.gl.BlendFunc(s.blendSource, s.blendDestination);
  if (s.viewportSet) {
    c.gl.Viewport(s.viewport[0], s.viewport[1], s.viewport[2], s.viewport[3]);
  }
  SetCapability(c, GL_BLEND, c.enables.blend);
  SetCapability(c, GL_DEPTH_TEST, c.enables.depthTest);
}

} // namespace gl11
