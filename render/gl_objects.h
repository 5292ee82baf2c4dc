// GL objects shared by the scene set-up and the renderer: the one quadric and
// the ARB multitexture entry points fetched at start.
#pragma once

#include "platform/gl.h"

extern GLUquadricObj *quadric;
extern PFNGLACTIVETEXTUREARBPROC glActiveTextureARB;
extern PFNGLMULTITEXCOORD2FARBPROC glMultiTexCoord2fARB;
extern PFNGLMULTITEXCOORD3FARBPROC glMultiTexCoord3fARB; // fetched, unused
