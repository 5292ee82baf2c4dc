// The texture slot table's storage, and the files that fill it.
#include "image/texture_slots.h"

GLuint textureTable[kTextureSlotCount];

const TextureFile kTextureFiles[kTextureFileCount] = {
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
