// RGB pictures as PNG files: what the snapshot tool writes and what the
// picture tests read back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Rows top first, three bytes a pixel, no padding.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;

  const std::uint8_t *At(int x, int y) const {
    return &pixels[(static_cast<std::size_t>(y) * width + x) * 3];
  }
};

bool WritePng(const std::string &path, const RgbImage &image,
              std::string *error);
// Any 8-bit PNG; grey, palette and alpha are converted to plain RGB.
bool ReadPng(const std::string &path, RgbImage *image, std::string *error);
