// The state queries, answered from the subset's own state wherever it keeps
// the value: ES 2.0 holds none of the fixed-function state, and what it does
// hold (its texture names, its unpack alignment of 1) is not what the game
// set. What the subset does not keep is asked of ES 2.0.
#include "gl11/api.h"
#include "gl11/context.h"

#include <algorithm>
#include <cstring>

using namespace gl11;

namespace {

// Up to 16 numbers, and whether they are colours (which GL maps to the
// whole integer range when read as integers).
struct Value {
  double v[16] = {};
  int count = 0;
  bool colour = false;
};

Value Numbers(std::initializer_list<double> numbers) {
  Value out;
  for (double n : numbers) {
    out.v[out.count++] = n;
  }
  return out;
}

Value Floats(const float *in, int count, bool colour) {
  Value out;
  std::copy(in, in + count, out.v);
  out.count = count;
  out.colour = colour;
  return out;
}

// Enables the subset refuses to turn on, so they read as off.
bool NeverOn(GLenum cap) {
  switch (cap) {
  case GL_COLOR_MATERIAL:
  case GL_NORMALIZE:
  case GL_FOG:
  case GL_ALPHA_TEST:
  case GL_CULL_FACE:
  case GL_TEXTURE_1D:
    return true;
  default:
    return false;
  }
}

// The value of pname the subset keeps; false when ES 2.0 is to be asked.
bool Kept(Context &c, GLenum pname, Value *out) {
  if (bool *flag = EnableFlag(c, pname)) {
    *out = Numbers({*flag ? 1.0 : 0.0});
    return true;
  }
  if (NeverOn(pname)) {
    *out = Numbers({0.0});
    return true;
  }
  const TextureUnit &unit = c.units[c.activeUnit];
  switch (pname) {
  case GL_UNPACK_ALIGNMENT:
    *out = Numbers({double(c.unpackAlignment)});
    return true;
  case GL_PACK_ALIGNMENT:
    *out = Numbers({double(c.packAlignment)});
    return true;
  case GL_MATRIX_MODE:
    *out = Numbers({double(c.matrixMode)});
    return true;
  case GL_MODELVIEW_STACK_DEPTH:
    *out = Numbers({double(c.modelview.size())});
    return true;
  case GL_PROJECTION_STACK_DEPTH:
    *out = Numbers({double(c.projection.size())});
    return true;
  case GL_TEXTURE_STACK_DEPTH:
    *out = Numbers({double(c.texture[c.activeUnit].size())});
    return true;
  case GL_ATTRIB_STACK_DEPTH:
    *out = Numbers({double(c.attribStack.size())});
    return true;
  case GL_MAX_MODELVIEW_STACK_DEPTH:
    *out = Numbers({double(kModelviewDepth)});
    return true;
  case GL_MAX_PROJECTION_STACK_DEPTH:
    *out = Numbers({double(kProjectionDepth)});
    return true;
  case GL_MAX_TEXTURE_STACK_DEPTH:
    *out = Numbers({double(kTextureDepth)});
    return true;
  case GL_MAX_ATTRIB_STACK_DEPTH:
    *out = Numbers({double(kAttribDepth)});
    return true;
  case GL_MODELVIEW_MATRIX:
    *out = Floats(c.modelview.back().m, 16, false);
    return true;
  case GL_PROJECTION_MATRIX:
    *out = Floats(c.projection.back().m, 16, false);
    return true;
  case GL_TEXTURE_MATRIX:
    *out = Floats(c.texture[c.activeUnit].back().m, 16, false);
    return true;
  case GL_MAX_LIGHTS:
    *out = Numbers({double(kLightCount)});
    return true;
  case GL_MAX_TEXTURE_UNITS_ARB:
    *out = Numbers({double(kUnitCount)});
    return true;
  case GL_ACTIVE_TEXTURE_ARB:
    *out = Numbers({double(GL_TEXTURE0_ARB + c.activeUnit)});
    return true;
  case GL_TEXTURE_BINDING_2D:
    *out = Numbers({double(unit.bound2D)});
    return true;
  case GL_TEXTURE_BINDING_CUBE_MAP_ARB:
    *out = Numbers({double(unit.boundCube)});
    return true;
  case GL_CURRENT_COLOR:
    *out = Floats(c.current.colour, 4, true);
    return true;
  case GL_CURRENT_NORMAL:
    *out = Floats(c.current.normal, 3, false);
    return true;
  case GL_CURRENT_TEXTURE_COORDS: {
    const float *st = c.current.texCoord[c.activeUnit];
    *out = Numbers({st[0], st[1], st[2], 1.0});
    return true;
  }
  case GL_LIGHT_MODEL_AMBIENT:
    *out = Floats(c.sceneAmbient, 4, true);
    return true;
  case GL_LIGHT_MODEL_LOCAL_VIEWER:
    *out = Numbers({c.localViewer ? 1.0 : 0.0});
    return true;
  case GL_LIGHT_MODEL_TWO_SIDE:
    *out = Numbers({0.0});
    return true;
  case GL_SHADE_MODEL:
    *out = Numbers({double(GL_SMOOTH)});
    return true;
  case GL_COLOR_CLEAR_VALUE:
    *out = Floats(c.server.clearColour, 4, true);
    return true;
  case GL_DEPTH_CLEAR_VALUE:
    *out = Numbers({c.server.clearDepth});
    return true;
  case GL_DEPTH_FUNC:
    *out = Numbers({double(c.server.depthFunc)});
    return true;
  case GL_BLEND_SRC:
    *out = Numbers({double(c.server.blendSource)});
    return true;
  case GL_BLEND_DST:
    *out = Numbers({double(c.server.blendDestination)});
    return true;
  default:
    return false;
  }
}

GLint AsInteger(const Value &value, int i) {
  if (value.colour) {
    // GL's linear map of [-1, 1] onto the integers.
    const double c = std::clamp(value.v[i], -1.0, 1.0);
    return static_cast<GLint>(c * 2147483647.0);
  }
  return static_cast<GLint>(value.v[i] < 0 ? value.v[i] - 0.5
                                           : value.v[i] + 0.5);
}

// What ES 2.0 answers, for the values it keeps itself (the viewport, the
// limits of its textures).
Value FromEs(Context &c, GLenum pname) {
  GLint numbers[16] = {};
  c.gl.GetIntegerv(pname, numbers);
  Value out;
  out.count = pname == GL_VIEWPORT ? 4 : 1;
  for (int i = 0; i < out.count; ++i) {
    out.v[i] = numbers[i];
  }
  return out;
}

template <typename T> void GetNumbers(GLenum pname, T *params) {
  Context *c = Active();
  if (!c) {
    return;
  }
  Value value;
  if (!Kept(*c, pname, &value)) {
    value = FromEs(*c, pname);
  }
  for (int i = 0; i < value.count; ++i) {
    params[i] = static_cast<T>(value.v[i]);
  }
}

GLenum EnvModeName(EnvMode mode) {
  switch (mode) {
  case EnvMode::kReplace:
    return GL_REPLACE;
  case EnvMode::kCombine:
    return GL_COMBINE_ARB;
  default:
    return GL_MODULATE;
  }
}

GLenum FuncName(CombineFunc f) {
  const GLenum names[] = {GL_REPLACE, GL_MODULATE, GL_DOT3_RGB_ARB,
                          GL_DOT3_RGBA_ARB};
  return names[static_cast<int>(f)];
}

GLenum SourceName(CombineSource s) {
  const GLenum names[] = {GL_TEXTURE, GL_PREVIOUS_ARB, GL_PRIMARY_COLOR_ARB};
  return names[static_cast<int>(s)];
}

const TextureImage *ImageOf(Context &c, GLenum target, GLint level) {
  const bool face = target >= GL_TEXTURE_CUBE_MAP_POSITIVE_X_ARB &&
                    target <= GL_TEXTURE_CUBE_MAP_NEGATIVE_Z_ARB;
  const TextureUnit &u = c.units[c.activeUnit];
  auto found = c.textures.find(face ? u.boundCube : u.bound2D);
  if (found == c.textures.end()) {
    return nullptr;
  }
  for (const TextureImage &image : found->second.images) {
    if (image.target == target && image.level == level) {
      return &image;
    }
  }
  return nullptr;
}

bool IsImageTarget(GLenum target) {
  return target == GL_TEXTURE_2D ||
         (target >= GL_TEXTURE_CUBE_MAP_POSITIVE_X_ARB &&
          target <= GL_TEXTURE_CUBE_MAP_NEGATIVE_Z_ARB);
}

} // namespace

extern "C" {

void gl11_glGetIntegerv(GLenum pname, GLint *params) {
  Context *c = Active();
  if (!c) {
    return;
  }
  Value value;
  if (!Kept(*c, pname, &value)) {
    c->gl.GetIntegerv(pname, params);
    return;
  }
  for (int i = 0; i < value.count; ++i) {
    params[i] = AsInteger(value, i);
  }
}

void gl11_glGetFloatv(GLenum pname, GLfloat *params) {
  GetNumbers(pname, params);
}

void gl11_glGetDoublev(GLenum pname, GLdouble *params) {
  GetNumbers(pname, params);
}

GLboolean gl11_glIsEnabled(GLenum cap) {
  Context *c = Active();
  if (!c) {
    return GL_FALSE;
  }
  if (bool *flag = EnableFlag(*c, cap)) {
    return *flag ? GL_TRUE : GL_FALSE;
  }
  if (!NeverOn(cap)) {
    Refuse(*c, GL_INVALID_ENUM, "glIsEnabled", cap);
  }
  return GL_FALSE;
}

void gl11_glGetLightfv(GLenum light, GLenum pname, GLfloat *params) {
  Context *c = Active();
  const unsigned index = light - GL_LIGHT0;
  if (!c) {
    return;
  }
  if (index >= kLightCount) {
    Refuse(*c, GL_INVALID_ENUM, "glGetLightfv", light);
    return;
  }
  const Light &l = c->lights[index];
  const float *from = pname == GL_POSITION   ? l.position
                      : pname == GL_AMBIENT  ? l.ambient
                      : pname == GL_DIFFUSE  ? l.diffuse
                      : pname == GL_SPECULAR ? l.specular
                                             : nullptr;
  if (!from) {
    Refuse(*c, GL_INVALID_ENUM, "glGetLightfv", pname);
    return;
  }
  std::memcpy(params, from, 4 * sizeof(GLfloat));
}

void gl11_glGetMaterialfv(GLenum face, GLenum pname, GLfloat *params) {
  Context *c = Active();
  if (!c) {
    return;
  }
  const Material &m = c->material;
  if (face != GL_FRONT) { // back faces are never lit
    Refuse(*c, GL_INVALID_ENUM, "glGetMaterialfv", face);
    return;
  }
  const float *from = pname == GL_AMBIENT    ? m.ambient
                      : pname == GL_DIFFUSE  ? m.diffuse
                      : pname == GL_SPECULAR ? m.specular
                      : pname == GL_EMISSION ? m.emission
                                             : nullptr;
  if (pname == GL_SHININESS) {
    params[0] = m.shininess;
  } else if (from) {
    std::memcpy(params, from, 4 * sizeof(GLfloat));
  } else {
    Refuse(*c, GL_INVALID_ENUM, "glGetMaterialfv", pname);
  }
}

void gl11_glGetTexEnviv(GLenum target, GLenum pname, GLint *params) {
  Context *c = Active();
  if (!c) {
    return;
  }
  const UnitKey &env = c->units[c->activeUnit].env;
  GLenum value = 0;
  switch (pname) {
  case GL_TEXTURE_ENV_MODE:
    value = EnvModeName(env.mode);
    break;
  case GL_COMBINE_RGB_ARB:
    value = FuncName(env.rgbFunc);
    break;
  case GL_COMBINE_ALPHA_ARB:
    value = FuncName(env.alphaFunc);
    break;
  case GL_SOURCE0_RGB_ARB:
  case GL_SOURCE1_RGB_ARB:
    value = SourceName(env.rgbSource[pname - GL_SOURCE0_RGB_ARB]);
    break;
  case GL_SOURCE0_ALPHA_ARB:
  case GL_SOURCE1_ALPHA_ARB:
    value = SourceName(env.alphaSource[pname - GL_SOURCE0_ALPHA_ARB]);
    break;
  case GL_OPERAND0_RGB_ARB:
  case GL_OPERAND1_RGB_ARB:
    value = GL_SRC_COLOR +
            static_cast<GLenum>(env.rgbOperand[pname - GL_OPERAND0_RGB_ARB]);
    break;
  case GL_OPERAND0_ALPHA_ARB:
  case GL_OPERAND1_ALPHA_ARB:
    value = GL_SRC_COLOR + static_cast<GLenum>(
                               env.alphaOperand[pname - GL_OPERAND0_ALPHA_ARB]);
    break;
  default:
    break;
  }
  if (target != GL_TEXTURE_ENV || value == 0) {
    Refuse(*c, GL_INVALID_ENUM, "glGetTexEnviv",
           target != GL_TEXTURE_ENV ? target : pname);
    return;
  }
  params[0] = static_cast<GLint>(value);
}

GLboolean gl11_glIsTexture(GLuint texture) {
  Context *c = Active();
  if (!c || texture == 0) {
    return GL_FALSE;
  }
  // A name is a texture once it was bound.
  auto found = c->textures.find(texture);
  return found != c->textures.end() && found->second.target != 0 ? GL_TRUE
                                                                 : GL_FALSE;
}

// GL's initial values for what the game has not set.
void gl11_glGetTexParameteriv(GLenum target, GLenum pname, GLint *params) {
  Context *c = Active();
  if (!c) {
    return;
  }
  if (target != GL_TEXTURE_2D && target != GL_TEXTURE_CUBE_MAP_ARB) {
    Refuse(*c, GL_INVALID_ENUM, "glGetTexParameteriv", target);
    return;
  }
  const TextureUnit &u = c->units[c->activeUnit];
  const TextureInfo &info =
      c->textures[target == GL_TEXTURE_2D ? u.bound2D : u.boundCube];
  auto set = info.parameters.find(pname);
  if (set != info.parameters.end()) {
    params[0] = set->second;
    return;
  }
  switch (pname) {
  case GL_TEXTURE_MIN_FILTER:
    params[0] = GL_NEAREST_MIPMAP_LINEAR;
    break;
  case GL_TEXTURE_MAG_FILTER:
    params[0] = GL_LINEAR;
    break;
  case GL_TEXTURE_WRAP_S:
  case GL_TEXTURE_WRAP_T:
    params[0] = GL_REPEAT;
    break;
  default:
    Refuse(*c, GL_INVALID_ENUM, "glGetTexParameteriv", pname);
    break;
  }
}

// An image not defined reads as 0 by 0, as GL's.
void gl11_glGetTexLevelParameteriv(GLenum target, GLint level, GLenum pname,
                                   GLint *params) {
  Context *c = Active();
  if (!c) {
    return;
  }
  if (!IsImageTarget(target)) {
    Refuse(*c, GL_INVALID_ENUM, "glGetTexLevelParameteriv", target);
    return;
  }
  const TextureImage *image = ImageOf(*c, target, level);
  switch (pname) {
  case GL_TEXTURE_WIDTH:
    params[0] = image ? image->width : 0;
    break;
  case GL_TEXTURE_HEIGHT:
    params[0] = image ? image->height : 0;
    break;
  case GL_TEXTURE_BORDER:
    params[0] = 0;
    break;
  case GL_TEXTURE_INTERNAL_FORMAT: {
    // The numbers 1 and 3 read back as the formats they stand for.
    const GLint given = image ? image->internalFormat : 1;
    params[0] = given == 1 ? GL_LUMINANCE : given == 3 ? GL_RGB : given;
    break;
  }
  default:
    Refuse(*c, GL_INVALID_ENUM, "glGetTexLevelParameteriv", pname);
    break;
  }
}

// The kept image in the layout asked for, as GL reads a texture: a
// luminance texture's value is red, and luminance read back is red.
void gl11_glGetTexImage(GLenum target, GLint level, GLenum format, GLenum type,
                        GLvoid *pixels) {
  Context *c = Active();
  if (!c) {
    return;
  }
  const int comps = format == GL_LUMINANCE         ? 1
                    : format == GL_LUMINANCE_ALPHA ? 2
                    : format == GL_RGB             ? 3
                    : format == GL_RGBA            ? 4
                                                   : 0;
  if (!IsImageTarget(target) || type != GL_UNSIGNED_BYTE || comps == 0) {
    Refuse(*c, GL_INVALID_ENUM, "glGetTexImage",
           !IsImageTarget(target) ? target
           : comps == 0           ? format
                                  : type);
    return;
  }
  const TextureImage *image = ImageOf(*c, target, level);
  if (!image) {
    return;
  }
  const int from = image->format == GL_LUMINANCE ? 1 : 3;
  const int align = c->packAlignment;
  const std::size_t row =
      (static_cast<std::size_t>(image->width) * comps + align - 1) / align *
      align;
  auto *out = static_cast<unsigned char *>(pixels);
  for (int y = 0; y < image->height; ++y) {
    for (int x = 0; x < image->width; ++x) {
      const unsigned char *p =
          &image->pixels[(static_cast<std::size_t>(y) * image->width + x) *
                         from];
      const unsigned char rgba[4] = {p[0], from == 3 ? p[1] : GLubyte(0),
                                     from == 3 ? p[2] : GLubyte(0), 255};
      unsigned char *q = out + y * row + x * comps;
      const int pick[4][4] = {{0}, {0, 3}, {0, 1, 2}, {0, 1, 2, 3}};
      for (int k = 0; k < comps; ++k) {
        q[k] = rgba[pick[comps - 1][k]];
      }
    }
  }
}

} // extern "C"
