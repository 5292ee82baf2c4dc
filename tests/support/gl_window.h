// A window with a current GL context, opened as the game opens its own
// (class, window, device context, pixel format, rendering context) and
// closed in reverse: for the tests, the benches and the Windows probe. On
// Windows the real API, elsewhere whichever face the program links.
#pragma once

#include "platform/win32.h"

namespace support {

class GlWindow {
public:
  GlWindow() = default;
  GlWindow(const GlWindow &) = delete;
  GlWindow &operator=(const GlWindow &) = delete;
  ~GlWindow() { Close(); }

  // A framed window of the class (registered here with the procedure, or
  // DefWindowProcA) whose client area is width x height; false as soon as
  // a step fails, leaving what was made for Close.
  bool Open(const char *className, int width, int height,
            WNDPROC procedure = nullptr);
  void Close();

  HWND Window() const { return window_; }
  HDC Dc() const { return dc_; }

private:
  const char *className_ = nullptr;
  HWND window_ = nullptr;
  HDC dc_ = nullptr;
  HGLRC rc_ = nullptr;
};

} // namespace support
