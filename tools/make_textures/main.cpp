// make-textures OUTPUT_DIR: writes the game's texture files into the folder,
// then draws them all a second time and checks the files against it, so a
// picture that is not reproducible byte for byte fails the build step.
// make-textures --icon FILE.png [SIZE]: writes the program's icon, 64 x 64
// unless SIZE says otherwise (the web page's are 192 and 512).
// make-textures --ico FILE.ico: the same icon drawn at 16, 32, 48 and 256
// pixels in one Windows icon file, for the Windows build's resources.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tools/make_textures/bmp_file.h"
#include "tools/make_textures/ico_file.h"
#include "tools/make_textures/textures.h"
#include "tools/shot/png_io.h"

namespace {

constexpr int kIconSize = 64;
constexpr int kLargestIcon = 1024;

int WriteIcon(const char *path, int size) {
  const Canvas canvas = MakeIcon(size);
  RgbImage image;
  image.width = canvas.width;
  image.height = canvas.height;
  for (const Rgb &pixel : canvas.pixels) {
    image.pixels.push_back(ToByte(pixel.r));
    image.pixels.push_back(ToByte(pixel.g));
    image.pixels.push_back(ToByte(pixel.b));
  }
  std::string error;
  if (!WritePng(path, image, &error)) {
    std::fprintf(stderr, "make-textures: %s\n", error.c_str());
    return 1;
  }
  return 0;
}

int WriteIco(const char *path) {
  std::vector<Canvas> canvases;
  for (const int size : {16, 32, 48, 256})
    canvases.push_back(MakeIcon(size));
  if (!WriteFileBytes(path, EncodeIco(canvases))) {
    std::fprintf(stderr, "make-textures: cannot write %s\n", path);
    return 1;
  }
  return 0;
}

} // namespace

int main(int argc, char **argv) {
  if ((argc == 3 || argc == 4) && std::strcmp(argv[1], "--icon") == 0) {
    const int size = argc == 4 ? std::atoi(argv[3]) : kIconSize;
    if (size < 1 || size > kLargestIcon) {
      std::fprintf(stderr, "make-textures: icon size from 1 to %d\n",
                   kLargestIcon);
      return 2;
    }
    return WriteIcon(argv[2], size);
  }
  if (argc == 3 && std::strcmp(argv[1], "--ico") == 0)
    return WriteIco(argv[2]);
  if (argc != 2) {
    std::fprintf(
        stderr,
        "usage: %s OUTPUT_DIR | --icon FILE.png [SIZE] | --ico FILE.ico\n",
        argc > 0 ? argv[0] : "make-textures");
    return 2;
  }
  const std::string folder = argv[1];
  for (std::size_t i = 0; i < kTextureCount; ++i) {
    const std::string path = folder + "/" + kTextureSet[i].FileName();
    const std::vector<std::uint8_t> bytes = EncodeBmp(kTextureSet[i].make());
    if (!WriteFileBytes(path, bytes)) {
      std::fprintf(stderr, "make-textures: cannot write %s\n", path.c_str());
      return 1;
    }
    std::printf("%-20s %7zu bytes\n", kTextureSet[i].FileName(), bytes.size());
  }
  for (std::size_t i = 0; i < kTextureCount; ++i) {
    const std::string path = folder + "/" + kTextureSet[i].FileName();
    std::vector<std::uint8_t> written;
    if (!ReadFileBytes(path, written) ||
        written != EncodeBmp(kTextureSet[i].make())) {
      std::fprintf(stderr, "make-textures: %s is not reproducible\n",
                   path.c_str());
      return 1;
    }
  }
  std::printf("%zu textures written and redrawn identically\n", kTextureCount);
  return 0;
}
