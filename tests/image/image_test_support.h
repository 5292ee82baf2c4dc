// Shared pieces of the image tests that touch files or GL: a temporary
// directory, file writing, and a real GL context opened through the
// scripted platform layer the way the game opens its own.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/gl.h"
#include "platform/scripted/scripted.h"

namespace image_test {

class TempDir {
public:
  TempDir() {
    char pattern[] = "/tmp/tvl-image-XXXXXX";
    char *made = mkdtemp(pattern);
    EXPECT_NE(made, nullptr);
    path_ = made ? made : "/tmp";
  }
  ~TempDir() {
    std::string command = "rm -rf '" + path_ + "'";
    if (std::system(command.c_str()) != 0)
      ADD_FAILURE() << "could not remove " << path_;
  }
  std::string File(const std::string &name) const { return path_ + "/" + name; }

private:
  std::string path_;
};

inline void WriteFile(const std::string &path,
                      const std::vector<unsigned char> &bytes) {
  std::FILE *f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr) << path;
  if (!bytes.empty()) {
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
  }
  std::fclose(f);
}

inline LRESULT TestWindowProc(HWND window, UINT message, WPARAM wParam,
                              LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

// A window with a current rendering context, torn down in reverse.
class GlContext {
public:
  bool Open() {
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    wc.lpfnWndProc = TestWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ImageTest";
    if (!RegisterClassA(&wc))
      return false;
    window_ =
        CreateWindowExA(0, "ImageTest", "image test", WS_OVERLAPPEDWINDOW, 0, 0,
                        64, 64, nullptr, nullptr, wc.hInstance, nullptr);
    if (window_ == nullptr)
      return false;
    dc_ = GetDC(window_);
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof(pfd);
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 16;
    pfd.cDepthBits = 16;
    pfd.iLayerType = PFD_MAIN_PLANE;
    int format = ChoosePixelFormat(dc_, &pfd);
    if (format == 0 || !SetPixelFormat(dc_, format, &pfd))
      return false;
    rc_ = wglCreateContext(dc_);
    return rc_ != nullptr && wglMakeCurrent(dc_, rc_);
  }
  HWND Window() const { return window_; }
  ~GlContext() {
    if (rc_ != nullptr) {
      wglMakeCurrent(nullptr, nullptr);
      wglDeleteContext(rc_);
    }
    if (dc_ != nullptr)
      ReleaseDC(window_, dc_);
    if (window_ != nullptr)
      DestroyWindow(window_);
    UnregisterClassA("ImageTest", GetModuleHandleA(nullptr));
  }

private:
  HWND window_ = nullptr;
  HDC dc_ = nullptr;
  HGLRC rc_ = nullptr;
};

} // namespace image_test
