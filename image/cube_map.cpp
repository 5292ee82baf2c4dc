// The normalisation cube map: six 32 x 32 faces of packed unit vectors, one
// per direction through each texel's centre, uploaded to the bound cube map.
#include "image/cube_map.h"

#include <cstdio>
#include <cstdlib>

#include "image/math_vector.h"

GLuint normalisationCubeMap;

const GLenum cubeFaceTargets[6] = {
    GL_TEXTURE_CUBE_MAP_POSITIVE_X_ARB, GL_TEXTURE_CUBE_MAP_NEGATIVE_X_ARB,
    GL_TEXTURE_CUBE_MAP_POSITIVE_Y_ARB, GL_TEXTURE_CUBE_MAP_NEGATIVE_Y_ARB,
    GL_TEXTURE_CUBE_MAP_POSITIVE_Z_ARB, GL_TEXTURE_CUBE_MAP_NEGATIVE_Z_ARB};

namespace {

constexpr float kTexelCentre = 0.5f;
constexpr float kHalfSide = 16.0f;

void Set(MathVector *v, float x, float y, float z) {
  v->setX(x);
  v->setY(y);
  v->setZ(z);
}

// The direction through texel (s, t) of a face, in the orientation the
// cube-map extension samples it.
void FaceDirection(int face, float s, float t, MathVector *v) {
  switch (face) {
  case 0:
    return Set(v, kHalfSide, -t, -s);
  case 1:
    return Set(v, -kHalfSide, -t, s);
  case 2:
    return Set(v, s, kHalfSide, t);
  case 3:
    return Set(v, s, -kHalfSide, -t);
  case 4:
    return Set(v, s, -t, kHalfSide);
  default:
    return Set(v, -s, -t, -kHalfSide);
  }
}

unsigned char ToByte(float unit) {
  return static_cast<unsigned char>(static_cast<double>(unit) * 255.0);
}

} // namespace

void FillNormalisationCubeFace(int face, unsigned char *out) {
  MathVector v;
  for (int i = 0; i < kCubeFaceSide; ++i) {
    for (int j = 0; j < kCubeFaceSide; ++j, out += 3) {
      float s = static_cast<float>(j) + kTexelCentre - kHalfSide;
      float t = static_cast<float>(i) + kTexelCentre - kHalfSide;
      FaceDirection(face, s, t, &v);
      v.normalise();
      v.packToUnitRange();
      out[0] = ToByte(v.getX());
      out[1] = ToByte(v.getY());
      out[2] = ToByte(v.getZ());
    }
  }
}

bool UploadNormalisationCubeMap(unsigned char *buffer) {
  if (buffer == nullptr) {
    std::printf("Unable to allocate memory for texture data for cube map\n");
    return false;
  }
  for (int face = 0; face < 6; ++face) {
    FillNormalisationCubeFace(face, buffer);
    glTexImage2D(cubeFaceTargets[face], 0, GL_RGB8, kCubeFaceSide,
                 kCubeFaceSide, 0, GL_RGB, GL_UNSIGNED_BYTE, buffer);
  }
  return true;
}

bool BuildNormalisationCubeMap() {
  unsigned char *buffer =
      static_cast<unsigned char *>(std::malloc(kCubeFaceBytes));
  bool built = UploadNormalisationCubeMap(buffer);
  std::free(buffer);
  return built;
}

void CreateNormalisationCubeMap() {
  glGenTextures(1, &normalisationCubeMap);
  glBindTexture(GL_TEXTURE_CUBE_MAP_ARB, normalisationCubeMap);
  BuildNormalisationCubeMap();
  glTexParameteri(GL_TEXTURE_CUBE_MAP_ARB, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_CUBE_MAP_ARB, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_CUBE_MAP_ARB, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_CUBE_MAP_ARB, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_CUBE_MAP_ARB, GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);
}
