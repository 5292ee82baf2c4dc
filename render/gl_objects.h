// GL objects the renderer owns and draws with: the one quadric and the ARB
// multitexture entry points, made and fetched by the scene set-up.
#pragma once

#include "platform/gl.h"

extern GLUquadricObj *quadric;
extern PFNGLACTIVETEXTUREARBPROC glActiveTextureARB;
extern PFNGLMULTITEXCOORD2FARBPROC glMultiTexCoord2fARB;
extern PFNGLMULTITEXCOORD3FARBPROC glMultiTexCoord3fARB; // fetched, unused

// wglGetProcAddress's result type differs between platforms; going through a
// plain function pointer keeps the conversion warning-free on both.
template <typename Pointer> Pointer FetchEntryPoint(const char *name) {
  return reinterpret_cast<Pointer>(
      reinterpret_cast<void (*)()>(wglGetProcAddress(name)));
}

// The quadric: smooth normals and texture coordinates.
void CreateQuadric();
// Fetches the three entry points; false when the first two are missing.
bool FetchMultitextureEntryPoints();
