// Shared pieces of the image tests that touch files or GL: a temporary
// directory, file and JPEG writing, and a real GL context opened through the
// scripted platform layer the way the game opens its own.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

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

// Rows are given top first, as a JPEG stores them; each row one flat
// colour (or grey level) so that compression keeps it close.
inline void
WriteJpeg(const std::string &path, int width,
          const std::vector<std::vector<unsigned char>> &rowColours) {
  const int components = static_cast<int>(rowColours[0].size());
  std::FILE *file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(rowColours.size());
  info.input_components = components;
  info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  // No chroma subsampling: each 8-row band of one colour stays that colour.
  for (int c = 0; c < info.num_components; ++c) {
    info.comp_info[c].h_samp_factor = 1;
    info.comp_info[c].v_samp_factor = 1;
  }
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(static_cast<std::size_t>(width) * components);
  for (const auto &colour : rowColours) {
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < components; ++c)
        row[static_cast<std::size_t>(x) * components + c] = colour[c];
    JSAMPROW pointer = row.data();
    jpeg_write_scanlines(&info, &pointer, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::fclose(file);
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
