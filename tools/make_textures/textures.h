// The eighteen textures of the lounge: one routine per picture, and the
// table that names their files in the order the game loads them.
#pragma once

#include "image/texture_slots.h"

#include <cstddef>

#include "tools/make_textures/canvas.h"

// Floors, walls, roof and pillars (masonry.cpp).
Canvas MakeFloor();
Canvas MakeGlassBlocks();
Canvas MakeRoof();
Canvas MakeRoofBump();
Canvas MakePillar();
Canvas MakePillarBump();

// Wood, metal and lamps (materials.cpp).
Canvas MakeWood();
Canvas MakeLampPost();
Canvas MakeLampPostCap();
Canvas MakePillarLight();
Canvas MakeWindowStrip();
Canvas MakeBlank();

// The electric box's faces (electric_box.cpp).
Canvas MakeElectricBoxFront();
Canvas MakeElectricBoxBack();
Canvas MakeElectricBoxSide();
Canvas MakeElectricBoxTop();

// Night light map of the floor (light_map.cpp) and the end picture
// (game_over.cpp).
Canvas MakeFloorLightMap();
Canvas MakeGameOver();

// The program's icon, size x size (icon.cpp); not a texture of the game.
Canvas MakeIcon(int size);

struct TextureSpec {
  int slot; // the game's texture slot, which names the file
  Canvas (*make)();
  // The file name the game opens under data/texture/.
  const char *FileName() const;
};

extern const TextureSpec kTextureSet[];
extern const std::size_t kTextureCount;
