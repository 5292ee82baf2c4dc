// The fixed-function state that changes the shader code, and the GLSL ES 1.00
// source made from it: lighting with the enabled lights, and each texture
// unit's target and environment.
#pragma once

#include <cstdint>
#include <string>

namespace gl11 {

// Each enumeration names its last value, which the shader key's packing
// checks against the bits it gives the field.
enum class TexTarget : std::uint8_t { kNone, k2D, kCube, kLast = kCube };
enum class EnvMode : std::uint8_t {
  kModulate,
  kReplace,
  kCombine,
  kLast = kCombine
};
enum class CombineFunc : std::uint8_t {
  kReplace,
  kModulate,
  kDot3Rgb,
  kDot3Rgba,
  kLast = kDot3Rgba
};
enum class CombineSource : std::uint8_t {
  kTexture,
  kPrevious,
  kPrimary,
  kLast = kPrimary
};
enum class CombineOperand : std::uint8_t {
  kSrcColour,
  kOneMinusSrcColour,
  kSrcAlpha,
  kOneMinusSrcAlpha,
  kLast = kOneMinusSrcAlpha
};

struct UnitKey {
  TexTarget target = TexTarget::kNone;
  EnvMode mode = EnvMode::kModulate;
  CombineFunc rgbFunc = CombineFunc::kModulate;
  CombineFunc alphaFunc = CombineFunc::kModulate;
  CombineSource rgbSource[2] = {CombineSource::kTexture,
                                CombineSource::kPrevious};
  CombineSource alphaSource[2] = {CombineSource::kTexture,
                                  CombineSource::kPrevious};
  CombineOperand rgbOperand[2] = {CombineOperand::kSrcColour,
                                  CombineOperand::kSrcColour};
  CombineOperand alphaOperand[2] = {CombineOperand::kSrcAlpha,
                                    CombineOperand::kSrcAlpha};
};

constexpr int kLightCount = 3;
constexpr int kUnitCount = 2;

struct ShaderKey {
  bool lighting = false;
  bool lightOn[kLightCount] = {};
  bool lightPositional[kLightCount] = {};
  bool localViewer = false;
  UnitKey units[kUnitCount];

  // Every field in one number, for the program cache.
  std::uint64_t Pack() const;
};

// Vertex attributes, bound to these locations before linking.
enum Attribute {
  kPosition,
  kNormal,
  kColour,
  kTexCoord0,
  kTexCoord1,
  kAttributeCount
};

// Whether the program of the key reads the attribute: an attribute it does
// not read needs no value.
bool ReadsAttribute(const ShaderKey &key, Attribute a);

std::string VertexShaderSource(const ShaderKey &key);
std::string FragmentShaderSource(const ShaderKey &key);

} // namespace gl11
