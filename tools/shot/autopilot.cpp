// tvlounge-autopilot: finds a key script that collects all ten balls of a
// seed's layout, for the game-over pictures. It plays the real game step on
// the real scene (one frame fills the boxes; a collected ball's box is then
// emptied as the next frame would), steering pass by pass: turn towards the
// nearest ball, walk, back off and sidestep when an obstacle blocks the way.
// Prints "SEED" and the script on two lines; replaying them with
// tvlounge-shot ends on the game-over frame.
#include "app/scene_window.h"
#include "camera/camera.h"
#include "game/game_state.h"
#include "game/game_step.h"
#include "game/pilot.h"
#include "platform/scripted/scripted.h"
#include "render/frame.h"
#include "tools/shot/shot_args.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kMaxPasses = 6000;

using Point = FloorPoint;

bool InsideRoom(Point p) {
  return p.x < 2.6f && p.z > -2.6f && p.z < 2.6f;
}

class Pilot {
public:
  std::vector<unsigned> passes;

  // One pass of the game with these keys held; then what the frame would
  // do to the table.
  void Step(unsigned keys) {
    for (unsigned key :
         {kScriptKeyUp, kScriptKeyDown, kScriptKeyLeft, kScriptKeyRight}) {
      scripted::SetKeyDown(VirtualKeyOfScriptKey(key), (keys & key) != 0);
    }
    RunGameStep();
    for (int i = kFirstBallEntry; i < kFirstBallEntry + kBallCount; ++i) {
      if (ballCollected[i]) {
        DisableBox(i);
      }
    }
    if (ballsCollected >= 10) {
      gameOver = true;
    }
    passes.push_back(keys);
  }

  // The turn key that brings the line of sight nearer the target.
  unsigned TurnKey(Point target) const {
    Camera left = camera;
    left.rotateEyeAboutViewPoint(-0.05f);
    Camera right = camera;
    right.rotateEyeAboutViewPoint(0.05f);
    return std::fabs(AngleTo(left, target)) < std::fabs(AngleTo(right, target))
               ? kScriptKeyLeft
               : kScriptKeyRight;
  }

  bool Fly() {
    // The room is left and entered through the wall at x = +2.5 only.
    const Point door = {3.3f, 0.0f};
    bool viaDoor = false;
    while (!gameOver) {
      if (static_cast<int>(passes.size()) > kMaxPasses) {
        return false;
      }
      const int ball = NearestUncollectedBall();
      const Point b = BallCentre(ball);
      const Point here = {camera.viewPoint.x, camera.viewPoint.z};
      Point target = b;
      if (InsideRoom(here) != InsideRoom(b)) {
        viaDoor = true;
      }
      if (viaDoor) {
        if (std::hypot(here.x - door.x, here.z - door.z) < 0.2f) {
          viaDoor = false;
        } else {
          target = door;
        }
      }
      if (std::fabs(AngleTo(camera, target)) > 0.03f) {
        Step(TurnKey(target));
        continue;
      }
      const Vec3 before = camera.viewPoint;
      const int scoreBefore = ballsCollected;
      Step(kScriptKeyUp);
      if (ballsCollected != scoreBefore || camera.viewPoint.x != before.x ||
          camera.viewPoint.z != before.z) {
        continue;
      }
      // An obstacle: back off and walk a few steps to one side.
      for (int i = 0; i < 8; ++i) {
        Step(kScriptKeyDown);
      }
      for (int i = 0; i < 31; ++i) {
        Step(kScriptKeyLeft);
      }
      for (int i = 0; i < 12; ++i) {
        Step(kScriptKeyUp);
      }
    }
    return true;
  }
};

std::string Words(const std::vector<unsigned> &passes) {
  const char *names[] = {"UP", "DOWN", "LEFT", "RIGHT"};
  std::string text;
  std::size_t i = 0;
  while (i < passes.size()) {
    std::size_t j = i;
    while (j < passes.size() && passes[j] == passes[i]) {
      ++j;
    }
    std::string keys;
    for (int k = 0; k < 4; ++k) {
      if (passes[i] & (1u << k)) {
        keys += std::string(keys.empty() ? "" : "+") + names[k];
      }
    }
    if (keys.empty()) {
      keys = "-";
    }
    text += (text.empty() ? "" : " ") + keys;
    if (j - i > 1) {
      text += "*" + std::to_string(j - i);
    }
    i = j;
  }
  return text;
}

bool TrySeed(std::uint32_t seed, std::string *script) {
  scripted::Reset();
  FixResetSeed(seed);
  if (!OpenSceneWindow("autopilot", 640, 480, 16, false)) {
    std::fprintf(stderr, "tvlounge-autopilot: the GL window did not open\n");
    std::exit(1);
  }
  Pilot pilot;
  // The first pass of a run meets an empty table; its frame fills it.
  pilot.Step(0);
  DrawScene();
  bool ok = true;
  for (int i = kFirstBallEntry; i < kFirstBallEntry + kBallCount; ++i) {
    const Point b = BallCentre(i);
    if (FindHitBox(kFirstBallEntry, Vec3(b.x, -1.0f, b.z)) != -1) {
      ok = false; // inside an obstacle's box: never collectable
    }
  }
  ok = ok && pilot.Fly();
  CloseSceneWindow();
  scripted::Reset();
  // The values the game never resets, for the next seed.
  ResetGameValues();
  if (ok) {
    *script = Words(pilot.passes);
  }
  return ok;
}

} // namespace

int main(int argc, char **argv) {
  unsigned long first = 1;
  unsigned long count = 100;
  if (argc >= 2) {
    first = std::strtoul(argv[1], nullptr, 10);
  }
  if (argc >= 3) {
    count = std::strtoul(argv[2], nullptr, 10);
  }
  if (argc > 3 || count == 0) {
    std::fprintf(stderr, "usage: tvlounge-autopilot [FIRST-SEED [COUNT]]\n");
    return 2;
  }
  for (unsigned long seed = first; seed < first + count; ++seed) {
    std::string script;
    if (TrySeed(static_cast<std::uint32_t>(seed), &script)) {
      std::printf("%lu\n%s\n", seed, script.c_str());
      return 0;
    }
  }
  std::fprintf(stderr, "tvlounge-autopilot: no seed from %lu to %lu worked\n",
               first, first + count - 1);
  return 1;
}
