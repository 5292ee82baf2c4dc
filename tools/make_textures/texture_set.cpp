// What draws each of the game's texture files, in the game's slot order;
// the file names are the game's own list (image/texture_slots).
#include "tools/make_textures/textures.h"

#include <cstring>

const TextureSpec kTextureSet[] = {
    {kSlotElectricBoxFront, MakeElectricBoxFront},
    {kSlotElectricBoxBack, MakeElectricBoxBack},
    {kSlotElectricBoxSide, MakeElectricBoxSide},
    {kSlotGlassBlock, MakeGlassBlocks},
    {kSlotFloor, MakeFloor},
    {kSlotLampPost, MakeLampPost},
    {kSlotPillar, MakePillar},
    {kSlotPillarLight, MakePillarLight},
    {kSlotWindowStrip, MakeWindowStrip},
    {kSlotWood, MakeWood},
    {kSlotRoof, MakeRoof},
    {kSlotElectricBoxTop, MakeElectricBoxTop},
    {kSlotLampPostTop, MakeLampPostCap},
    {kSlotBlank, MakeBlank},
    {kSlotFloorLightMap, MakeFloorLightMap},
    {kSlotRoofBump, MakeRoofBump},
    {kSlotPillarBump, MakePillarBump},
    {kSlotGameOver, MakeGameOver},
};

const std::size_t kTextureCount = sizeof kTextureSet / sizeof kTextureSet[0];

const char *TextureSpec::FileName() const {
  for (const TextureFile &file : kTextureFiles) {
    if (file.slot == slot)
      return std::strrchr(file.fileName, '/') + 1;
  }
  return nullptr;
}
