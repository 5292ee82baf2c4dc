// The ES 2.0 calls the shader subset sends per frame, counted natively
// through the loader it is given (es2_counter.h), in three views: the start
// view, inside the room with bump mapping, and the night floor with the
// lights down. The real game runs on the scripted twin; each view is a walk
// of held keys, then steady frames with no key held are counted.
#include "bench/gl11/es2_counter.h"

#include "game/game_state.h"
#include "platform/scripted/scripted.h"
#include "platform/sdl_gl/gl_flavour.h"

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kSteadyFrames = 60;
constexpr long kCallTarget = 300;
constexpr double kRedundantTarget = 0.05;

struct View {
  const char *name;
  std::vector<std::pair<int, int>> walk; // (virtual key or 0, passes)
};

struct Result {
  es2count::Tally total;
  std::vector<es2count::Tally> byName;
  bool drawn = false;
};

// Plays the walk, one held key per pass, then counts the calls of the
// steady frames after it.
Result Count(const View &view) {
  std::vector<int> passes;
  for (const auto &[key, count] : view.walk) {
    passes.insert(passes.end(), static_cast<std::size_t>(count), key);
  }
  const std::size_t first = passes.size() + 2; // a frame to settle
  const std::size_t last = first + kSteadyFrames;
  passes.resize(last + 1, 0);

  auto result = std::make_shared<Result>();
  auto swaps = std::make_shared<std::size_t>(0);
  auto idle = std::make_shared<std::size_t>(0);
  scripted::Reset();
  scripted::SetRecording(false);
  scripted::QueueMessageBoxAnswer(IDNO); // windowed
  FixResetSeed(1);
  int held = 0;
  scripted::SetIdleHook([&passes, idle, &held]() {
    if (*idle >= passes.size()) {
      PostQuitMessage(0);
      return;
    }
    const int key = passes[(*idle)++];
    if (held != key && held != 0) {
      scripted::SetKeyDown(held, false);
    }
    if (key != 0) {
      scripted::SetKeyDown(key, true);
    }
    held = key;
  });
  scripted::SetBeforeSwapHook([swaps, first, last, result]() {
    ++*swaps;
    if (*swaps == first) {
      es2count::Restart();
    } else if (*swaps == last) {
      result->total = es2count::Total();
      result->byName = es2count::ByName();
      result->drawn = true;
    }
  });
  WinMain(nullptr, nullptr, nullptr, 0);
  scripted::Reset();
  return *result;
}

double Share(long part, long whole) {
  return whole > 0 ? static_cast<double>(part) / whole : 0;
}

} // namespace

int main(int argc, char **argv) {
  // --kinds lists every kind of call of each view.
  const bool kinds = argc > 1 && std::string(argv[1]) == "--kinds";
  platform::UseGlLoader(es2count::Load);
  const View views[] = {
      {"start view", {}},
      {"room, bump mapping", {{VK_DOWN, 28}, {VK_RIGHT, 18}, {'B', 1}}},
      {"night floor", {{'N', 90}, {VK_LEFT, 63}, {VK_UP, 90}, {VK_RIGHT, 12}}},
  };
  std::printf("ES 2.0 calls per frame through the shader subset, counted "
              "natively through its loader over %d steady frames\n",
              kSteadyFrames);
  std::printf("  %-20s %8s %10s %7s\n", "view", "calls", "re-sets", "share");
  bool met = true;
  std::string overKinds;
  for (const View &view : views) {
    const Result r = Count(view);
    if (!r.drawn) {
      std::printf("subset calls bench: the game ended before %s was counted\n",
                  view.name);
      return 1;
    }
    const double calls = static_cast<double>(r.total.calls) / kSteadyFrames;
    const double redundant =
        static_cast<double>(r.total.redundant) / kSteadyFrames;
    std::printf("  %-20s %8.1f %10.1f %6.1f%%\n", view.name, calls, redundant,
                100 * Share(r.total.redundant, r.total.calls));
    met = met && calls <= kCallTarget;
    for (const es2count::Tally &t : r.byName) {
      const double share = Share(t.redundant, t.calls);
      if (kinds) {
        std::printf("    %-26s %6.1f / frame, %5.1f%% re-set\n", t.name.c_str(),
                    static_cast<double>(t.calls) / kSteadyFrames, 100 * share);
      }
      if (share > kRedundantTarget) {
        met = false;
        char line[160];
        std::snprintf(line, sizeof line,
                      "    %-20s %-26s %6.1f / frame, %5.1f%% re-set\n",
                      view.name, t.name.c_str(),
                      static_cast<double>(t.calls) / kSteadyFrames,
                      100 * share);
        overKinds += line;
      }
    }
  }
  if (!overKinds.empty()) {
    std::printf("  kinds of call that re-set a held value over %.0f%% of the "
                "time:\n%s",
                100 * kRedundantTarget, overKinds.c_str());
  }
  std::printf("  target: <= %ld calls a frame, no kind re-set over %.0f%%: "
              "%s\n",
              kCallTarget, 100 * kRedundantTarget, met ? "met" : "missed");
  return 0;
}
