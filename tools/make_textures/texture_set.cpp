// File names of the generated textures, in the game's slot order.
#include "tools/make_textures/textures.h"

const TextureSpec kTextureSet[] = {
    {"electricbox_F.bmp", MakeElectricBoxFront},
    {"electricbox_B.bmp", MakeElectricBoxBack},
    {"electricbox_S.bmp", MakeElectricBoxSide},
    {"glassblock1.bmp", MakeGlassBlocks},
    {"floor.bmp", MakeFloor},
    {"lamppost.bmp", MakeLampPost},
    {"pillar.bmp", MakePillar},
    {"pillarlight.bmp", MakePillarLight},
    {"windowstrip.bmp", MakeWindowStrip},
    {"wood.bmp", MakeWood},
    {"roof.bmp", MakeRoof},
    {"electricbox_T.bmp", MakeElectricBoxTop},
    {"lamppost_T.bmp", MakeLampPostCap},
    {"blank.bmp", MakeBlank},
    {"floorLM.bmp", MakeFloorLightMap},
    {"roofbump.bmp", MakeRoofBump},
    {"pillarbump.bmp", MakePillarBump},
    {"gameover.bmp", MakeGameOver},
};

const std::size_t kTextureCount = sizeof kTextureSet / sizeof kTextureSet[0];
