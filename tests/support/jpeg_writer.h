// JPEG files made for a test: rows given top first, as a JPEG stores them,
// each row one flat colour (one byte: grey, three: RGB), written at full
// quality without chroma subsampling, so each 8-row band of one colour
// comes back within a few steps of it.
#pragma once

#include <vector>

namespace support {

using JpegRows = std::vector<std::vector<unsigned char>>;

// False when the file cannot be written.
bool WriteJpeg(const char *path, int width, const JpegRows &rowColours);

} // namespace support
