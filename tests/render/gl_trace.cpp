// The wrapped GL and GLU functions and the text each call is recorded as.
#include "tests/render/gl_trace.h"

#include "game/game_state.h"
#include "image/cube_map.h"
#include "image/texture_slots.h"
#include "platform/gl.h"
#include "render/gl_objects.h"

#include <charconv>
#include <cstdio>
#include <cstring>

namespace gltrace {
namespace {

bool recording = false;
std::vector<std::string> calls;

PFNGLACTIVETEXTUREARBPROC realActiveTexture = nullptr;
PFNGLMULTITEXCOORD2FARBPROC realMultiTexCoord2f = nullptr;
PFNGLMULTITEXCOORD3FARBPROC realMultiTexCoord3f = nullptr;

struct EnumName {
  unsigned value;
  const char *name;
};

const EnumName kEnumNames[] = {
    {GL_LIGHT0, "GL_LIGHT0"},
    {GL_LIGHT1, "GL_LIGHT1"},
    {GL_LIGHT2, "GL_LIGHT2"},
    {GL_POSITION, "GL_POSITION"},
    {GL_AMBIENT, "GL_AMBIENT"},
    {GL_DIFFUSE, "GL_DIFFUSE"},
    {GL_SPECULAR, "GL_SPECULAR"},
    {GL_SHININESS, "GL_SHININESS"},
    {GL_EMISSION, "GL_EMISSION"},
    {GL_LIGHTING, "GL_LIGHTING"},
    {GL_LIGHT_MODEL_AMBIENT, "GL_LIGHT_MODEL_AMBIENT"},
    {GL_LIGHT_MODEL_LOCAL_VIEWER, "GL_LIGHT_MODEL_LOCAL_VIEWER"},
    {GL_TEXTURE_2D, "GL_TEXTURE_2D"},
    {GL_TEXTURE_CUBE_MAP_ARB, "GL_TEXTURE_CUBE_MAP_ARB"},
    {GL_BLEND, "GL_BLEND"},
    {GL_DEPTH_TEST, "GL_DEPTH_TEST"},
    {GL_COLOR_MATERIAL, "GL_COLOR_MATERIAL"},
    {GL_SRC_ALPHA, "GL_SRC_ALPHA"},
    {GL_ONE_MINUS_SRC_ALPHA, "GL_ONE_MINUS_SRC_ALPHA"},
    {GL_DST_COLOR, "GL_DST_COLOR"},
    {GL_TEXTURE0_ARB, "GL_TEXTURE0_ARB"},
    {GL_TEXTURE1_ARB, "GL_TEXTURE1_ARB"},
    {GL_TEXTURE_ENV, "GL_TEXTURE_ENV"},
    {GL_TEXTURE_ENV_MODE, "GL_TEXTURE_ENV_MODE"},
    {GL_COMBINE_ARB, "GL_COMBINE_ARB"},
    {GL_SOURCE0_RGB_ARB, "GL_SOURCE0_RGB_ARB"},
    {GL_SOURCE1_RGB_ARB, "GL_SOURCE1_RGB_ARB"},
    {GL_COMBINE_RGB_ARB, "GL_COMBINE_RGB_ARB"},
    {GL_TEXTURE, "GL_TEXTURE"},
    {GL_REPLACE, "GL_REPLACE"},
    {GL_DOT3_RGB_ARB, "GL_DOT3_RGB_ARB"},
    {GL_PREVIOUS_ARB, "GL_PREVIOUS_ARB"},
    {GL_MODULATE, "GL_MODULATE"},
    {GL_FRONT, "GL_FRONT"},
    {GL_BACK, "GL_BACK"},
    {GL_FRONT_AND_BACK, "GL_FRONT_AND_BACK"},
};

const EnumName kPrimitiveNames[] = {
    {GL_POINTS, "GL_POINTS"},       {GL_LINES, "GL_LINES"},
    {GL_LINE_LOOP, "GL_LINE_LOOP"}, {GL_TRIANGLES, "GL_TRIANGLES"},
    {GL_QUADS, "GL_QUADS"},         {GL_POLYGON, "GL_POLYGON"},
};

std::string Hex(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", value);
  return text;
}

std::string Primitive(unsigned value) {
  for (const EnumName &e : kPrimitiveNames) {
    if (e.value == value) {
      return e.name;
    }
  }
  return Hex(value);
}

std::string BlendFactor(unsigned value) {
  return value == GL_ZERO  ? "GL_ZERO"
         : value == GL_ONE ? "GL_ONE"
                           : Enum(value);
}

// Parameters that name a value (mode, source) and those that are numbers.
std::string EnvValue(unsigned pname, int value) {
  if (pname == GL_TEXTURE_ENV_MODE || pname == GL_SOURCE0_RGB_ARB ||
      pname == GL_SOURCE1_RGB_ARB || pname == GL_COMBINE_RGB_ARB) {
    return Enum(static_cast<unsigned>(value));
  }
  return std::to_string(value);
}

int MaterialValueCount(unsigned pname) {
  return pname == GL_SHININESS ? 1 : 4;
}

std::string List(const float *values, int count) {
  std::string text = "(";
  for (int i = 0; i < count; ++i) {
    text += (i ? ", " : "") + Float(values[i]);
  }
  return text + ")";
}

CollisionBox tableBefore[kCollisionBoxCount];
bool gameOverBefore = false;

// The game-state writes made since the last GL call, in entry order.
void RecordStateWrites() {
  for (int i = 0; i < kCollisionBoxCount; ++i) {
    if (std::memcmp(&tableBefore[i], &collisionTable[i],
                    sizeof(CollisionBox)) != 0) {
      calls.push_back("(box " + std::to_string(i) + " written)");
      tableBefore[i] = collisionTable[i];
    }
  }
  if (gameOver != gameOverBefore) {
    calls.push_back(gameOver ? "(gameOver set)" : "(gameOver cleared)");
    gameOverBefore = gameOver;
  }
}

void Record(const std::string &line) {
  if (recording) {
    RecordStateWrites();
    calls.push_back(line);
  }
}

std::string Args(std::initializer_list<std::string> parts) {
  std::string text = "(";
  bool first = true;
  for (const std::string &p : parts) {
    text += (first ? "" : ", ") + p;
    first = false;
  }
  return text + ")";
}

void APIENTRY RecordActiveTexture(GLenum unit) {
  Record("glActiveTextureARB" + Args({Enum(unit)}));
  realActiveTexture(unit);
}

void APIENTRY RecordMultiTexCoord2f(GLenum unit, GLfloat s, GLfloat t) {
  Record("glMultiTexCoord2fARB" + Args({Enum(unit), Float(s), Float(t)}));
  realMultiTexCoord2f(unit, s, t);
}

void APIENTRY RecordMultiTexCoord3f(GLenum unit, GLfloat s, GLfloat t,
                                    GLfloat r) {
  Record("glMultiTexCoord3fARB" +
         Args({Enum(unit), Float(s), Float(t), Float(r)}));
  realMultiTexCoord3f(unit, s, t, r);
}

} // namespace

std::string Float(double value) {
  char text[64];
  const float single = static_cast<float>(value);
  const std::to_chars_result end =
      static_cast<double>(single) == value
          ? std::to_chars(text, text + sizeof text, single)
          : std::to_chars(text, text + sizeof text, value);
  return std::string(text, end.ptr);
}

std::string Enum(unsigned value) {
  for (const EnumName &e : kEnumNames) {
    if (e.value == value) {
      return e.name;
    }
  }
  return Hex(value);
}

std::string Texture(unsigned name) {
  if (name != 0) {
    for (int slot = 0; slot < kTextureSlotCount; ++slot) {
      if (textureTable[slot] == name) {
        return "slot" + std::to_string(slot);
      }
    }
    if (name == normalisationCubeMap) {
      return "cubemap";
    }
  }
  return std::to_string(name);
}

void InstallExtensionRecorders() {
  if (glActiveTextureARB != RecordActiveTexture) {
    realActiveTexture = glActiveTextureARB;
    realMultiTexCoord2f = glMultiTexCoord2fARB;
    realMultiTexCoord3f = glMultiTexCoord3fARB;
  }
  glActiveTextureARB = RecordActiveTexture;
  glMultiTexCoord2fARB = RecordMultiTexCoord2f;
  glMultiTexCoord3fARB = RecordMultiTexCoord3f;
}

void Start() {
  calls.clear();
  std::memset(collisionTable, 0xFF, sizeof collisionTable);
  std::memcpy(tableBefore, collisionTable, sizeof collisionTable);
  gameOverBefore = gameOver;
  recording = true;
}

void Stop() {
  if (recording) {
    RecordStateWrites();
  }
  recording = false;
}

const std::vector<std::string> &Calls() {
  return calls;
}

} // namespace gltrace

using gltrace::Enum;
using gltrace::Float;

// Every wrapped function records one line and calls the real one. The
// linker sends the game's calls here (-Wl,--wrap=NAME).
#define TVL_REAL(name) __real_##name
#define TVL_WRAP(name) __wrap_##name

extern "C" {

void TVL_REAL(glClear)(GLbitfield);
void TVL_WRAP(glClear)(GLbitfield mask) {
  std::string text;
  if (mask & GL_COLOR_BUFFER_BIT)
    text += "GL_COLOR_BUFFER_BIT";
  if (mask & GL_DEPTH_BUFFER_BIT)
    text += std::string(text.empty() ? "" : " | ") + "GL_DEPTH_BUFFER_BIT";
  if (mask & ~(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT))
    text += " | " +
            gltrace::Enum(mask & ~(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT));
  gltrace::Record("glClear(" + text + ")");
  TVL_REAL(glClear)(mask);
}

void TVL_REAL(glLoadIdentity)();
void TVL_WRAP(glLoadIdentity)() {
  gltrace::Record("glLoadIdentity()");
  TVL_REAL(glLoadIdentity)();
}

void TVL_REAL(gluLookAt)(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble,
                         GLdouble, GLdouble, GLdouble, GLdouble);
void TVL_WRAP(gluLookAt)(GLdouble ex, GLdouble ey, GLdouble ez, GLdouble cx,
                         GLdouble cy, GLdouble cz, GLdouble ux, GLdouble uy,
                         GLdouble uz) {
  gltrace::Record(
      "gluLookAt" +
      gltrace::Args({Float(ex), Float(ey), Float(ez), Float(cx), Float(cy),
                     Float(cz), Float(ux), Float(uy), Float(uz)}));
  TVL_REAL(gluLookAt)(ex, ey, ez, cx, cy, cz, ux, uy, uz);
}

void TVL_REAL(glLightfv)(GLenum, GLenum, const GLfloat *);
void TVL_WRAP(glLightfv)(GLenum light, GLenum pname, const GLfloat *params) {
  const int count = (pname == GL_SPOT_DIRECTION) ? 3
                    : (pname == GL_POSITION || pname == GL_AMBIENT ||
                       pname == GL_DIFFUSE || pname == GL_SPECULAR)
                        ? 4
                        : 1;
  gltrace::Record("glLightfv(" + Enum(light) + ", " + Enum(pname) + ", " +
                  gltrace::List(params, count) + ")");
  TVL_REAL(glLightfv)(light, pname, params);
}

void TVL_REAL(glLightf)(GLenum, GLenum, GLfloat);
void TVL_WRAP(glLightf)(GLenum light, GLenum pname, GLfloat param) {
  gltrace::Record("glLightf" +
                  gltrace::Args({Enum(light), Enum(pname), Float(param)}));
  TVL_REAL(glLightf)(light, pname, param);
}

void TVL_REAL(glLightModelfv)(GLenum, const GLfloat *);
void TVL_WRAP(glLightModelfv)(GLenum pname, const GLfloat *params) {
  const int count = pname == GL_LIGHT_MODEL_AMBIENT ? 4 : 1;
  gltrace::Record("glLightModelfv(" + Enum(pname) + ", " +
                  gltrace::List(params, count) + ")");
  TVL_REAL(glLightModelfv)(pname, params);
}

void TVL_REAL(glLightModelf)(GLenum, GLfloat);
void TVL_WRAP(glLightModelf)(GLenum pname, GLfloat param) {
  gltrace::Record("glLightModelf" + gltrace::Args({Enum(pname), Float(param)}));
  TVL_REAL(glLightModelf)(pname, param);
}

void TVL_REAL(glLightModeli)(GLenum, GLint);
void TVL_WRAP(glLightModeli)(GLenum pname, GLint param) {
  gltrace::Record("glLightModeli" +
                  gltrace::Args({Enum(pname), std::to_string(param)}));
  TVL_REAL(glLightModeli)(pname, param);
}

void TVL_REAL(glEnable)(GLenum);
void TVL_WRAP(glEnable)(GLenum cap) {
  gltrace::Record("glEnable(" + Enum(cap) + ")");
  TVL_REAL(glEnable)(cap);
}

void TVL_REAL(glDisable)(GLenum);
void TVL_WRAP(glDisable)(GLenum cap) {
  gltrace::Record("glDisable(" + Enum(cap) + ")");
  TVL_REAL(glDisable)(cap);
}

void TVL_REAL(glBindTexture)(GLenum, GLuint);
void TVL_WRAP(glBindTexture)(GLenum target, GLuint name) {
  gltrace::Record("glBindTexture(" + Enum(target) + ", " +
                  gltrace::Texture(name) + ")");
  TVL_REAL(glBindTexture)(target, name);
}

void TVL_REAL(glTexEnvi)(GLenum, GLenum, GLint);
void TVL_WRAP(glTexEnvi)(GLenum target, GLenum pname, GLint param) {
  gltrace::Record("glTexEnvi(" + Enum(target) + ", " + Enum(pname) + ", " +
                  gltrace::EnvValue(pname, param) + ")");
  TVL_REAL(glTexEnvi)(target, pname, param);
}

void TVL_REAL(glTexEnvf)(GLenum, GLenum, GLfloat);
void TVL_WRAP(glTexEnvf)(GLenum target, GLenum pname, GLfloat param) {
  gltrace::Record("glTexEnvf" +
                  gltrace::Args({Enum(target), Enum(pname), Float(param)}));
  TVL_REAL(glTexEnvf)(target, pname, param);
}

void TVL_REAL(glBlendFunc)(GLenum, GLenum);
void TVL_WRAP(glBlendFunc)(GLenum source, GLenum destination) {
  gltrace::Record("glBlendFunc(" + gltrace::BlendFactor(source) + ", " +
                  gltrace::BlendFactor(destination) + ")");
  TVL_REAL(glBlendFunc)(source, destination);
}

void TVL_REAL(glDepthMask)(GLboolean);
void TVL_WRAP(glDepthMask)(GLboolean flag) {
  gltrace::Record("glDepthMask(" + std::to_string(flag) + ")");
  TVL_REAL(glDepthMask)(flag);
}

void TVL_REAL(glBegin)(GLenum);
void TVL_WRAP(glBegin)(GLenum mode) {
  gltrace::Record("glBegin(" + gltrace::Primitive(mode) + ")");
  TVL_REAL(glBegin)(mode);
}

void TVL_REAL(glEnd)();
void TVL_WRAP(glEnd)() {
  gltrace::Record("glEnd()");
  TVL_REAL(glEnd)();
}

void TVL_REAL(glTexCoord2f)(GLfloat, GLfloat);
void TVL_WRAP(glTexCoord2f)(GLfloat s, GLfloat t) {
  gltrace::Record("glTexCoord2f" + gltrace::Args({Float(s), Float(t)}));
  TVL_REAL(glTexCoord2f)(s, t);
}

void TVL_REAL(glVertex3f)(GLfloat, GLfloat, GLfloat);
void TVL_WRAP(glVertex3f)(GLfloat x, GLfloat y, GLfloat z) {
  gltrace::Record("glVertex3f" + gltrace::Args({Float(x), Float(y), Float(z)}));
  TVL_REAL(glVertex3f)(x, y, z);
}

void TVL_REAL(glNormal3f)(GLfloat, GLfloat, GLfloat);
void TVL_WRAP(glNormal3f)(GLfloat x, GLfloat y, GLfloat z) {
  gltrace::Record("glNormal3f" + gltrace::Args({Float(x), Float(y), Float(z)}));
  TVL_REAL(glNormal3f)(x, y, z);
}

void TVL_REAL(glColor3f)(GLfloat, GLfloat, GLfloat);
void TVL_WRAP(glColor3f)(GLfloat r, GLfloat g, GLfloat b) {
  gltrace::Record("glColor3f" + gltrace::Args({Float(r), Float(g), Float(b)}));
  TVL_REAL(glColor3f)(r, g, b);
}

void TVL_REAL(glColor4f)(GLfloat, GLfloat, GLfloat, GLfloat);
void TVL_WRAP(glColor4f)(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
  gltrace::Record("glColor4f" +
                  gltrace::Args({Float(r), Float(g), Float(b), Float(a)}));
  TVL_REAL(glColor4f)(r, g, b, a);
}

void TVL_REAL(glPushMatrix)();
void TVL_WRAP(glPushMatrix)() {
  gltrace::Record("glPushMatrix()");
  TVL_REAL(glPushMatrix)();
}

void TVL_REAL(glPopMatrix)();
void TVL_WRAP(glPopMatrix)() {
  gltrace::Record("glPopMatrix()");
  TVL_REAL(glPopMatrix)();
}

void TVL_REAL(glTranslatef)(GLfloat, GLfloat, GLfloat);
void TVL_WRAP(glTranslatef)(GLfloat x, GLfloat y, GLfloat z) {
  gltrace::Record("glTranslatef" +
                  gltrace::Args({Float(x), Float(y), Float(z)}));
  TVL_REAL(glTranslatef)(x, y, z);
}

void TVL_REAL(glRotatef)(GLfloat, GLfloat, GLfloat, GLfloat);
void TVL_WRAP(glRotatef)(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  gltrace::Record("glRotatef" +
                  gltrace::Args({Float(angle), Float(x), Float(y), Float(z)}));
  TVL_REAL(glRotatef)(angle, x, y, z);
}

void TVL_REAL(glMaterialfv)(GLenum, GLenum, const GLfloat *);
void TVL_WRAP(glMaterialfv)(GLenum face, GLenum pname, const GLfloat *params) {
  gltrace::Record("glMaterialfv(" + Enum(face) + ", " + Enum(pname) + ", " +
                  gltrace::List(params, gltrace::MaterialValueCount(pname)) +
                  ")");
  TVL_REAL(glMaterialfv)(face, pname, params);
}

void TVL_REAL(glMaterialf)(GLenum, GLenum, GLfloat);
void TVL_WRAP(glMaterialf)(GLenum face, GLenum pname, GLfloat param) {
  gltrace::Record("glMaterialf" +
                  gltrace::Args({Enum(face), Enum(pname), Float(param)}));
  TVL_REAL(glMaterialf)(face, pname, param);
}

void TVL_REAL(gluCylinder)(GLUquadric *, GLdouble, GLdouble, GLdouble, GLint,
                           GLint);
void TVL_WRAP(gluCylinder)(GLUquadric *q, GLdouble base, GLdouble top,
                           GLdouble height, GLint slices, GLint stacks) {
  gltrace::Record(std::string("gluCylinder(") +
                  (q == quadric ? "quadric" : "other") + ", " + Float(base) +
                  ", " + Float(top) + ", " + Float(height) + ", " +
                  std::to_string(slices) + ", " + std::to_string(stacks) + ")");
  TVL_REAL(gluCylinder)(q, base, top, height, slices, stacks);
}

void TVL_REAL(gluDisk)(GLUquadric *, GLdouble, GLdouble, GLint, GLint);
void TVL_WRAP(gluDisk)(GLUquadric *q, GLdouble inner, GLdouble outer,
                       GLint slices, GLint loops) {
  gltrace::Record(std::string("gluDisk(") +
                  (q == quadric ? "quadric" : "other") + ", " + Float(inner) +
                  ", " + Float(outer) + ", " + std::to_string(slices) + ", " +
                  std::to_string(loops) + ")");
  TVL_REAL(gluDisk)(q, inner, outer, slices, loops);
}

void TVL_REAL(gluSphere)(GLUquadric *, GLdouble, GLint, GLint);
void TVL_WRAP(gluSphere)(GLUquadric *q, GLdouble radius, GLint slices,
                         GLint stacks) {
  gltrace::Record(std::string("gluSphere(") +
                  (q == quadric ? "quadric" : "other") + ", " + Float(radius) +
                  ", " + std::to_string(slices) + ", " +
                  std::to_string(stacks) + ")");
  TVL_REAL(gluSphere)(q, radius, slices, stacks);
}

} // extern "C"
