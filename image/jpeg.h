// JPEG loading over libjpeg: a file decoded into rows, bottom row first.
#pragma once

#include <cstdint>

struct JpegImageRecord {
  std::int32_t stride; // bytes per row: width x components
  std::int32_t width;
  std::int32_t height;
  unsigned char *pixels; // stride x height bytes, row 0 the bottom row
};

struct jpeg_decompress_struct;

// Null, after the message "Error loading jpg file.", when the file cannot be
// opened or decoded. Record and pixels are malloc'd; the caller frees pixels,
// then the record.
JpegImageRecord *LoadJpegImage(const char *fileName);

// Fills the record from a decompressor with its source attached. False when
// the pixel buffer cannot be allocated; decoding errors go to the
// decompressor's error manager.
bool DecodeJpegImage(jpeg_decompress_struct *decompressor,
                     JpegImageRecord *record);
