#include "tests/support/gl_window.h"

namespace support {
namespace {

LRESULT CALLBACK DefaultProc(HWND window, UINT message, WPARAM wParam,
                             LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

bool GlWindow::Open(const char *className, int width, int height,
                    WNDPROC procedure) {
  WNDCLASSA wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
  wc.lpfnWndProc = procedure != nullptr ? procedure : DefaultProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = className;
  if (!RegisterClassA(&wc))
    return false;
  className_ = className;
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  RECT rect = {0, 0, width, height};
  AdjustWindowRectEx(&rect, style, FALSE, WS_EX_APPWINDOW);
  window_ = CreateWindowExA(WS_EX_APPWINDOW, className, className, style, 0, 0,
                            rect.right - rect.left, rect.bottom - rect.top,
                            nullptr, nullptr, wc.hInstance, nullptr);
  if (window_ == nullptr)
    return false;
  dc_ = GetDC(window_);
  if (dc_ == nullptr)
    return false;
  PIXELFORMATDESCRIPTOR pfd{};
  pfd.nSize = sizeof(pfd);
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cColorBits = 16;
  pfd.cDepthBits = 16;
  pfd.iLayerType = PFD_MAIN_PLANE;
  const int format = ChoosePixelFormat(dc_, &pfd);
  if (format == 0 || !SetPixelFormat(dc_, format, &pfd))
    return false;
  rc_ = wglCreateContext(dc_);
  return rc_ != nullptr && wglMakeCurrent(dc_, rc_);
}

void GlWindow::Close() {
  if (rc_ != nullptr) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(rc_);
  }
  if (dc_ != nullptr)
    ReleaseDC(window_, dc_);
  if (window_ != nullptr)
    DestroyWindow(window_);
  if (className_ != nullptr)
    UnregisterClassA(className_, GetModuleHandleA(nullptr));
  rc_ = nullptr;
  dc_ = nullptr;
  window_ = nullptr;
  className_ = nullptr;
}

} // namespace support
