// Encoding of canvases as one Windows icon file (.ico), the form the Windows
// build's resource compiler takes the program's icon in.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/make_textures/canvas.h"

// One entry per canvas (square, 1 to 256 pixels a side), each an
// uncompressed 32-bit DIB: opaque BGRA rows bottom first, then an all-clear
// AND mask, the form every Windows version reads.
std::vector<std::uint8_t> EncodeIco(const std::vector<Canvas> &canvases);
