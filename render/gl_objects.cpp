// The GL objects shared by the scene set-up and the renderer. Null until the
// scene set-up creates the quadric and fetches the entry points.
#include "render/gl_objects.h"

GLUquadricObj *quadric = nullptr;
PFNGLACTIVETEXTUREARBPROC glActiveTextureARB = nullptr;
PFNGLMULTITEXCOORD2FARBPROC glMultiTexCoord2fARB = nullptr;
PFNGLMULTITEXCOORD3FARBPROC glMultiTexCoord3fARB = nullptr;

void CreateQuadric() {
  quadric = gluNewQuadric();
  gluQuadricNormals(quadric, GLU_SMOOTH);
  gluQuadricTexture(quadric, GL_TRUE);
}

bool FetchMultitextureEntryPoints() {
  glActiveTextureARB =
      FetchEntryPoint<PFNGLACTIVETEXTUREARBPROC>("glActiveTextureARB");
  glMultiTexCoord2fARB =
      FetchEntryPoint<PFNGLMULTITEXCOORD2FARBPROC>("glMultiTexCoord2fARB");
  glMultiTexCoord3fARB =
      FetchEntryPoint<PFNGLMULTITEXCOORD3FARBPROC>("glMultiTexCoord3fARB");
  return glActiveTextureARB && glMultiTexCoord2fARB;
}
