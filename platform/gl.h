// OpenGL 1.1, GLU and the ARB extension tokens, for game code that draws.
// Includes the platform seam first, as <GL/gl.h> on Windows requires. A build
// defining TVL_GL11 draws through the shader subset (gl11/) instead of
// the system's GL; the game's calls are the same either way.
#pragma once

#include "platform/win32.h"

// Some gl.h files prototype the ARB multitexture entry points; the game keeps
// them as pointers fetched at start (render/gl_objects.h), so hide those
// prototypes under other names.
#define glActiveTextureARB tvl_hidden_glActiveTextureARB
#define glMultiTexCoord2fARB tvl_hidden_glMultiTexCoord2fARB
#define glMultiTexCoord3fARB tvl_hidden_glMultiTexCoord3fARB
#include <GL/gl.h>
#undef glActiveTextureARB
#undef glMultiTexCoord2fARB
#undef glMultiTexCoord3fARB
#include <GL/glext.h>

#if defined(TVL_GL11)
#include "gl11/rename.h"
#else
#include <GL/glu.h>
#endif
