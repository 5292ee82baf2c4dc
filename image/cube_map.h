// The normalisation cube map used by the bump pass.
#pragma once

#include "platform/gl.h"

extern GLuint normalisationCubeMap;

// Makes the cube map: a new texture name bound to GL_TEXTURE_CUBE_MAP_ARB,
// built, with linear filters and edge clamping on all three axes.
void CreateNormalisationCubeMap();

// Fills the six faces of the cube map bound to GL_TEXTURE_CUBE_MAP_ARB with
// packed unit vectors; false (and nothing uploaded) when out of memory.
bool BuildNormalisationCubeMap();

constexpr int kCubeFaceSide = 32;
constexpr int kCubeFaceBytes = kCubeFaceSide * kCubeFaceSide * 3;

// The targets of the six faces in the order they are built and uploaded.
extern const GLenum cubeFaceTargets[6];

// Fills face 0..5 (upload order) into out[kCubeFaceBytes]: texel (i, j) at
// 3 * (32 * i + j) holds trunc(255 * (0.5 * d / |d| + 0.5)) as R, G, B.
void FillNormalisationCubeFace(int face, unsigned char *out);

// The build with its working buffer given: a null buffer prints the
// out-of-memory message and makes no GL call.
bool UploadNormalisationCubeMap(unsigned char *buffer);
