// Mipmapped GL textures from BMP and JPEG files, one slot of the texture
// table per call. A file that does not decode ends the process with status 1:
// the game cannot start without it.
#include "image/texture.h"

#include <cstdlib>

#include "image/dib.h"
#include "image/jpeg.h"
#include "image/texture_slots.h"

namespace {

constexpr int kStartFailed = 1;

// Builds the mipmap chain from tightly packed rows. GL's initial unpack
// alignment of 4 would read past each row, and past the buffer, whenever a
// row is not a multiple of 4 bytes; the caller's alignment is restored.
void UploadMipmaps(GLsizei width, GLsizei height, GLenum format,
                   const unsigned char *pixels) {
  GLint alignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  gluBuild2DMipmaps(GL_TEXTURE_2D, 3, width, height, format, GL_UNSIGNED_BYTE,
                    pixels);
  glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}

// The layout that reads exactly the decoded rows: a greyscale or CMYK JPEG
// read as RGB would run past its buffer.
GLenum JpegFormat(const JpegImageRecord &image) {
  int components = image.width > 0 ? image.stride / image.width : 3;
  if (components == 1)
    return GL_LUMINANCE;
  if (components == 4)
    return GL_RGBA;
  return GL_RGB;
}

} // namespace

void LoadBmpTexture(GLuint *textureTable, const char *fileName, int slot) {
  if (fileName == nullptr)
    return;
  ImageRecord *image = LoadDibImage(fileName);
  if (image == nullptr)
    std::exit(kStartFailed);
  glGenTextures(1, &textureTable[slot]);
  glBindTexture(GL_TEXTURE_2D, textureTable[slot]);
  UploadMipmaps(image->width, image->height, GL_RGB, image->pixels);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                  GL_LINEAR_MIPMAP_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  std::free(image->pixels);
  std::free(image);
}

void LoadJpegTexture(GLuint *textureTable, const char *fileName, int slot) {
  if (fileName == nullptr)
    return;
  JpegImageRecord *image = LoadJpegImage(fileName);
  if (image == nullptr)
    std::exit(kStartFailed);
  glGenTextures(1, &textureTable[slot]);
  glBindTexture(GL_TEXTURE_2D, textureTable[slot]);
  UploadMipmaps(image->width, image->height, JpegFormat(*image), image->pixels);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                  GL_LINEAR_MIPMAP_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  std::free(image->pixels);
  std::free(image);
}

void LoadTextureFiles() {
  for (const TextureFile &file : kTextureFiles) {
    LoadBmpTexture(textureTable, file.fileName, file.slot);
  }
}
