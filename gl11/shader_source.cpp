// GLSL ES 1.00 for one fixed-function state. Lighting is the per-vertex sum
// GL 1.1 defines: emission + scene ambient x material ambient, and per light
// ambient + diffuse max(N.L, 0) + specular (N.H)^shininess where N.L > 0,
// colours clamped, alpha the material's diffuse alpha. No attenuation or
// spot cone: the game sets neither, so both keep their neutral defaults.
// Texture units apply in order to the interpolated colour; the game's
// textures carry no alpha, so REPLACE keeps the incoming alpha.
#include "gl11/shader_source.h"

namespace gl11 {

namespace {

// The bits each field of the key takes in its packed number.
constexpr int kFlagBits = 1;
constexpr int kTargetBits = 2, kModeBits = 2, kFuncBits = 2, kSourceBits = 2,
              kOperandBits = 2;

template <typename E> constexpr bool Fits(int bits) {
  return static_cast<unsigned>(E::kLast) < (1u << bits);
}
static_assert(Fits<TexTarget>(kTargetBits), "a unit's target fits its bits");
static_assert(Fits<EnvMode>(kModeBits), "an environment mode fits its bits");
static_assert(Fits<CombineFunc>(kFuncBits), "a combine function fits");
static_assert(Fits<CombineSource>(kSourceBits), "a combine source fits");
static_assert(Fits<CombineOperand>(kOperandBits), "a combine operand fits");

constexpr int kUnitBits =
    kTargetBits + kModeBits + 2 * kFuncBits +
    2 * (2 * kSourceBits + 2 * kOperandBits); // two arguments each
constexpr int kKeyBits =
    kFlagBits * (2 + 2 * kLightCount) + kUnitBits * kUnitCount;
static_assert(kKeyBits <= 64, "every field of the key fits its number: more "
                              "lights or units would make keys share programs");

} // namespace

std::uint64_t ShaderKey::Pack() const {
  std::uint64_t bits = 0;
  auto put = [&bits](unsigned value, int width) {
    bits = (bits << width) | value;
  };
  put(lighting, kFlagBits);
  put(localViewer, kFlagBits);
  for (int i = 0; i < kLightCount; ++i) {
    put(lightOn[i], kFlagBits);
    put(lightPositional[i], kFlagBits);
  }
  for (const UnitKey &u : units) {
    put(static_cast<unsigned>(u.target), kTargetBits);
    put(static_cast<unsigned>(u.mode), kModeBits);
    put(static_cast<unsigned>(u.rgbFunc), kFuncBits);
    put(static_cast<unsigned>(u.alphaFunc), kFuncBits);
    for (int i = 0; i < 2; ++i) {
      put(static_cast<unsigned>(u.rgbSource[i]), kSourceBits);
      put(static_cast<unsigned>(u.alphaSource[i]), kSourceBits);
      put(static_cast<unsigned>(u.rgbOperand[i]), kOperandBits);
      put(static_cast<unsigned>(u.alphaOperand[i]), kOperandBits);
    }
  }
  return bits;
}

bool ReadsAttribute(const ShaderKey &key, Attribute a) {
  switch (a) {
  case kNormal:
    return key.lighting;
  case kColour:
    return !key.lighting;
  case kTexCoord0:
  case kTexCoord1:
    return key.units[a - kTexCoord0].target != TexTarget::kNone;
  default:
    return true;
  }
}

std::string VertexShaderSource(const ShaderKey &key) {
  std::string s = "attribute vec3 aPosition;\n"
                  "attribute vec3 aNormal;\n"
                  "attribute vec4 aColour;\n"
                  "attribute vec3 aTexCoord0;\n"
                  "attribute vec3 aTexCoord1;\n"
                  "uniform mat4 uModelView;\n"
                  "uniform mat4 uProjection;\n"
                  "uniform mat3 uNormalMatrix;\n"
                  "uniform vec4 uSceneColour;\n"
                  "uniform vec4 uLightPosition[3];\n"
                  "uniform vec3 uLightAmbient[3];\n"
                  "uniform vec3 uLightDiffuse[3];\n"
                  "uniform vec3 uLightSpecular[3];\n"
                  "uniform float uShininess;\n"
                  "varying vec4 vColour;\n"
                  "varying vec3 vTexCoord0;\n"
                  "varying vec3 vTexCoord1;\n"
                  "void main() {\n"
                  "  vec4 eye = uModelView * vec4(aPosition, 1.0);\n"
                  "  gl_Position = uProjection * eye;\n";
  for (int i = 0; i < kUnitCount; ++i) {
    if (ReadsAttribute(key, static_cast<Attribute>(kTexCoord0 + i))) {
      const std::string n = std::to_string(i);
      s += "  vTexCoord" + n + " = aTexCoord" + n + ";\n";
    }
  }
  if (!key.lighting) {
    return s + "  vColour = clamp(aColour, 0.0, 1.0);\n}\n";
  }
  // GL does not renormalise normals unless asked; neither does this.
  s += "  vec3 n = uNormalMatrix * aNormal;\n";
  s += key.localViewer ? "  vec3 toEye = normalize(-eye.xyz);\n"
                       : "  vec3 toEye = vec3(0.0, 0.0, 1.0);\n";
  s += "  vec3 c = uSceneColour.rgb;\n"
       "  vec3 l;\n"
       "  float nl;\n";
  for (int i = 0; i < kLightCount; ++i) {
    if (!key.lightOn[i]) {
      continue;
    }
    const std::string at = "[" + std::to_string(i) + "]";
    // Directional positions arrive normalised; positional ones as points.
    s += key.lightPositional[i]
             ? "  l = normalize(uLightPosition" + at + ".xyz - eye.xyz);\n"
             : "  l = uLightPosition" + at + ".xyz;\n";
    s += "  nl = dot(n, l);\n"
         "  c += uLightAmbient" +
         at +
         ";\n"
         "  if (nl > 0.0) {\n"
         "    float nh = max(dot(n, normalize(l + toEye)), 1e-20);\n"
         "    c += nl * uLightDiffuse" +
         at + " + pow(nh, uShininess) * uLightSpecular" + at +
         ";\n"
         "  }\n";
  }
  return s + "  vColour = vec4(clamp(c, 0.0, 1.0), uSceneColour.a);\n}\n";
}

namespace {

std::string Source(CombineSource source) {
  switch (source) {
  case CombineSource::kTexture:
    return "t";
  case CombineSource::kPrevious:
    return "previous";
  default:
    return "vColour";
  }
}

std::string RgbArgument(CombineSource source, CombineOperand operand) {
  const std::string v = Source(source);
  switch (operand) {
  case CombineOperand::kSrcColour:
    return v + ".rgb";
  case CombineOperand::kOneMinusSrcColour:
    return "(1.0 - " + v + ".rgb)";
  case CombineOperand::kSrcAlpha:
    return "vec3(" + v + ".a)";
  default:
    return "vec3(1.0 - " + v + ".a)";
  }
}

std::string AlphaArgument(CombineSource source, CombineOperand operand) {
  const std::string v = Source(source) + ".a";
  return operand == CombineOperand::kOneMinusSrcAlpha ? "(1.0 - " + v + ")" : v;
}

std::string Dot3(const std::string &a0, const std::string &a1) {
  return "clamp(4.0 * dot(" + a0 + " - 0.5, " + a1 + " - 0.5), 0.0, 1.0)";
}

std::string Combine(const UnitKey &u) {
  const std::string r0 = RgbArgument(u.rgbSource[0], u.rgbOperand[0]);
  const std::string r1 = RgbArgument(u.rgbSource[1], u.rgbOperand[1]);
  const std::string a0 = AlphaArgument(u.alphaSource[0], u.alphaOperand[0]);
  const std::string a1 = AlphaArgument(u.alphaSource[1], u.alphaOperand[1]);
  std::string rgb, alpha;
  switch (u.rgbFunc) {
  case CombineFunc::kReplace:
    rgb = r0;
    break;
  case CombineFunc::kModulate:
    rgb = r0 + " * " + r1;
    break;
  default:
    rgb = "vec3(" + Dot3(r0, r1) + ")";
    break;
  }
  if (u.rgbFunc == CombineFunc::kDot3Rgba) {
    // The dot product goes to alpha as well; the alpha function is unused.
    alpha = Dot3(r0, r1);
  } else if (u.alphaFunc == CombineFunc::kReplace) {
    alpha = a0;
  } else {
    alpha = a0 + " * " + a1;
  }
  return "    previous = clamp(vec4(" + rgb + ", " + alpha + "), 0.0, 1.0);\n";
}

} // namespace

std::string FragmentShaderSource(const ShaderKey &key) {
  std::string s = "#ifdef GL_FRAGMENT_PRECISION_HIGH\n"
                  "precision highp float;\n"
                  "#else\n"
                  "precision mediump float;\n"
                  "#endif\n"
                  "varying vec4 vColour;\n"
                  "varying vec3 vTexCoord0;\n"
                  "varying vec3 vTexCoord1;\n";
  for (int i = 0; i < kUnitCount; ++i) {
    const TexTarget target = key.units[i].target;
    if (target != TexTarget::kNone) {
      s += std::string("uniform ") +
           (target == TexTarget::kCube ? "samplerCube" : "sampler2D") +
           " uUnit" + std::to_string(i) + ";\n";
    }
  }
  s += "void main() {\n"
       "  vec4 previous = vColour;\n";
  for (int i = 0; i < kUnitCount; ++i) {
    const UnitKey &u = key.units[i];
    if (u.target == TexTarget::kNone) {
      continue;
    }
    const std::string n = std::to_string(i);
    s += "  {\n";
    if (u.target == TexTarget::kCube) {
      // A zero direction names no face: take +Z's centre, as the
      // fixed-function pipeline the pictures were made on does (the bump
      // pass looks the cube map up at (0, 0, 0)).
      s += "    vec3 c = vTexCoord" + n + ";\n";
      s += "    if (dot(c, c) == 0.0) c = vec3(0.0, 0.0, 1.0);\n";
      s += "    vec4 t = textureCube(uUnit" + n + ", c);\n";
    } else {
      s += "    vec4 t = texture2D(uUnit" + n + ", vTexCoord" + n + ".st);\n";
    }
    switch (u.mode) {
    case EnvMode::kModulate:
      s += "    previous = previous * t;\n";
      break;
    case EnvMode::kReplace:
      s += "    previous = vec4(t.rgb, previous.a);\n";
      break;
    case EnvMode::kCombine:
      s += Combine(u);
      break;
    }
    s += "  }\n";
  }
  return s + "  gl_FragColor = previous;\n}\n";
}

} // namespace gl11
