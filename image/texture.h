// Mipmapped GL textures from image files, stored into the slot table.
#pragma once

#include "platform/gl.h"

// A null name returns at once; a file that does not decode ends the process
// with status 0. The new texture stays bound to GL_TEXTURE_2D.
void LoadBmpTexture(GLuint *textureTable, const char *fileName, int slot);
void LoadJpegTexture(GLuint *textureTable, const char *fileName, int slot);

// Fills the slot table from the texture files, in slot order.
void LoadTextureFiles();
