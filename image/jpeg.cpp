// JPEG loading over libjpeg's 6b interface. A fatal decoding error does not
// end the process: the error manager jumps back to ReadJpegFile, which
// releases the decompressor, and the caller reports the failure.
#include "image/jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

#include "platform/win32.h"
#include "shell/shell_state.h"

namespace {

struct JpegErrorManager {
  jpeg_error_mgr standard; // first, so libjpeg's pointer is ours too
  std::jmp_buf jump;
};

[[noreturn]] void JumpOnError(j_common_ptr info) {
  // Keep the library's own message on standard error, as its default does.
  (*info->err->output_message)(info);
  std::longjmp(reinterpret_cast<JpegErrorManager *>(info->err)->jump, 1);
}

// Holds the setjmp. Nothing between here and the libjpeg calls that may
// jump has a destructor, so the jump skips no clean-up; the pixel buffer
// already hangs off the record, which the caller frees.
bool ReadJpegFile(std::FILE *file, JpegImageRecord *record) {
  jpeg_decompress_struct info;
  JpegErrorManager errors;
  std::memset(&info, 0, sizeof(info));
  info.err = jpeg_std_error(&errors.standard);
  errors.standard.error_exit = JumpOnError;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, file);
  bool decoded = DecodeJpegImage(&info, record);
  jpeg_destroy_decompress(&info);
  return decoded;
}

void ShowLoadError() {
  MessageBoxA(windowHandle, "Error loading jpg file.", "ERROR", MB_OK);
}

} // namespace

bool DecodeJpegImage(jpeg_decompress_struct *decompressor,
                     JpegImageRecord *record) {
  jpeg_read_header(decompressor, TRUE);
  jpeg_start_decompress(decompressor);

  // What the scanlines deliver: with the default output settings the same
  // component count as the file's.
  const std::size_t stride =
      static_cast<std::size_t>(decompressor->output_width) *
      static_cast<std::size_t>(decompressor->output_components);
  const JDIMENSION height = decompressor->output_height;
  record->stride = static_cast<std::int32_t>(stride);
  record->width = static_cast<std::int32_t>(decompressor->output_width);
  record->height = static_cast<std::int32_t>(height);
  record->pixels = static_cast<unsigned char *>(std::malloc(stride * height));
  if (record->pixels == nullptr)
    return false;

  // Entry k is where scanline k goes: the first scanline read is the top of
  // the picture and lands in the last row. The table lives in libjpeg's
  // image pool, so an error jump cannot leak it.
  JSAMPARRAY rows = static_cast<JSAMPARRAY>((*decompressor->mem->alloc_small)(
      reinterpret_cast<j_common_ptr>(decompressor), JPOOL_IMAGE,
      sizeof(JSAMPROW) * height));
  for (JDIMENSION k = 0; k < height; ++k)
    rows[k] = record->pixels + (height - 1 - k) * stride;
  while (decompressor->output_scanline < height) {
    JDIMENSION next = decompressor->output_scanline;
    if (jpeg_read_scanlines(decompressor, rows + next, height - next) == 0)
      break;
  }
  jpeg_finish_decompress(decompressor);
  return true;
}

JpegImageRecord *LoadJpegImage(const char *fileName) {
  std::FILE *file = fileName ? std::fopen(fileName, "rb") : nullptr;
  if (file == nullptr) {
    ShowLoadError();
    return nullptr;
  }
  JpegImageRecord *record =
      static_cast<JpegImageRecord *>(std::calloc(1, sizeof(JpegImageRecord)));
  bool decoded = record != nullptr && ReadJpegFile(file, record);
  std::fclose(file);
  if (!decoded) {
    if (record != nullptr)
      std::free(record->pixels);
    std::free(record);
    ShowLoadError();
    return nullptr;
  }
  return record;
}
