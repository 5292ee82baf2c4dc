// Texture objects, units and environments, mipmaps built as GLU builds them,
// and pixel transfer. ES 2.0 takes only unsized formats equal to the data's,
// so the game's internal formats (3, GL_RGB8) become GL_RGB and the data is
// turned to match; textures are kept RGB or luminance, as their internal
// format says, and internal formats with alpha are refused.
#include "gl11/api.h"
#include "gl11/context.h"

#include <algorithm>
#include <vector>

using namespace gl11;

// GLU's error codes, as gluBuild2DMipmaps returns them.
constexpr GLint kGluInvalidEnum = 100900;
constexpr GLint kGluInvalidValue = 100901;

namespace {

int Components(GLenum format) {
  switch (format) {
  case GL_LUMINANCE:
    return 1;
  case GL_LUMINANCE_ALPHA:
    return 2;
  case GL_RGB:
    return 3;
  case GL_RGBA:
    return 4;
  default:
    return 0;
  }
}

// The components of the texture an internal format makes, as ES 2.0 is
// given it: 1 (luminance) or 3 (RGB). 0 for the formats with alpha, which
// the shaders do not build, and for what GL does not accept.
int BaseComponents(GLint internalFormat) {
  switch (internalFormat) {
  case 1:
  case GL_LUMINANCE:
  case GL_LUMINANCE4:
  case GL_LUMINANCE8:
  case GL_LUMINANCE12:
  case GL_LUMINANCE16:
    return 1;
  case 3:
  case GL_RGB:
  case GL_R3_G3_B2:
  case GL_RGB4:
  case GL_RGB5:
  case GL_RGB8:
  case GL_RGB10:
  case GL_RGB12:
  case GL_RGB16:
    return 3;
  default:
    return 0;
  }
}

// Tightly packed pixels of the texture's own components (to: 1 or 3), as GL
// converts them: a luminance source gives its value to red, green and blue;
// a luminance texture takes red; alpha is dropped.
std::vector<unsigned char> Unpack(const unsigned char *in, int width,
                                  int height, GLenum format, int alignment,
                                  int to) {
  const int from = Components(format);
  std::vector<unsigned char> out(static_cast<std::size_t>(width) * height * to);
  const std::size_t row =
      (static_cast<std::size_t>(width) * from + alignment - 1) / alignment *
      alignment;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const unsigned char *p = in + y * row + x * from;
      unsigned char *q = &out[(static_cast<std::size_t>(y) * width + x) * to];
      for (int k = 0; k < to; ++k) {
        q[k] = p[from < 3 ? 0 : k];
      }
    }
  }
  return out;
}

bool IsCubeFace(GLenum target) {
  return target >= GL_TEXTURE_CUBE_MAP_POSITIVE_X_ARB &&
         target <= GL_TEXTURE_CUBE_MAP_NEGATIVE_Z_ARB;
}

GLuint BoundName(const Context &c, GLenum target) {
  const TextureUnit &u = c.units[c.activeUnit];
  return target == GL_TEXTURE_2D ? u.bound2D : u.boundCube;
}

TextureInfo *BoundInfo(Context &c, GLenum target) {
  TextureInfo &info = c.textures[BoundName(c, target)];
  info.target = target == GL_TEXTURE_2D ? GL_TEXTURE_2D : GL_TEXTURE_CUBE_MAP;
  return &info;
}

// The texture bound to the active unit, bound to ES 2.0's active unit too,
// to be changed.
void BindForChange(Context &c, GLenum target) {
  BindUnitTexture(c, c.activeUnit, target, EsTexture(c, BoundName(c, target)));
  SelectUnit(c, c.activeUnit);
}

void Send(Context &c, const TextureImage &image) {
  SetUnpackAlignment(c, 1);
  c.gl.TexImage2D(image.target, image.level, image.format, image.width,
                  image.height, 0, image.format, GL_UNSIGNED_BYTE,
                  image.pixels.data());
}

void Upload(Context &c, GLenum target, int level, int width, int height,
            GLint internalFormat, std::vector<unsigned char> pixels) {
  const bool face = IsCubeFace(target);
  const GLenum object = face ? GL_TEXTURE_CUBE_MAP : GL_TEXTURE_2D;
  TextureInfo *info = BoundInfo(c, object);
  const GLenum format =
      BaseComponents(internalFormat) == 1 ? GL_LUMINANCE : GL_RGB;
  TextureImage image = {
      target, level, width, height, format, std::move(pixels), internalFormat};
  BindForChange(c, object);
  Send(c, image);
  // Kept, replacing what the same image was given before.
  auto same = std::find_if(
      info->images.begin(), info->images.end(), [&](const TextureImage &kept) {
        return kept.target == target && kept.level == level;
      });
  if (same != info->images.end()) {
    *same = std::move(image);
  } else {
    info->images.push_back(std::move(image));
  }
  if (face) {
    if (level == 0) {
      info->faces |= 1u << (target - GL_TEXTURE_CUBE_MAP_POSITIVE_X_ARB);
    }
    return;
  }
  if (level == 0) {
    info->width = width;
    info->height = height;
    info->levels = 0;
  }
  info->levels |= 1u << level;
}

int PowerOfTwoBelow(int n) {
  int p = 1;
  while (p * 2 <= n) {
    p *= 2;
  }
  return p;
}

// The nearest power of two, rounding a tie up.
int NearestPowerOfTwo(int n) {
  const int below = PowerOfTwoBelow(n);
  return n - below < below * 2 - n ? below : below * 2;
}

// Box-filtered scaling of packed pixels: each output texel averages the
// input texels whose centres fall in its footprint (at least the nearest).
std::vector<unsigned char> Scale(const std::vector<unsigned char> &in, int w,
                                 int h, int nw, int nh, int comps) {
  std::vector<unsigned char> out(static_cast<std::size_t>(nw) * nh * comps);
  for (int y = 0; y < nh; ++y) {
    const int y0 = y * h / nh, y1 = std::max(y0 + 1, (y + 1) * h / nh);
    for (int x = 0; x < nw; ++x) {
      const int x0 = x * w / nw, x1 = std::max(x0 + 1, (x + 1) * w / nw);
      for (int k = 0; k < comps; ++k) {
        int sum = 0;
        for (int sy = y0; sy < y1; ++sy) {
          for (int sx = x0; sx < x1; ++sx) {
            sum += in[(static_cast<std::size_t>(sy) * w + sx) * comps + k];
          }
        }
        const int count = (y1 - y0) * (x1 - x0);
        out[(static_cast<std::size_t>(y) * nw + x) * comps + k] =
            static_cast<unsigned char>((sum + count / 2) / count);
      }
    }
  }
  return out;
}

} // namespace

extern "C" {

void GLAPIENTRY gl11_glActiveTextureARB(GLenum unit) {
  Context *c = Active();
  const unsigned index = unit - GL_TEXTURE0_ARB;
  if (c && index >= kUnitCount) {
    Refuse(*c, GL_INVALID_ENUM, "glActiveTextureARB", unit);
  } else if (c) {
    c->activeUnit = static_cast<int>(index);
  }
}

// Names are the subset's own, mapped to ES 2.0 objects made when first
// bound, so the game's names outlive a loss of the context's objects.
void gl11_glGenTextures(GLsizei n, GLuint *textures) {
  Context *c = Active();
  if (!c) {
    return;
  }
  GLuint name = c->textures.empty() ? 1 : c->textures.rbegin()->first + 1;
  for (GLsizei i = 0; i < n; ++i, ++name) {
    c->textures[name];
    textures[i] = name;
  }
}

// Bound in ES 2.0 when drawn with or changed.
void gl11_glBindTexture(GLenum target, GLuint texture) {
  Context *c = Active();
  if (!c) {
    return;
  }
  if (target != GL_TEXTURE_2D && target != GL_TEXTURE_CUBE_MAP_ARB) {
    Refuse(*c, GL_INVALID_ENUM, "glBindTexture", target);
    return;
  }
  TextureUnit &u = c->units[c->activeUnit];
  (target == GL_TEXTURE_2D ? u.bound2D : u.boundCube) = texture;
  TextureInfo &info = c->textures[texture];
  if (info.target == 0) {
    info.target = target;
  }
}

void gl11_glTexParameteri(GLenum target, GLenum pname, GLint param) {
  Context *c = Active();
  if (!c || pname == GL_TEXTURE_WRAP_R) {
    return; // a cube face is two-dimensional: r never wraps
  }
  if (target != GL_TEXTURE_2D && target != GL_TEXTURE_CUBE_MAP_ARB) {
    Refuse(*c, GL_INVALID_ENUM, "glTexParameteri", target);
    return;
  }
  TextureInfo *info = BoundInfo(*c, target);
  if (pname == GL_TEXTURE_MIN_FILTER) {
    info->mipmapped = param != GL_NEAREST && param != GL_LINEAR;
  }
  info->parameters[pname] = param;
  BindForChange(*c, target);
  c->gl.TexParameteri(target, pname, param);
}

void gl11_glTexImage2D(GLenum target, GLint level, GLint internalFormat,
                       GLsizei width, GLsizei height, GLint border,
                       GLenum format, GLenum type, const GLvoid *pixels) {
  Context *c = Active();
  if (!c) {
    return;
  }
  if (target != GL_TEXTURE_2D && !IsCubeFace(target)) {
    Refuse(*c, GL_INVALID_ENUM, "glTexImage2D", target);
    return;
  }
  if (type != GL_UNSIGNED_BYTE || Components(format) == 0) {
    Refuse(*c, GL_INVALID_ENUM, "glTexImage2D",
           type != GL_UNSIGNED_BYTE ? type : format);
    return;
  }
  const int to = BaseComponents(internalFormat);
  if (to == 0 || border != 0 || width < 0 || height < 0 || level < 0) {
    Refuse(*c, GL_INVALID_VALUE, "glTexImage2D",
           to == 0 ? internalFormat : border);
    return;
  }
  if (!pixels) {
    return; // an image to be filled later: the subset keeps only data
  }
  std::vector<unsigned char> packed =
      Unpack(static_cast<const unsigned char *>(pixels), width, height, format,
             c->unpackAlignment, to);
  Upload(*c, target, level, width, height, internalFormat, std::move(packed));
}

GLint gl11_gluBuild2DMipmaps(GLenum target, GLint internalFormat, GLsizei width,
                             GLsizei height, GLenum format, GLenum type,
                             const void *data) {
  Context *c = Active();
  if (!c || target != GL_TEXTURE_2D || width < 1 || height < 1) {
    return kGluInvalidValue;
  }
  if (type != GL_UNSIGNED_BYTE || Components(format) == 0) {
    return kGluInvalidEnum;
  }
  // GLU hands the internal format to GL, which refuses it.
  const int comps = BaseComponents(internalFormat);
  if (comps == 0) {
    Refuse(*c, GL_INVALID_VALUE, "gluBuild2DMipmaps", internalFormat);
    return 0;
  }
  std::vector<unsigned char> level =
      Unpack(static_cast<const unsigned char *>(data), width, height, format,
             c->unpackAlignment, comps);
  // GLU first brings each side to a power of two, then halves to 1 x 1.
  int w = NearestPowerOfTwo(width), h = NearestPowerOfTwo(height);
  if (w != width || h != height) {
    level = Scale(level, width, height, w, h, comps);
  }
  for (int n = 0;; ++n) {
    Upload(*c, target, n, w, h, internalFormat, level);
    if (w == 1 && h == 1) {
      break;
    }
    const int nw = std::max(1, w / 2), nh = std::max(1, h / 2);
    level = Scale(level, w, h, nw, nh, comps);
    w = nw;
    h = nh;
  }
  return 0;
}

// What the shaders cannot do (DECAL, BLEND, ADD, INTERPOLATE, constant
// colours) is refused, the environment left as it was.
void gl11_glTexEnvi(GLenum target, GLenum pname, GLint param) {
  Context *c = Active();
  if (!c) {
    return;
  }
  if (target != GL_TEXTURE_ENV) {
    Refuse(*c, GL_INVALID_ENUM, "glTexEnvi", target);
    return;
  }
  UnitKey &env = c->units[c->activeUnit].env;
  const GLenum p = static_cast<GLenum>(param);
  bool known = true;
  auto func = [&known](GLenum f) {
    switch (f) {
    case GL_REPLACE:
      return CombineFunc::kReplace;
    case GL_MODULATE:
      return CombineFunc::kModulate;
    case GL_DOT3_RGB_ARB:
      return CombineFunc::kDot3Rgb;
    case GL_DOT3_RGBA_ARB:
      return CombineFunc::kDot3Rgba;
    default:
      known = false;
      return CombineFunc::kModulate;
    }
  };
  auto source = [&known](GLenum from) {
    switch (from) {
    case GL_TEXTURE:
      return CombineSource::kTexture;
    case GL_PRIMARY_COLOR_ARB:
      return CombineSource::kPrimary;
    case GL_PREVIOUS_ARB:
      return CombineSource::kPrevious;
    default:
      known = false;
      return CombineSource::kPrevious;
    }
  };
  auto operand = [&known](GLenum o) {
    known = known && o >= GL_SRC_COLOR && o <= GL_ONE_MINUS_SRC_ALPHA;
    return known ? static_cast<CombineOperand>(o - GL_SRC_COLOR)
                 : CombineOperand::kSrcColour;
  };
  UnitKey now = env;
  switch (pname) {
  case GL_TEXTURE_ENV_MODE:
    known = p == GL_MODULATE || p == GL_REPLACE || p == GL_COMBINE_ARB;
    now.mode = p == GL_REPLACE       ? EnvMode::kReplace
               : p == GL_COMBINE_ARB ? EnvMode::kCombine
                                     : EnvMode::kModulate;
    break;
  case GL_COMBINE_RGB_ARB:
    now.rgbFunc = func(p);
    break;
  case GL_COMBINE_ALPHA_ARB:
    now.alphaFunc = func(p);
    known = known && p != GL_DOT3_RGB_ARB && p != GL_DOT3_RGBA_ARB;
    break;
  case GL_SOURCE0_RGB_ARB:
  case GL_SOURCE1_RGB_ARB:
    now.rgbSource[pname - GL_SOURCE0_RGB_ARB] = source(p);
    break;
  case GL_SOURCE0_ALPHA_ARB:
  case GL_SOURCE1_ALPHA_ARB:
    now.alphaSource[pname - GL_SOURCE0_ALPHA_ARB] = source(p);
    break;
  case GL_OPERAND0_RGB_ARB:
  case GL_OPERAND1_RGB_ARB:
    now.rgbOperand[pname - GL_OPERAND0_RGB_ARB] = operand(p);
    break;
  case GL_OPERAND0_ALPHA_ARB:
  case GL_OPERAND1_ALPHA_ARB:
    // Alpha operands take alphas only.
    known = p == GL_SRC_ALPHA || p == GL_ONE_MINUS_SRC_ALPHA;
    now.alphaOperand[pname - GL_OPERAND0_ALPHA_ARB] = operand(p);
    break;
  default:
    Refuse(*c, GL_INVALID_ENUM, "glTexEnvi", pname);
    return;
  }
  if (!known) {
    Refuse(*c, GL_INVALID_ENUM, "glTexEnvi", p);
    return;
  }
  env = now;
}

void gl11_glPixelStorei(GLenum pname, GLint param) {
  Context *c = Active();
  if (!c) {
    return;
  }
  // ES 2.0 is given packed rows and read in RGBA rows, so neither of its
  // alignments follows these.
  if (pname != GL_UNPACK_ALIGNMENT && pname != GL_PACK_ALIGNMENT) {
    Refuse(*c, GL_INVALID_ENUM, "glPixelStorei", pname);
  } else if (param != 1 && param != 2 && param != 4 && param != 8) {
    Refuse(*c, GL_INVALID_VALUE, "glPixelStorei", param);
  } else {
    (pname == GL_UNPACK_ALIGNMENT ? c->unpackAlignment : c->packAlignment) =
        param;
  }
}

// ES 2.0 reads RGBA bytes; other layouts are made from those, luminance as
// GL makes it: red, green and blue summed, at most 1.
void gl11_glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height,
                       GLenum format, GLenum type, GLvoid *pixels) {
  Context *c = Active();
  const int comps = Components(format);
  if (!c) {
    return;
  }
  if (type != GL_UNSIGNED_BYTE || comps == 0) {
    Refuse(*c, GL_INVALID_ENUM, "glReadPixels",
           type != GL_UNSIGNED_BYTE ? type : format);
    return;
  }
  if (width < 1 || height < 1) {
    return;
  }
  std::vector<unsigned char> rgba(static_cast<std::size_t>(width) * height * 4);
  c->gl.ReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  const int align = c->packAlignment;
  const std::size_t row =
      (static_cast<std::size_t>(width) * comps + align - 1) / align * align;
  auto *out = static_cast<unsigned char *>(pixels);
  const int pick[4][4] = {{0}, {0, 3}, {0, 1, 2}, {0, 1, 2, 3}};
  for (int j = 0; j < height; ++j) {
    for (int i = 0; i < width; ++i) {
      const unsigned char *p =
          &rgba[(static_cast<std::size_t>(j) * width + i) * 4];
      unsigned char *q = &out[j * row + i * comps];
      for (int k = 0; k < comps; ++k) {
        q[k] = p[pick[comps - 1][k]];
      }
      if (comps < 3) {
        q[0] = static_cast<unsigned char>(std::min(255, p[0] + p[1] + p[2]));
      }
    }
  }
}

} // extern "C"

namespace gl11 {

GLuint EsTexture(Context &c, GLuint name) {
  if (name == 0 || c.lost) {
    return 0;
  }
  TextureInfo &info = c.textures[name];
  if (info.es != 0) {
    return info.es;
  }
  const GLenum target = info.target != 0 ? info.target : GL_TEXTURE_2D;
  c.gl.GenTextures(1, &info.es);
  // Made again after a loss: its images and parameters as they were.
  BindUnitTexture(c, c.activeUnit, target, info.es);
  for (const TextureImage &image : info.images) {
    Send(c, image);
  }
  for (const auto &[pname, param] : info.parameters) {
    c.gl.TexParameteri(target, pname, param);
  }
  return info.es;
}

} // namespace gl11
