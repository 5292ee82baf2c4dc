// The pixel formats the platform layers offer, and how a descriptor picks one.
// Formats are numbered from 1 as ChoosePixelFormat numbers them.
#pragma once

#include "platform/win32.h"

namespace platform {

struct PixelFormat {
  bool doubleBuffer;
  int colourBits; // red + green + blue
  int alphaBits;
  int depthBits;
  int stencilBits;
};

inline bool SameFormat(const PixelFormat &a, const PixelFormat &b) {
  return a.doubleBuffer == b.doubleBuffer && a.colourBits == b.colourBits &&
         a.alphaBits == b.alphaBits && a.depthBits == b.depthBits &&
         a.stencilBits == b.stencilBits;
}

int PixelFormatCount();
// The format with the 1-based index, or null when there is none.
const PixelFormat *PixelFormatAt(int index);
// The 1-based index of the best offered format for the descriptor, 0 when the
// descriptor is malformed or asks for something no format has (colour-index
// pixels, a size other than 40).
int ChooseFormat(const PIXELFORMATDESCRIPTOR &wanted);

} // namespace platform
