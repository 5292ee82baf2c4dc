// Frames per second of the real frame on the headless GL context at
// 640 x 480: (a) DrawScene + swap as the game draws it, (b) the same frame's
// command stream compiled once into a display list and replayed, (c) clear
// + swap only; then the cost of each pass on its own. Every timed frame ends
// with glFinish, so what is counted is finished rendering, not queued work.
#include "app/scene_window.h"
#include "game/game_state.h"
#include "platform/gl.h"
#include "platform/scripted/scripted.h"
#include "render/frame.h"
#include "render/scene_parts.h"
#include "shell/shell_state.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iterator>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Each figure is the median of several short runs, interleaved with the
// figures it is compared with, so that load from other processes on the
// machine falls on all of them alike.
double secondsPerRun = 0.4; // --quick shortens it
int rounds = 7;

void Present() {
  SwapBuffers(deviceContext);
  glFinish();
}

using DrawFunction = std::function<void()>;

// Milliseconds a frame of `draw` over one run.
double TimeRun(const DrawFunction &draw) {
  int frames = 0;
  const Clock::time_point start = Clock::now();
  double elapsed = 0;
  do {
    draw();
    Present();
    ++frames;
    elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  } while (elapsed < secondsPerRun || frames < 5);
  return elapsed * 1000.0 / frames;
}

// The median milliseconds a frame of each drawing, measured in turns.
std::vector<double> Measure(const std::vector<DrawFunction> &draws) {
  for (const DrawFunction &draw : draws) {
    for (int i = 0; i < 5; ++i) {
      draw();
      Present();
    }
  }
  std::vector<std::vector<double>> samples(draws.size());
  for (int r = 0; r < rounds; ++r) {
    for (std::size_t i = 0; i < draws.size(); ++i) {
      samples[i].push_back(TimeRun(draws[i]));
    }
  }
  std::vector<double> medians;
  for (std::vector<double> &s : samples) {
    std::sort(s.begin(), s.end());
    medians.push_back(s[s.size() / 2]);
  }
  return medians;
}

void ClearOnly() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

struct PassCost {
  const char *name;
  void (*draw)();
};

void Roof() {
  DrawRoof();
  if (bumpMappingOn) {
    DrawRoofBumpPass();
  }
}
void Walls() {
  DrawGlassWalls();
  DrawWindowStrips();
}
void Floor() {
  DrawMarkerUnderPlayer();
  DrawFloor();
}
void Props() {
  DrawWoodenBlocks();
  DrawElectricBox();
  DrawLampPosts();
}
void Pillars() {
  DrawPillars();
  if (bumpMappingOn) {
    DrawPillarBumpPass();
  }
  DrawPillarLamps();
}
void Balls() {
  glDisable(GL_TEXTURE_2D);
  DrawBalls();
  ResetMaterial();
}

const PassCost kPasses[] = {
    {"roof", Roof},   {"walls+strips", Walls},    {"marker+floor", Floor},
    {"props", Props}, {"pillars+lamps", Pillars}, {"balls", Balls}};

// Ten balls inside the view from the start placement, so their cost counts.
void PlaceBallsInView() {
  for (int i = kFirstBallEntry; i < kFirstBallEntry + kBallCount; ++i) {
    ballCollected[i] = false;
    ballOffsetX[i] = -5.0f;
    ballOffsetZ[i] = static_cast<float>(i - 17);
  }
}

void Report(const char *what, double ms) {
  std::printf("  %-34s %8.2f ms  %8.1f fps\n", what, ms, 1000.0 / ms);
}

void MeasureScene(const char *title) {
  std::printf("%s\n", title);
  // The same frame compiled once: GLU's tessellation and our calls are paid
  // at compile time, the GL's own work at every replay.
  const GLuint list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  DrawScene();
  glEndList();

  const std::vector<double> ms =
      Measure({[] { DrawScene(); }, [list] { glCallList(list); }, ClearOnly});
  glDeleteLists(list, 1);
  const double frameMs = ms[0], listMs = ms[1], clearMs = ms[2];

  Report("(a) DrawScene + swap", frameMs);
  Report("(b) display list replay + swap", listMs);
  Report("(c) clear + swap", clearMs);
  std::printf("  (a)/(b) = %.3f (target <= 1.10: %s)   (a) >= 60 fps: %s\n",
              frameMs / listMs, frameMs / listMs <= 1.10 ? "met" : "missed",
              frameMs <= 1000.0 / 60.0 ? "met" : "missed");

  // Each pass alone after the frame's opening, as drawn and as replayed
  // from a list, so that where the frame's own overhead lies shows.
  std::vector<GLuint> lists;
  std::vector<DrawFunction> draws = {BeginFrame};
  for (const PassCost &pass : kPasses) {
    const GLuint passList = glGenLists(1);
    glNewList(passList, GL_COMPILE);
    BeginFrame();
    pass.draw();
    glEndList();
    lists.push_back(passList);
    draws.push_back([&pass] {
      BeginFrame();
      pass.draw();
    });
    draws.push_back([passList] { glCallList(passList); });
  }
  const std::vector<double> passMs = Measure(draws);
  for (GLuint l : lists) {
    glDeleteLists(l, 1);
  }
  std::printf("  each pass alone, over clear + view + lights + swap "
              "(%.2f ms):\n",
              passMs[0]);
  std::printf("    %-16s %9s %9s %7s\n", "pass", "drawn", "replayed", "ratio");
  double sum = 0;
  for (std::size_t i = 0; i < std::size(kPasses); ++i) {
    const double drawn = passMs[1 + 2 * i] - passMs[0];
    const double replayed = passMs[2 + 2 * i] - passMs[0];
    std::printf("    %-16s %6.2f ms %6.2f ms %7.2f\n", kPasses[i].name, drawn,
                replayed, drawn / replayed);
    sum += drawn;
  }
  std::printf("    %-16s %6.2f ms (whole frame over clear: %.2f ms)\n", "sum",
              sum, frameMs - clearMs);
}

} // namespace

int main(int argc, char **argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--quick") == 0) {
      secondsPerRun = 0.1;
      rounds = 3;
    } else {
      std::fprintf(stderr, "usage: frame-bench [--quick]\n");
      return 2;
    }
  }
  scripted::Reset();
  FixResetSeed(1);
  if (!OpenSceneWindow("frame bench", 640, 480, 16, false)) {
    std::fprintf(stderr, "frame-bench: the GL window did not open\n");
    return 1;
  }
  std::printf("frame bench, 640 x 480, %s, %s\n",
              reinterpret_cast<const char *>(glGetString(GL_RENDERER)),
              reinterpret_cast<const char *>(glGetString(GL_VERSION)));
  PlaceBallsInView();

  bumpMappingOn = false;
  MeasureScene("start view, bump mapping off, ten balls in view");
  bumpMappingOn = true;
  MeasureScene("start view, bump mapping on, ten balls in view");

  CloseSceneWindow();
  scripted::Reset();
  return 0;
}
