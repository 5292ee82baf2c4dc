// 24-bit BMP encoding and whole-file reads and writes.
#include "tools/make_textures/bmp_file.h"

#include <cmath>
#include <cstdio>

namespace {

void Put16(std::vector<std::uint8_t> &out, std::size_t at, std::uint32_t v) {
  out[at] = std::uint8_t(v);
  out[at + 1] = std::uint8_t(v >> 8);
}

void Put32(std::vector<std::uint8_t> &out, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    out[at + i] = std::uint8_t(v >> (8 * i));
}

} // namespace

std::uint8_t ToByte(float v) {
  const float scaled = std::floor(v * 255.0f + 0.5f);
  if (!(scaled > 0.0f))
    return 0;
  return scaled >= 255.0f ? 255 : std::uint8_t(scaled);
}

std::vector<std::uint8_t> EncodeBmp(const Canvas &canvas) {
  const std::size_t stride =
      (std::size_t(canvas.width) * 3 + 3) & ~std::size_t(3);
  const std::size_t imageSize = stride * std::size_t(canvas.height);
  std::vector<std::uint8_t> out(54 + imageSize, 0);
  out[0] = 'B';
  out[1] = 'M';
  Put32(out, 2, std::uint32_t(out.size()));
  Put32(out, 10, 54);
  Put32(out, 14, 40);
  Put32(out, 18, std::uint32_t(canvas.width));
  Put32(out, 22, std::uint32_t(canvas.height));
  Put16(out, 26, 1);
  Put16(out, 28, 24);
  Put32(out, 30, 0); // no compression
  Put32(out, 34, std::uint32_t(imageSize));
  Put32(out, 38, 2835); // 72 dpi, informational only
  Put32(out, 42, 2835);
  for (int row = 0; row < canvas.height; ++row) {
    // The file's first row is the bottom of the picture; the canvas keeps
    // the top first.
    const int y = canvas.height - 1 - row;
    std::uint8_t *dst = out.data() + 54 + stride * std::size_t(row);
    for (int x = 0; x < canvas.width; ++x) {
      const Rgb &c = canvas.at(x, y);
      dst[3 * x] = ToByte(c.b);
      dst[3 * x + 1] = ToByte(c.g);
      dst[3 * x + 2] = ToByte(c.r);
    }
  }
  return out;
}

bool WriteFileBytes(const std::string &path,
                    const std::vector<std::uint8_t> &bytes) {
  std::FILE *file = std::fopen(path.c_str(), "wb");
  if (!file)
    return false;
  const bool written =
      std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

bool ReadFileBytes(const std::string &path, std::vector<std::uint8_t> &bytes) {
  bytes.clear();
  std::FILE *file = std::fopen(path.c_str(), "rb");
  if (!file)
    return false;
  std::uint8_t buffer[65536];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
    bytes.insert(bytes.end(), buffer, buffer + got);
  const bool ok = !std::ferror(file);
  std::fclose(file);
  return ok;
}
