// Icon directory, entries and their device-independent bitmaps.
#include "tools/make_textures/ico_file.h"

#include "tools/make_textures/bmp_file.h"

namespace {

constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kInfoHeaderSize = 40;

void Put16(std::vector<std::uint8_t> &out, std::uint32_t v) {
  out.push_back(std::uint8_t(v));
  out.push_back(std::uint8_t(v >> 8));
}

void Put32(std::vector<std::uint8_t> &out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    out.push_back(std::uint8_t(v >> (8 * i)));
}

// The AND mask has one bit a pixel, rows padded to 4 bytes.
std::size_t MaskStride(int width) {
  return ((std::size_t(width) + 31) / 32) * 4;
}

std::size_t ImageSize(const Canvas &canvas) {
  const std::size_t h = std::size_t(canvas.height);
  return kInfoHeaderSize + std::size_t(canvas.width) * h * 4 +
         MaskStride(canvas.width) * h;
}

void PutImage(std::vector<std::uint8_t> &out, const Canvas &canvas) {
  Put32(out, kInfoHeaderSize);
  Put32(out, std::uint32_t(canvas.width));
  // The height counts the colour rows and the mask's together.
  Put32(out, std::uint32_t(canvas.height) * 2);
  Put16(out, 1);  // planes
  Put16(out, 32); // bits per pixel
  Put32(out, 0);  // no compression
  Put32(out, 0);  // image size, may be 0 when uncompressed
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  for (int row = 0; row < canvas.height; ++row) {
    const int y = canvas.height - 1 - row;
    for (int x = 0; x < canvas.width; ++x) {
      const Rgb &c = canvas.at(x, y);
      out.push_back(ToByte(c.b));
      out.push_back(ToByte(c.g));
      out.push_back(ToByte(c.r));
      out.push_back(255);
    }
  }
  out.insert(out.end(), MaskStride(canvas.width) * canvas.height, 0);
}

} // namespace

std::vector<std::uint8_t> EncodeIco(const std::vector<Canvas> &canvases) {
  std::vector<std::uint8_t> out;
  Put16(out, 0);
  Put16(out, 1); // type: icon
  Put16(out, std::uint32_t(canvases.size()));
  std::size_t offset = kDirectorySize + kEntrySize * canvases.size();
  for (const Canvas &canvas : canvases) {
    // 256 is written as 0 in the byte-wide size fields.
    out.push_back(std::uint8_t(canvas.width & 0xff));
    out.push_back(std::uint8_t(canvas.height & 0xff));
    out.push_back(0); // no palette
    out.push_back(0);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, std::uint32_t(ImageSize(canvas)));
    Put32(out, std::uint32_t(offset));
    offset += ImageSize(canvas);
  }
  for (const Canvas &canvas : canvases)
    PutImage(out, canvas);
  return out;
}
