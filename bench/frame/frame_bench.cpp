// Frames per second of the real frame on the headless GL context at
// 640 x 480: (a) DrawScene + swap as the game draws it, (b) the same frame's
// command stream compiled once into a display list and replayed, (c) clear
// + swap only; then the cost of each pass on its own. Every timed frame ends
// with glFinish, so what is counted is finished rendering, not queued work.
#include "app/scene_window.h"
#include "app/shell_state.h"
#include "camera/camera.h"
#include "game/game_state.h"
#include "platform/gl.h"
#include "platform/scripted/scripted.h"
#include "render/frame.h"
#include "render/scene_parts.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using Clock = std::chrono::steady_clock;

double secondsPerRun = 2.0; // per measurement; --quick shortens it

void Present() {
  SwapBuffers(deviceContext);
  glFinish();
}

// Milliseconds a frame of `draw`, after a few untimed frames.
template <typename Draw> double MillisecondsPerFrame(Draw draw) {
  for (int i = 0; i < 5; ++i) {
    draw();
    Present();
  }
  int frames = 0;
  const Clock::time_point start = Clock::now();
  double elapsed = 0;
  do {
    draw();
    Present();
    ++frames;
    elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  } while (elapsed < secondsPerRun || frames < 10);
  return elapsed * 1000.0 / frames;
}

void ClearOnly() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// The frame's opening (clear, view, lights) before a single pass.
void OpenFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  gluLookAt(camera.position.x, camera.position.y, camera.position.z,
            camera.viewPoint.x, camera.viewPoint.y, camera.viewPoint.z,
            camera.upVector.x, camera.upVector.y, camera.upVector.z);
  SetLights();
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
  const double clearMs = MillisecondsPerFrame(ClearOnly);
  const double frameMs = MillisecondsPerFrame([] { DrawScene(); });

  // The same frame compiled once: GLU's tessellation and our calls are paid
  // at compile time, the GL's own work at every replay.
  const GLuint list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  DrawScene();
  glEndList();
  const double listMs = MillisecondsPerFrame([list] { glCallList(list); });
  glDeleteLists(list, 1);

  Report("(a) DrawScene + swap", frameMs);
  Report("(b) display list replay + swap", listMs);
  Report("(c) clear + swap", clearMs);
  std::printf("  (a)/(b) = %.3f   (a)/(c) = %.2f   (a) target >= 60 fps: %s\n",
              frameMs / listMs, frameMs / clearMs,
              frameMs <= 1000.0 / 60.0 ? "met" : "missed");

  const double openMs = MillisecondsPerFrame(OpenFrame);
  std::printf("  per pass, over clear + view + lights + swap (%.2f ms):\n",
              openMs);
  double sum = 0;
  for (const PassCost &pass : kPasses) {
    const double ms = MillisecondsPerFrame([&pass] {
      OpenFrame();
      pass.draw();
    });
    std::printf("    %-16s %7.2f ms\n", pass.name, ms - openMs);
    sum += ms - openMs;
  }
  std::printf("    %-16s %7.2f ms (frame over clear: %.2f ms)\n", "sum", sum,
              frameMs - clearMs);
}

} // namespace

int main(int argc, char **argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--quick") == 0) {
      secondsPerRun = 0.3;
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
