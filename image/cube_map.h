// The normalisation cube map used by the bump pass.
#pragma once

#include "platform/gl.h"

extern GLuint normalisationCubeMap;

// Fills the six faces of the cube map bound to GL_TEXTURE_CUBE_MAP_ARB with
// packed unit vectors; false (and nothing uploaded) when out of memory.
bool BuildNormalisationCubeMap();
