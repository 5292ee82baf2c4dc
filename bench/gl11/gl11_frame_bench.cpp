// The frame drawn through the shader subset (gl11/) against the same frame
// on the system's fixed-function GL. The program is built once per GL; the
// subset's build runs the other as a child in turns with its own runs, so
// load from elsewhere falls on both alike, and prints the ratio. Each frame
// is the start view at 640 x 480, ten balls in view, bump mapping on, and
// ends with a one-pixel read, which waits for the frame to be drawn.
#include "app/scene_window.h"
#include "camera/camera.h"
#include "game/game_state.h"
#include "platform/gl.h"
#include "platform/scripted/scripted.h"
#include "render/frame.h"
#include "shell/shell_state.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kSecondsPerRun = 0.3;
constexpr int kRounds = 9;

void Frame() {
  DrawScene();
  SwapBuffers(deviceContext);
  unsigned char pixel[3];
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, pixel);
}

// Milliseconds a frame, over one run after a few unmeasured frames.
double TimeRun() {
  for (int i = 0; i < 5; ++i) {
    Frame();
  }
  int frames = 0;
  const Clock::time_point start = Clock::now();
  double elapsed = 0;
  do {
    Frame();
    ++frames;
    elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  } while (elapsed < kSecondsPerRun);
  return elapsed * 1000.0 / frames;
}

bool OpenScene() {
  scripted::Reset();
  FixResetSeed(1);
  if (!OpenSceneWindow("subset bench", 640, 480, 16, false)) {
    std::fprintf(stderr, "subset bench: the GL window did not open\n");
    return false;
  }
  for (int i = kFirstBallEntry; i < kFirstBallEntry + kBallCount; ++i) {
    ballOffsetX[i] = -5.0f;
    ballOffsetZ[i] = static_cast<float>(i - 17);
  }
  bumpMappingOn = true;
  return true;
}

#if defined(TVL_GL11)
double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// One run of the fixed-function build, in its own process.
double FixedRun() {
  FILE *child = popen(TVL_FIXED_BENCH " --one-run", "r");
  double ms = 0;
  if (child == nullptr || std::fscanf(child, "%lf", &ms) != 1) {
    ms = 0;
  }
  if (child != nullptr) {
    pclose(child);
  }
  return ms;
}
#endif

} // namespace

int main(int argc, char **argv) {
  const bool oneRun = argc > 1 && std::strcmp(argv[1], "--one-run") == 0;
  if (!OpenScene()) {
    return 1;
  }
#if defined(TVL_GL11)
  // The ratio is taken per round, each subset run beside the fixed run
  // just before it, so a change of load between rounds cancels out.
  std::vector<double> fixed, subset, ratios;
  for (int r = 0; r < kRounds && !oneRun; ++r) {
    fixed.push_back(FixedRun());
    subset.push_back(TimeRun());
    ratios.push_back(fixed.back() > 0 ? subset.back() / fixed.back() : 0);
  }
  if (oneRun || Median(fixed) <= 0) {
    std::printf("%s\n", oneRun ? "--one-run is the fixed build's"
                               : "subset bench: the fixed build did not run");
    return 1;
  }
  const double f = Median(fixed), s = Median(subset);
  std::printf("frame at 640 x 480, bump mapping on, ten balls in view\n");
  std::printf("  fixed-function GL     %7.2f ms  %7.1f fps\n", f, 1000 / f);
  std::printf("  shader subset (gl11)  %7.2f ms  %7.1f fps\n", s, 1000 / s);
  const double ratio = Median(ratios);
  std::printf("  subset / fixed = %.3f, median of %d rounds (target <= 1.0: "
              "%s)\n",
              ratio, kRounds, ratio <= 1.0 ? "met" : "missed");
#else
  const double ms = TimeRun();
  std::printf(oneRun ? "%.4f\n" : "fixed-function frame: %.2f ms\n", ms);
#endif
  CloseSceneWindow();
  scripted::Reset();
  return 0;
}
