// Scene set-up for a freshly current GL context: fixed GL state, the quadric,
// the multitexture entry points, the camera, textures, cube map, game reset.
#include "app/scene_init.h"

#include "app/shell_state.h"
#include "camera/camera.h"
#include "game/game_state.h"
#include "image/cube_map.h"
#include "image/texture.h"
#include "image/texture_slots.h"
#include "platform/gl.h"
#include "render/gl_objects.h"

namespace {

struct TextureFile {
  int slot;
  const char *fileName;
};

// In ascending slot order; slots 0, 7, 10 and 17 stay empty.
const TextureFile kTextureFiles[] = {
    {kSlotElectricBoxFront, "data/texture/electricbox_F.bmp"},
    {kSlotElectricBoxBack, "data/texture/electricbox_B.bmp"},
    {kSlotElectricBoxSide, "data/texture/electricbox_S.bmp"},
    {kSlotGlassBlock, "data/texture/glassblock1.bmp"},
    {kSlotFloor, "data/texture/floor.bmp"},
    {kSlotLampPost, "data/texture/lamppost.bmp"},
    {kSlotPillar, "data/texture/pillar.bmp"},
    {kSlotPillarLight, "data/texture/pillarlight.bmp"},
    {kSlotWindowStrip, "data/texture/windowstrip.bmp"},
    {kSlotWood, "data/texture/wood.bmp"},
    {kSlotRoof, "data/texture/roof.bmp"},
    {kSlotElectricBoxTop, "data/texture/electricbox_T.bmp"},
    {kSlotLampPostTop, "data/texture/lamppost_T.bmp"},
    {kSlotBlank, "data/texture/blank.bmp"},
    {kSlotFloorLightMap, "data/texture/floorLM.bmp"},
    {kSlotRoofBump, "data/texture/roofbump.bmp"},
    {kSlotPillarBump, "data/texture/pillarbump.bmp"},
    {kSlotGameOver, "data/texture/gameover.bmp"},
};

// wglGetProcAddress's result type differs between platforms; going through a
// plain function pointer keeps the conversion warning-free on both.
template <typename Pointer> Pointer FetchEntryPoint(const char *name) {
  return reinterpret_cast<Pointer>(
      reinterpret_cast<void (*)()>(wglGetProcAddress(name)));
}

} // namespace

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
