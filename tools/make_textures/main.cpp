// make-textures OUTPUT_DIR: writes the game's texture files into the folder,
// then draws them all a second time and checks the files against it, so a
// picture that is not reproducible byte for byte fails the build step.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/make_textures/bmp_file.h"
#include "tools/make_textures/textures.h"

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR\n",
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
