// The table of offered pixel formats and the choice of one for a descriptor:
// at least the asked depth, the nearest colour depth, double buffering as
// asked.
#include "platform/pixel_format.h"

#include <cstdlib>
#include <iterator>

namespace platform {
namespace {

// Every combination a GL driver under SDL can be asked for.
const PixelFormat kFormats[] = {
    {true, 24, 0, 24, 8},  {true, 24, 8, 24, 8},  {true, 24, 0, 16, 0},
    {true, 24, 8, 16, 0},  {true, 24, 0, 0, 0},   {true, 16, 0, 16, 0},
    {false, 24, 0, 24, 8}, {false, 24, 0, 16, 0}, {false, 24, 0, 0, 0},
    {false, 16, 0, 16, 0},
};

} // namespace

int PixelFormatCount() {
  return static_cast<int>(std::size(kFormats));
}

const PixelFormat *PixelFormatAt(int index) {
  if (index < 1 || index > PixelFormatCount())
    return nullptr;
  return &kFormats[index - 1];
}

int ChooseFormat(const PIXELFORMATDESCRIPTOR &wanted) {
  if (wanted.nSize != sizeof(PIXELFORMATDESCRIPTOR) ||
      wanted.iPixelType != PFD_TYPE_RGBA)
    return 0;
  const bool doubleBuffer = (wanted.dwFlags & PFD_DOUBLEBUFFER) != 0;
  int best = 0;
  long bestCost = 0;
  for (int i = 1; i <= PixelFormatCount(); ++i) {
    const PixelFormat &f = *PixelFormatAt(i);
    if (f.doubleBuffer != doubleBuffer || f.depthBits < wanted.cDepthBits ||
        f.alphaBits < wanted.cAlphaBits || f.stencilBits < wanted.cStencilBits)
      continue;
    // Nearest colour depth first, then the least unasked-for depth, alpha
    // and stencil.
    const long cost = 1000L * std::labs(f.colourBits - wanted.cColorBits) +
                      10L * (f.depthBits - wanted.cDepthBits) +
                      (f.alphaBits - wanted.cAlphaBits) +
                      (f.stencilBits - wanted.cStencilBits);
    if (best == 0 || cost < bestCost) {
      best = i;
      bestCost = cost;
    }
  }
  return best;
}

} // namespace platform
