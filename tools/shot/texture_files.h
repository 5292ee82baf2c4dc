// The texture files the game loads at start-up, for the programs that check
// they are all there before starting it (the shot tool, the start-up bench).
#pragma once

inline const char *const kGameTextureFiles[] = {
    "data/texture/electricbox_F.bmp", "data/texture/electricbox_B.bmp",
    "data/texture/electricbox_S.bmp", "data/texture/glassblock1.bmp",
    "data/texture/floor.bmp",         "data/texture/lamppost.bmp",
    "data/texture/pillar.bmp",        "data/texture/pillarlight.bmp",
    "data/texture/windowstrip.bmp",   "data/texture/wood.bmp",
    "data/texture/roof.bmp",          "data/texture/electricbox_T.bmp",
    "data/texture/lamppost_T.bmp",    "data/texture/blank.bmp",
    "data/texture/floorLM.bmp",       "data/texture/roofbump.bmp",
    "data/texture/pillarbump.bmp",    "data/texture/gameover.bmp",
};
