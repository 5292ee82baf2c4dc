// PNG reading and writing over libpng's simplified API.
#include "tools/shot/png_io.h"

#include <png.h>

#include <cstring>

bool WritePng(const std::string &path, const RgbImage &image,
              std::string *error) {
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() !=
          static_cast<std::size_t>(image.width) * image.height * 3) {
    *error = "picture has no pixels or the wrong number of bytes";
    return false;
  }
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.width);
  png.height = static_cast<png_uint_32>(image.height);
  png.format = PNG_FORMAT_RGB;
  if (!png_image_write_to_file(&png, path.c_str(), 0, image.pixels.data(), 0,
                               nullptr)) {
    *error = "cannot write " + path + ": " + png.message;
    png_image_free(&png);
    return false;
  }
  return true;
}

bool ReadPng(const std::string &path, RgbImage *image, std::string *error) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) {
    *error = "cannot read " + path + ": " + png.message;
    png_image_free(&png);
    return false;
  }
  png.format = PNG_FORMAT_RGB;
  RgbImage result;
  result.width = static_cast<int>(png.width);
  result.height = static_cast<int>(png.height);
  result.pixels.resize(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, result.pixels.data(), 0, nullptr)) {
    *error = "cannot decode " + path + ": " + png.message;
    png_image_free(&png);
    return false;
  }
  *image = std::move(result);
  return true;
}
