// The frame a window style puts around the client area, in pixels. Both
// AdjustWindowRectEx and CreateWindowExA use it, so a rectangle grown by the
// one shrinks back to the same client size in the other.
#pragma once

#include "platform/win32.h"

namespace platform {

struct FrameInsets {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};

// Sizes of a current desktop with default metrics: a sizing border of 8, a
// fixed border of 3, a caption of 23, a menu bar of 20. A pop-up has none.
inline FrameInsets FrameFor(DWORD style, bool menu) {
  LONG border = 0;
  if (style & WS_THICKFRAME) {
    border = 8;
  } else if (style & WS_CAPTION) {
    border = 3;
  }
  LONG caption = (style & WS_CAPTION) == WS_CAPTION ? 23 : 0;
  if (menu) {
    caption += 20;
  }
  return {border, border + caption, border, border};
}

// AdjustWindowRectEx: a client rectangle grown to the window's outer one.
inline void AddFrame(RECT *rect, const FrameInsets &frame) {
  rect->left -= frame.left;
  rect->top -= frame.top;
  rect->right += frame.right;
  rect->bottom += frame.bottom;
}

} // namespace platform
