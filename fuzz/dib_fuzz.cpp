// libFuzzer entry point for the DIB decoder: any bytes in, and the decoder
// must neither read nor write out of bounds, nor leak what it returns.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "image/dib_decode.h"

// Images the format allows but that take gigabytes (a few bytes of RLE can
// claim 32768 x 32768) are skipped: they would only measure the allocator.
constexpr std::uint64_t kMaxFuzzPixels = 1u << 22;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data,
                                      std::size_t size) {
  DibHeader header;
  if (ParseDibHeader(data, size, &header) == DibFailure::kNone) {
    std::int64_t h = header.height;
    std::uint64_t rows = static_cast<std::uint64_t>(h < 0 ? -h : h);
    std::uint64_t width =
        header.width > 0 ? static_cast<std::uint64_t>(header.width) : 0;
    if (width * rows > kMaxFuzzPixels)
      return 0;
  }
  ImageRecord *image = nullptr;
  if (DecodeDib(data, size, &image) == DibFailure::kNone) {
    // Read every output byte, so that a buffer shorter than the record
    // claims shows under ASan.
    std::size_t bytes = static_cast<std::size_t>(image->width) *
                        static_cast<std::size_t>(image->height) * 3;
    volatile unsigned sum = 0;
    for (std::size_t i = 0; i < bytes; ++i)
      sum = sum + image->pixels[i];
    std::free(image->pixels);
    std::free(image);
  } else if (image != nullptr) {
    std::abort(); // a failure must not hand out a record
  }
  return 0;
}
