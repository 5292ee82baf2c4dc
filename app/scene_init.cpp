// Scene set-up for a freshly current GL context: fixed GL state, the quadric,
// the multitexture entry points, the camera, textures, cube map, game reset.
#include "app/scene_init.h"

#include "shell/shell_state.h"
#include "camera/camera.h"
#include "game/game_state.h"
#include "image/cube_map.h"
#include "image/texture.h"
#include "image/texture_slots.h"
#include "platform/gl.h"
#include "render/gl_objects.h"

#include <cstring>

namespace {

// wglGetProcAddress's result type differs between platforms; going through a
// plain function pointer keeps the conversion warning-free on both.
template <typename Pointer> Pointer FetchEntryPoint(const char *name) {
  return reinterpret_cast<Pointer>(
      reinterpret_cast<void (*)()>(wglGetProcAddress(name)));
}

} // namespace

void AskForVsync() {
  using ExtensionsProc = const char *(WINAPI *)();
  using SwapIntervalProc = BOOL(WINAPI *)(int);
  const auto extensions =
      FetchEntryPoint<ExtensionsProc>("wglGetExtensionsStringEXT");
  if (!extensions || !std::strstr(extensions(), "WGL_EXT_swap_control")) {
    return; // the driver swaps at once
  }
  const auto swapInterval =
      FetchEntryPoint<SwapIntervalProc>("wglSwapIntervalEXT");
  if (swapInterval) {
    swapInterval(1);
  }
}

bool InitScene() {
  glShadeModel(GL_SMOOTH);
  glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);

  quadric = gluNewQuadric();
  gluQuadricNormals(quadric, GLU_SMOOTH);
  gluQuadricTexture(quadric, GL_TRUE);

  glEnable(GL_TEXTURE_2D);

  glActiveTextureARB =
      FetchEntryPoint<PFNGLACTIVETEXTUREARBPROC>("glActiveTextureARB");
  glMultiTexCoord2fARB =
      FetchEntryPoint<PFNGLMULTITEXCOORD2FARBPROC>("glMultiTexCoord2fARB");
  glMultiTexCoord3fARB =
      FetchEntryPoint<PFNGLMULTITEXCOORD3FARBPROC>("glMultiTexCoord3fARB");
  if (!glActiveTextureARB || !glMultiTexCoord2fARB) {
    // Start-up completes; the loop ends at the posted quit request.
    MessageBoxA(windowHandle,
                "This OpenGL version does not support Multitexturing!", "ERROR",
                MB_OK);
    PostQuitMessage(0);
  }

  camera.place(1.0f, -1.0f, 0.0f, 0.0f, -1.0f, 0.0f, 0.0f, 1.0f, 0.0f);

  glEnable(GL_TEXTURE_2D);
  for (const TextureFile &file : kTextureFiles) {
    LoadBmpTexture(textureTable, file.fileName, file.slot);
  }

  glGenTextures(1, &normalisationCubeMap);
  glBindTexture(GL_TEXTURE_CUBE_MAP_ARB, normalisationCubeMap);
  BuildNormalisationCubeMap();
  glTexParameteri(GL_TEXTURE_CUBE_MAP_ARB, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_CUBE_MAP_ARB, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_CUBE_MAP_ARB, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_CUBE_MAP_ARB, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_CUBE_MAP_ARB, GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);

  ResetGame();
  return true;
}
