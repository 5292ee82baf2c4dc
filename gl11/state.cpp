// The entry points that set state: enables and their stack, the simple
// server state ES 2.0 keeps itself, matrices, lights and material, and the
// vertices between glBegin and glEnd with the current attributes.
#include "gl11/api.h"
#include "gl11/context.h"

#include <cstring>
#include <vector>

using namespace gl11;

namespace gl11 {

bool *EnableFlag(Context &c, GLenum cap) {
  Enables &e = c.enables;
  switch (cap) {
  case GL_LIGHTING:
    return &e.lighting;
  case GL_LIGHT0:
  case GL_LIGHT1:
  case GL_LIGHT2:
    return &e.light[cap - GL_LIGHT0];
  case GL_TEXTURE_2D:
    return &e.texture2D[c.activeUnit];
  case GL_TEXTURE_CUBE_MAP_ARB:
    return &e.textureCube[c.activeUnit];
  case GL_BLEND:
    return &e.blend;
  case GL_DEPTH_TEST:
    return &e.depthTest;
  default:
    return nullptr;
  }
}

} // namespace gl11

namespace {

void SyncUnits(Context &c) {
  for (int i = 0; i < kUnitCount; ++i) {
    c.units[i].enabled2D = c.enables.texture2D[i];
    c.units[i].enabledCube = c.enables.textureCube[i];
  }
}

void SetEnabled(GLenum cap, bool on) {
  Context *c = Active();
  if (!c) {
    return;
  }
  bool *flag = EnableFlag(*c, cap);
  if (!flag) {
    Refuse(*c, GL_INVALID_ENUM, on ? "glEnable" : "glDisable", cap);
    return;
  }
  *flag = on;
  SyncUnits(*c);
  if (cap == GL_BLEND || cap == GL_DEPTH_TEST) {
    SetCapability(*c, cap, on);
  }
}

void Multiply(const Mat4 &m) {
  if (Context *c = Active()) {
    c->Top() = c->Top() * m;
  }
}

void Copy4(float out[4], const GLfloat *in) {
  std::memcpy(out, in, 16);
}

} // namespace

extern "C" {

void gl11_glEnable(GLenum cap) {
  SetEnabled(cap, true);
}
void gl11_glDisable(GLenum cap) {
  SetEnabled(cap, false);
}

// Other groups are refused, and their state not kept; the push is made, so
// that the matching pop balances it. A full stack refuses the push, as GL.
void gl11_glPushAttrib(GLbitfield mask) {
  if (Context *c = Active()) {
    if (c->attribStack.size() >= kAttribDepth) {
      Refuse(*c, GL_STACK_OVERFLOW, "glPushAttrib", mask);
      return;
    }
    if (mask & ~(GL_ENABLE_BIT | GL_CURRENT_BIT)) {
      Refuse(*c, GL_INVALID_ENUM, "glPushAttrib", mask);
    }
    c->attribStack.emplace_back(c->enables, c->current);
    c->attribMasks.push_back(mask);
  }
}

void gl11_glPopAttrib() {
  Context *c = Active();
  if (!c) {
    return;
  }
  if (c->attribStack.empty()) {
    Refuse(*c, GL_STACK_UNDERFLOW, "glPopAttrib", 0);
    return;
  }
  const unsigned mask = c->attribMasks.back();
  if (mask & GL_CURRENT_BIT) {
    c->current = c->attribStack.back().second;
  }
  if (mask & GL_ENABLE_BIT) {
    const Enables saved = c->attribStack.back().first;
    c->enables = saved;
    SyncUnits(*c);
    SetCapability(*c, GL_BLEND, saved.blend);
    SetCapability(*c, GL_DEPTH_TEST, saved.depthTest);
  }
  c->attribStack.pop_back();
  c->attribMasks.pop_back();
}

// Smooth is the only shading built.
void gl11_glShadeModel(GLenum mode) {
  Context *c = Active();
  if (c && mode != GL_SMOOTH) {
    Refuse(*c, GL_INVALID_ENUM, "glShadeModel", mode);
  }
}

void gl11_glHint(GLenum, GLenum) {} // hints are only hints
void gl11_glReadBuffer(GLenum) {}   // ES 2.0 reads the back buffer

// ES 2.0 starts with GL's values; each is sent when it changes.
void gl11_glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
  Context *c = Active();
  const float colour[4] = {r, g, b, a};
  if (c && std::memcmp(colour, c->server.clearColour, sizeof colour) != 0) {
    Copy4(c->server.clearColour, colour);
    c->gl.ClearColor(r, g, b, a);
  }
}

void gl11_glClearDepth(GLclampd depth) {
  Context *c = Active();
  if (c && static_cast<GLfloat>(depth) != c->server.clearDepth) {
    c->server.clearDepth = static_cast<GLfloat>(depth);
    c->gl.ClearDepthf(c->server.clearDepth);
  }
}

void gl11_glClear(GLbitfield mask) {
  if (Context *c = Active()) {
    c->gl.Clear(mask);
  }
}

void gl11_glDepthFunc(GLenum func) {
  Context *c = Active();
  if (c && (func < GL_NEVER || func > GL_ALWAYS)) {
    Refuse(*c, GL_INVALID_ENUM, "glDepthFunc", func);
  } else if (c && func != c->server.depthFunc) {
    c->server.depthFunc = func;
    c->gl.DepthFunc(func);
  }
}

void gl11_glBlendFunc(GLenum sfactor, GLenum dfactor) {
  Context *c = Active();
  Server *s = c ? &c->server : nullptr;
  if (s && (sfactor != s->blendSource || dfactor != s->blendDestination)) {
    s->blendSource = sfactor;
    s->blendDestination = dfactor;
    c->gl.BlendFunc(sfactor, dfactor);
  }
}

void gl11_glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  Context *c = Active();
  if (!c) {
    return;
  }
  const GLint now[4] = {x, y, width, height};
  Server &s = c->server;
  if (!s.viewportSet || std::memcmp(now, s.viewport, sizeof now) != 0) {
    std::memcpy(s.viewport, now, sizeof now);
    s.viewportSet = true;
    c->gl.Viewport(x, y, width, height);
  }
}

void gl11_glMatrixMode(GLenum mode) {
  Context *c = Active();
  if (!c) {
    return;
  }
  if (mode != GL_MODELVIEW && mode != GL_PROJECTION && mode != GL_TEXTURE) {
    Refuse(*c, GL_INVALID_ENUM, "glMatrixMode", mode);
    return;
  }
  c->matrixMode = mode;
}

void gl11_glLoadIdentity() {
  if (Context *c = Active()) {
    c->Top() = Mat4();
  }
}

void gl11_glPushMatrix() {
  if (Context *c = Active()) {
    std::vector<Mat4> &stack = c->Stack();
    if (stack.size() >= c->MaxDepth()) {
      Refuse(*c, GL_STACK_OVERFLOW, "glPushMatrix", c->matrixMode);
      return;
    }
    stack.push_back(stack.back());
  }
}

void gl11_glPopMatrix() {
  if (Context *c = Active()) {
    std::vector<Mat4> &stack = c->Stack();
    if (stack.size() > 1) {
      stack.pop_back();
    } else {
      Refuse(*c, GL_STACK_UNDERFLOW, "glPopMatrix", c->matrixMode);
    }
  }
}

void gl11_glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
  Multiply(Translation(x, y, z));
}

void gl11_glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  Multiply(Rotation(angle, x, y, z));
}

void gl11_gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear,
                         GLdouble zFar) {
  Multiply(Perspective(fovy, aspect, zNear, zFar));
}

void gl11_gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ,
                    GLdouble centerX, GLdouble centerY, GLdouble centerZ,
                    GLdouble upX, GLdouble upY, GLdouble upZ) {
  const double eye[3] = {eyeX, eyeY, eyeZ};
  const double centre[3] = {centerX, centerY, centerZ};
  const double up[3] = {upX, upY, upZ};
  Multiply(LookAt(eye, centre, up));
}

void gl11_glBegin(GLenum mode) {
  if (Context *c = Active()) {
    if (c->inBegin) {
      Refuse(*c, GL_INVALID_OPERATION, "glBegin", mode);
      return;
    }
    if (mode > GL_POLYGON) {
      Refuse(*c, GL_INVALID_ENUM, "glBegin", mode);
      return;
    }
    c->inBegin = true;
    c->primitive = mode;
    c->batch.clear();
  }
}

void gl11_glEnd() {
  Context *c = Active();
  if (!c) {
    return;
  }
  if (!c->inBegin) {
    Refuse(*c, GL_INVALID_OPERATION, "glEnd", 0);
    return;
  }
  c->inBegin = false;
  // A quad strip's vertices make the same triangles as a strip, a convex
  // polygon's those of a fan.
  const int count = static_cast<int>(c->batch.size());
  switch (c->primitive) {
  case GL_QUADS:
    break;
  case GL_QUAD_STRIP:
    DrawVertices(*c, GL_TRIANGLE_STRIP, c->batch.data(), count & ~1);
    return;
  case GL_POLYGON:
    DrawVertices(*c, GL_TRIANGLE_FAN, c->batch.data(), count);
    return;
  default:
    DrawVertices(*c, c->primitive, c->batch.data(), count);
    return;
  }
  // Each quad as two triangles sharing its first and third corners.
  c->triangles.clear();
  for (std::size_t q = 0; q + 3 < c->batch.size(); q += 4) {
    const Vertex *v = &c->batch[q];
    c->triangles.insert(c->triangles.end(),
                        {v[0], v[1], v[2], v[0], v[2], v[3]});
  }
  DrawVertices(*c, GL_TRIANGLES, c->triangles.data(),
               static_cast<int>(c->triangles.size()));
}

void gl11_glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  Context *c = Active();
  if (!c || !c->inBegin) {
    return;
  }
  const Current &now = c->current;
  Vertex v;
  v.position[0] = x;
  v.position[1] = y;
  v.position[2] = z;
  std::memcpy(v.normal, now.normal, sizeof v.normal);
  std::memcpy(v.colour, now.colour, sizeof v.colour);
  std::memcpy(v.texCoord, now.texCoord, sizeof v.texCoord);
  c->batch.push_back(v);
}

void gl11_glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
  if (Context *c = Active()) {
    c->current.normal[0] = x;
    c->current.normal[1] = y;
    c->current.normal[2] = z;
  }
}

void gl11_glColor3f(GLfloat r, GLfloat g, GLfloat b) {
  gl11_glColor4f(r, g, b, 1.0f);
}

void gl11_glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
  if (Context *c = Active()) {
    const float colour[4] = {r, g, b, a};
    Copy4(c->current.colour, colour);
  }
}

void gl11_glTexCoord2f(GLfloat s, GLfloat t) {
  gl11_glMultiTexCoord3fARB(GL_TEXTURE0_ARB, s, t, 0.0f);
}

void GLAPIENTRY gl11_glMultiTexCoord2fARB(GLenum unit, GLfloat s, GLfloat t) {
  gl11_glMultiTexCoord3fARB(unit, s, t, 0.0f);
}

void GLAPIENTRY gl11_glMultiTexCoord3fARB(GLenum unit, GLfloat s, GLfloat t,
                                          GLfloat r) {
  Context *c = Active();
  const unsigned index = unit - GL_TEXTURE0_ARB;
  if (c && index >= kUnitCount) {
    Refuse(*c, GL_INVALID_ENUM, "glMultiTexCoord", unit);
  } else if (c) {
    c->current.texCoord[index][0] = s;
    c->current.texCoord[index][1] = t;
    c->current.texCoord[index][2] = r;
  }
}

void gl11_glLightfv(GLenum light, GLenum pname, const GLfloat *params) {
  Context *c = Active();
  const unsigned index = light - GL_LIGHT0;
  if (!c) {
    return;
  }
  if (index >= kLightCount) {
    Refuse(*c, GL_INVALID_ENUM, "glLightfv", light);
    return;
  }
  Light &l = c->lights[index];
  switch (pname) {
  case GL_POSITION:
    // Fixed in eye space by the modelview matrix of the moment.
    Transform(c->modelview.back(), params, l.position);
    break;
  case GL_AMBIENT:
    Copy4(l.ambient, params);
    break;
  case GL_DIFFUSE:
    Copy4(l.diffuse, params);
    break;
  case GL_SPECULAR:
    Copy4(l.specular, params);
    break;
  default: // spot lights and attenuation are not built
    Refuse(*c, GL_INVALID_ENUM, "glLightfv", pname);
    break;
  }
}

void gl11_glLightModelfv(GLenum pname, const GLfloat *params) {
  Context *c = Active();
  if (c && pname == GL_LIGHT_MODEL_AMBIENT) {
    Copy4(c->sceneAmbient, params);
  } else if (c && pname == GL_LIGHT_MODEL_LOCAL_VIEWER) {
    c->localViewer = params[0] != 0;
  } else if (c) { // two-sided lighting is not built
    Refuse(*c, GL_INVALID_ENUM, "glLightModel", pname);
  }
}

// The ambient colour is a vector, and two-sided lighting is not built.
void gl11_glLightModelf(GLenum pname, GLfloat param) {
  Context *c = Active();
  if (c && pname == GL_LIGHT_MODEL_LOCAL_VIEWER) {
    c->localViewer = param != 0;
  } else if (c) {
    Refuse(*c, GL_INVALID_ENUM, "glLightModelf", pname);
  }
}

void gl11_glMaterialfv(GLenum face, GLenum pname, const GLfloat *params) {
  Context *c = Active();
  if (!c) {
    return;
  }
  if (face != GL_FRONT && face != GL_FRONT_AND_BACK) {
    // Back faces are never lit: no two-sided lighting.
    Refuse(*c, GL_INVALID_ENUM, "glMaterialfv", face);
    return;
  }
  Material &m = c->material;
  switch (pname) {
  case GL_AMBIENT:
    Copy4(m.ambient, params);
    break;
  case GL_DIFFUSE:
    Copy4(m.diffuse, params);
    break;
  case GL_AMBIENT_AND_DIFFUSE:
    Copy4(m.ambient, params);
    Copy4(m.diffuse, params);
    break;
  case GL_SPECULAR:
    Copy4(m.specular, params);
    break;
  case GL_EMISSION:
    Copy4(m.emission, params);
    break;
  case GL_SHININESS:
    m.shininess = params[0];
    break;
  default:
    Refuse(*c, GL_INVALID_ENUM, "glMaterialfv", pname);
    break;
  }
}

} // extern "C"

// The ARB entry points wglGetProcAddress hands out.
void (*gl11_ProcAddress(const char *name))() {
  struct Entry {
    const char *name;
    void (*function)();
  };
  static const Entry entries[] = {
      {"glActiveTextureARB",
       reinterpret_cast<void (*)()>(&gl11_glActiveTextureARB)},
      {"glMultiTexCoord2fARB",
       reinterpret_cast<void (*)()>(&gl11_glMultiTexCoord2fARB)},
      {"glMultiTexCoord3fARB",
       reinterpret_cast<void (*)()>(&gl11_glMultiTexCoord3fARB)},
  };
  for (const Entry &e : entries) {
    if (std::strcmp(e.name, name) == 0) {
      return e.function;
    }
  }
  return nullptr;
}
