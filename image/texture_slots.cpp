// The texture slot table's storage: GL names by slot, all 0 at start.
#include "image/texture_slots.h"

GLuint textureTable[kTextureSlotCount];
