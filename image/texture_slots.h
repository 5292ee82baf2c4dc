// The texture slot table: GL texture names by slot, filled at start from the
// texture files and bound by the renderer.
#pragma once

#include "platform/gl.h"

enum TextureSlot : int {
  kSlotElectricBoxFront = 1,
  kSlotElectricBoxBack = 2,
  kSlotElectricBoxSide = 3,
  kSlotGlassBlock = 4,
  kSlotFloor = 5,
  kSlotLampPost = 6,
  kSlotPillar = 8,
  kSlotPillarLight = 9,
  kSlotWindowStrip = 11,
  kSlotWood = 12,
  kSlotRoof = 13,
  kSlotElectricBoxTop = 14,
  kSlotLampPostTop = 15,
  kSlotBlank = 16,
  kSlotFloorLightMap = 18,
  kSlotRoofBump = 19,
  kSlotPillarBump = 20,
  kSlotGameOver = 21,
  kTextureSlotCount = 22
};

// All 0 at start; slots 0, 7, 10 and 17 are never written.
extern GLuint textureTable[kTextureSlotCount];

// A texture file and the slot it fills, relative to the working directory.
struct TextureFile {
  int slot;
  const char *fileName;
};

constexpr int kTextureFileCount = 18;
// In ascending slot order, the order the scene set-up loads them in.
extern const TextureFile kTextureFiles[kTextureFileCount];
