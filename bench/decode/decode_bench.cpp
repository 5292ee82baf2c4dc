// Decodes the same BMP files with our DIB decoder, stb_image and SDL's
// SDL_LoadBMP, all from memory and in one run, and prints the ratios.
// Reads data/texture/*.bmp (or the directory given); without files it makes
// a few 256 x 256 24-bit ones so the comparison still runs.
#include <SDL.h>
#include <stb/stb_image.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <string>
#include <vector>

#include "image/dib_decode.h"

namespace {

using Bytes = std::vector<unsigned char>;
using Clock = std::chrono::steady_clock;

struct File {
  std::string name;
  Bytes bytes;
};

bool ReadFile(const std::string &path, Bytes *out) {
  std::FILE *f = std::fopen(path.c_str(), "rb");
  if (f == nullptr)
    return false;
  unsigned char chunk[65536];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof(chunk), f)) > 0)
    out->insert(out->end(), chunk, chunk + n);
  std::fclose(f);
  return true;
}

std::vector<File> ReadBmpFiles(const std::string &dir) {
  std::vector<File> files;
  DIR *d = opendir(dir.c_str());
  if (d == nullptr)
    return files;
  while (dirent *e = readdir(d)) {
    std::string name = e->d_name;
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".bmp") == 0) {
      File file{name, {}};
      if (ReadFile(dir + "/" + name, &file.bytes))
        files.push_back(file);
    }
  }
  closedir(d);
  std::sort(files.begin(), files.end(),
            [](const File &a, const File &b) { return a.name < b.name; });
  return files;
}

void Put32(Bytes *b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    (*b)[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

File MakeFile(int seed) {
  const int side = 256;
  Bytes b(54 + side * side * 3, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(&b, 2, static_cast<std::uint32_t>(b.size()));
  Put32(&b, 10, 54);
  Put32(&b, 14, 40);
  Put32(&b, 18, side);
  Put32(&b, 22, side);
  b[26] = 1;
  b[28] = 24;
  unsigned state = 12345u + static_cast<unsigned>(seed);
  for (std::size_t i = 54; i < b.size(); ++i) {
    state = state * 1103515245u + 12345u;
    b[i] = static_cast<unsigned char>(state >> 16);
  }
  return File{"generated" + std::to_string(seed) + ".bmp", b};
}

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

// One decode of every file; returns false if any decode failed.
bool DecodeOurs(const std::vector<File> &files) {
  for (const File &f : files) {
    ImageRecord *image = nullptr;
    if (DecodeDib(f.bytes.data(), f.bytes.size(), &image) != DibFailure::kNone)
      return false;
    std::free(image->pixels);
    std::free(image);
  }
  return true;
}

bool DecodeStb(const std::vector<File> &files) {
  for (const File &f : files) {
    int w, h, c;
    unsigned char *p = stbi_load_from_memory(
        f.bytes.data(), static_cast<int>(f.bytes.size()), &w, &h, &c, 3);
    if (p == nullptr)
      return false;
    stbi_image_free(p);
  }
  return true;
}

bool DecodeSdl(const std::vector<File> &files) {
  for (const File &f : files) {
    SDL_Surface *s = SDL_LoadBMP_RW(
        SDL_RWFromConstMem(f.bytes.data(), static_cast<int>(f.bytes.size())),
        1);
    if (s == nullptr)
      return false;
    SDL_FreeSurface(s);
  }
  return true;
}

// Our pixels against stb's, which come top row first.
bool SamePixels(const File &f) {
  ImageRecord *ours = nullptr;
  if (DecodeDib(f.bytes.data(), f.bytes.size(), &ours) != DibFailure::kNone)
    return false;
  int w, h, c;
  unsigned char *theirs = stbi_load_from_memory(
      f.bytes.data(), static_cast<int>(f.bytes.size()), &w, &h, &c, 3);
  bool same = theirs != nullptr && w == ours->width && h == ours->height;
  for (int y = 0; same && y < h; ++y)
    same = std::memcmp(ours->pixels + static_cast<std::size_t>(y) * w * 3,
                       theirs + static_cast<std::size_t>(h - 1 - y) * w * 3,
                       static_cast<std::size_t>(w) * 3) == 0;
  stbi_image_free(theirs);
  std::free(ours->pixels);
  std::free(ours);
  return same;
}

} // namespace

int main(int argc, char **argv) {
  std::string dir = argc > 1 ? argv[1] : "data/texture";
  std::vector<File> files = ReadBmpFiles(dir);
  if (files.empty()) {
    std::printf("decode: no BMP files in %s; using 4 generated 256x256 "
                "24-bit files\n",
                dir.c_str());
    for (int i = 0; i < 4; ++i)
      files.push_back(MakeFile(i));
  }
  std::size_t bytes = 0;
  for (const File &f : files) {
    bytes += f.bytes.size();
    if (!SamePixels(f))
      std::printf("decode: %s: our pixels differ from stb_image's\n",
                  f.name.c_str());
  }

  struct Decoder {
    const char *name;
    bool (*run)(const std::vector<File> &);
    double best;
  } decoders[] = {{"ours", DecodeOurs, 1e9},
                  {"stb_image", DecodeStb, 1e9},
                  {"SDL_LoadBMP", DecodeSdl, 1e9}};
  // Rounds interleave the decoders so that all see the same machine load;
  // the best round of each is compared.
  const int rounds = 15;
  for (int round = 0; round < rounds; ++round) {
    for (Decoder &d : decoders) {
      Clock::time_point start = Clock::now();
      if (!d.run(files)) {
        std::printf("decode: %s failed on a file\n", d.name);
        return 1;
      }
      d.best = std::min(d.best, Seconds(Clock::now() - start));
    }
  }

  std::printf("decode: %zu files, %.1f MB, best of %d rounds\n", files.size(),
              bytes / 1e6, rounds);
  for (const Decoder &d : decoders)
    std::printf("decode: %-12s %8.3f ms  %7.1f MB/s\n", d.name, d.best * 1e3,
                bytes / 1e6 / d.best);
  double faster = std::min(decoders[1].best, decoders[2].best);
  std::printf("decode: ours / stb_image   = %.2f (time ratio, < 1 is faster)\n",
              decoders[0].best / decoders[1].best);
  std::printf("decode: ours / SDL_LoadBMP = %.2f\n",
              decoders[0].best / decoders[2].best);
  std::printf("decode: ours / faster of the two = %.2f %s\n",
              decoders[0].best / faster,
              decoders[0].best <= faster ? "(target met)" : "(target missed)");
  return 0;
}
