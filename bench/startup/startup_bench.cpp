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
#include "tests/support/gl_window.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start)
      .count();
}

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
    // The window and context alone, opened and closed as the game does.
    support::GlWindow baseline;
    start = Clock::now();
    if (!baseline.Open("StartupBaseline", 640, 480)) {
      std::printf("startup: the baseline window failed\n");
      return 1;
    }
    glFinish();
    bare.push_back(Ms(start));
    baseline.Close();

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
