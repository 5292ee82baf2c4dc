#include "tests/support/jpeg_writer.h"

#include <cstdio>

#include <jpeglib.h>

namespace support {

bool WriteJpeg(const char *path, int width, const JpegRows &rowColours) {
  if (rowColours.empty())
    return false;
  const int components = static_cast<int>(rowColours[0].size());
  std::FILE *file = std::fopen(path, "wb");
  if (file == nullptr)
    return false;
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(rowColours.size());
  info.input_components = components;
  info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  for (int c = 0; c < info.num_components; ++c) {
    info.comp_info[c].h_samp_factor = 1;
    info.comp_info[c].v_samp_factor = 1;
  }
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(static_cast<std::size_t>(width) * components);
  for (const std::vector<unsigned char> &colour : rowColours) {
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < components; ++c)
        row[static_cast<std::size_t>(x) * components + c] = colour[c];
    JSAMPROW pointer = row.data();
    jpeg_write_scanlines(&info, &pointer, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return std::fclose(file) == 0;
}

} // namespace support
