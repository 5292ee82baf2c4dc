// The two places that use both texture units: the dot-3 bump pass over the
// roof and the pillars, and the floor's day/night texture pair.
#include "render/scene_parts.h"

#include "game/game_state.h"
#include "image/cube_map.h"

namespace {

// A second drawing of a surface already in the frame buffer, multiplying it
// by the dot product of the bump texel and the cube map's texel. Unit 1 gets
// no coordinate here, so the cube map is looked up at the one the pillars
// fixed, (0, 0, 0). Unit 0's environment is not put back: later drawing on
// unit 0 keeps replacing with the texture colour.
enum class BumpSurface { kRoof, kPillars };

void DrawDot3Pass(BumpSurface surface) {
  glBlendFunc(GL_DST_COLOR, GL_ZERO);
  glEnable(GL_BLEND);

  // Unit 0 is active on entry.
  BindSlot(surface == BumpSurface::kRoof ? kSlotRoofBump : kSlotPillarBump);
  glEnable(GL_TEXTURE_2D);

  SelectTextureUnit(1);
  glBindTexture(GL_TEXTURE_CUBE_MAP_ARB, normalisationCubeMap);
  glEnable(GL_TEXTURE_CUBE_MAP_ARB);

  SelectTextureUnit(0);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE_ARB);
  glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB_ARB, GL_TEXTURE);
  glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB_ARB, GL_REPLACE);

  SelectTextureUnit(1);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE_ARB);
  glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB_ARB, GL_TEXTURE);
  glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB_ARB, GL_DOT3_RGB_ARB);
  glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB_ARB, GL_PREVIOUS_ARB);

  SelectTextureUnit(0);
  if (surface == BumpSurface::kRoof) {
    DrawRoofTriangles(RoofCoords::kUnit0);
  } else {
    DrawPillarCylinders(false);
  }
  glDisable(GL_TEXTURE_2D);

  SelectTextureUnit(1);
  glDisable(GL_TEXTURE_CUBE_MAP_ARB);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);

  glDisable(GL_BLEND); // unit 1 stays active; the next step selects unit 0
}

} // namespace

void DrawRoofBumpPass() {
  DrawDot3Pass(BumpSurface::kRoof);
}

void DrawPillarBumpPass() {
  DrawDot3Pass(BumpSurface::kPillars);
}

// By day the floor picture on unit 0 modulated by the blank texture on unit 1;
// by night the blank one on unit 0 and the light map on unit 1. Unit 1's 2D
// texturing stays on from here into the next frame.
void SelectFloorTextures() {
  SelectTextureUnit(0);
  glEnable(GL_TEXTURE_2D);
  BindSlot(kSlotFloor);
  if (lightLevel >= 0.2) {
    SelectTextureUnit(1);
    glEnable(GL_TEXTURE_2D);
    BindSlot(kSlotBlank);
  }
  if (lightLevel < 0.2) {
    SelectTextureUnit(0);
    BindSlot(kSlotBlank);
    SelectTextureUnit(1);
    glEnable(GL_TEXTURE_2D);
    BindSlot(kSlotFloorLightMap);
  }
}
