// Start-up time: opening the game window through to the end of InitScene,
// on the scripted platform's headless GL, against the same window and
// context without the scene (the baseline), and split into the texture
// decoding, the uploads and the cube map. Run from the repository root.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/scene_window.h"
#include "image/cube_map.h"
#include "image/dib.h"
#include "image/texture_slots.h"
#include "platform/gl.h"
#include "platform/scripted/scripted.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start)
      .count();
}

LRESULT BareProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

// The window and context alone, opened and closed as the game does.
struct Bare {
  HWND window = nullptr;
  HDC dc = nullptr;
  HGLRC rc = nullptr;

  bool Open() {
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    wc.lpfnWndProc = BareProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "StartupBaseline";
    if (!RegisterClassA(&wc))
      return false;
    window = CreateWindowExA(0, "StartupBaseline", "baseline",
                             WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr,
                             nullptr, wc.hInstance, nullptr);
    if (window == nullptr)
      return false;
    dc = GetDC(window);
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof(pfd);
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.cColorBits = 16;
    pfd.cDepthBits = 16;
    int format = ChoosePixelFormat(dc, &pfd);
    if (format == 0 || !SetPixelFormat(dc, format, &pfd))
      return false;
    rc = wglCreateContext(dc);
    return rc != nullptr && wglMakeCurrent(dc, rc);
  }
  void Close() {
    wglMakeCurrent(nullptr, nullptr);
    if (rc != nullptr)
      wglDeleteContext(rc);
    if (dc != nullptr)
      ReleaseDC(window, dc);
    if (window != nullptr)
      DestroyWindow(window);
    UnregisterClassA("StartupBaseline", GetModuleHandleA(nullptr));
  }
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

} // namespace

int main() {
  for (const TextureFile &texture : kTextureFiles) {
    const char *name = texture.fileName;
    std::FILE *f = std::fopen(name, "rb");
    if (f == nullptr) {
      // InitScene would end the process at the missing file.
      std::printf("startup: %s missing; run from the repository root "
                  "after `make textures`. Skipped.\n",
                  name);
      return 0;
    }
    std::fclose(f);
  }

  const int runs = 7;
  std::vector<double> full, bare, decode, cube;
  for (int run = 0; run < runs; ++run) {
    scripted::Reset();
    Clock::time_point start = Clock::now();
    if (!OpenSceneWindow("TV Lounge", 640, 480, 16, false)) {
      std::printf("startup: OpenSceneWindow failed\n");
      return 1;
    }
    glFinish();
    full.push_back(Ms(start));
    CloseSceneWindow();

    scripted::Reset();
    Bare b;
    start = Clock::now();
    if (!b.Open()) {
      std::printf("startup: the baseline window failed\n");
      return 1;
    }
    glFinish();
    bare.push_back(Ms(start));
    b.Close();

    start = Clock::now();
    for (const TextureFile &texture : kTextureFiles) {
      const char *name = texture.fileName;
      ImageRecord *image = LoadDibImage(name);
      if (image == nullptr)
        return 1;
      std::free(image->pixels);
      std::free(image);
    }
    decode.push_back(Ms(start));

    std::vector<unsigned char> face(kCubeFaceBytes);
    start = Clock::now();
    for (int f = 0; f < 6; ++f)
      FillNormalisationCubeFace(f, face.data());
    cube.push_back(Ms(start));
  }
  scripted::Reset();

  double fullMs = Median(full), bareMs = Median(bare);
  double sceneMs = fullMs - bareMs;
  std::printf("startup: median of %d runs\n", runs);
  std::printf("startup: window + context + InitScene %8.2f ms\n", fullMs);
  std::printf("startup: window + context (baseline)  %8.2f ms\n", bareMs);
  std::printf("startup: ratio to baseline            %8.2f\n", fullMs / bareMs);
  std::printf("startup: scene set-up (difference)    %8.2f ms\n", sceneMs);
  std::printf("startup:   18 textures decoded        %8.2f ms (%.0f%% of it)\n",
              Median(decode), 100.0 * Median(decode) / sceneMs);
  std::printf("startup:   cube-map bytes             %8.2f ms (%.0f%% of it)\n",
              Median(cube), 100.0 * Median(cube) / sceneMs);
  return 0;
}
