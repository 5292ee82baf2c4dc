// Scene set-up for a freshly current GL context: fixed GL state, the quadric,
// the multitexture entry points, the camera, textures, cube map, game reset.
#include "app/scene_init.h"

#include "camera/camera.h"
#include "game/game_state.h"
#include "image/cube_map.h"
#include "image/texture.h"
#include "image/texture_slots.h"
#include "platform/gl.h"
#include "render/gl_objects.h"
#include "shell/shell_state.h"

#include <cstring>

namespace {

// The shell's own fixed GL state.
void SetSceneGlState() {
  glShadeModel(GL_SMOOTH);
  glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
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

// Each owner sets up what it owns, in this order; the GL calls and their
// order are part of the behaviour.
bool InitScene() {
  SetSceneGlState();
  CreateQuadric(); // render/
  glEnable(GL_TEXTURE_2D);
  if (!FetchMultitextureEntryPoints()) { // render/
    // Start-up completes; the loop ends at the posted quit request, whose
    // code says that the game could not start.
    MessageBoxA(windowHandle,
                "This OpenGL version does not support Multitexturing!", "ERROR",
                MB_OK);
    PostQuitMessage(1);
  }
  camera.place(1.0f, -1.0f, 0.0f, 0.0f, -1.0f, 0.0f, 0.0f, 1.0f, 0.0f);
  glEnable(GL_TEXTURE_2D);
  LoadTextureFiles();           // image/: the slot table
  CreateNormalisationCubeMap(); // image/
  ResetGame();                  // game/
  return true;
}
