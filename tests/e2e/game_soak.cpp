// game_soak: the game's own loop on the scripted platform for many passes of
// random keys (arrows, or a walk towards the nearest ball, with B, D, N and
// now and then R with a new layout), to show that a long game neither fails
// a sanitizer check nor grows. Prints what it played and the memory it held,
// and fails when the live heap or the resident size climbed after the first
// second by more than the limits.
// Usage: game_soak PASSES [SEED] [WIDTHxHEIGHT]   (from the repository root)
#include "camera/camera.h"
#include "game/collision.h"
#include "game/game_state.h"
#include "game/pilot.h"
#include "platform/scripted/scripted.h"
#include "shell/shell_state.h"

#include "platform/gl.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <unistd.h>
#include <vector>

// The sanitizer runtime's count of live heap bytes, when it is linked in.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes()
    __attribute__((weak));

// Prints the live heap grouped by allocation stack (ASan), when linked in.
extern "C" void __sanitizer_print_memory_profile(std::size_t top_percent,
                                                 std::size_t max_contexts)
    __attribute__((weak));

namespace {

// Growth allowed between the two halves of the run after its first second,
// comparing the median sample of each half. The GL driver's own memory
// rises and falls by tens of megabytes with what the frames draw (it
// compiles and drops shader variants), but it does not climb; a leak does,
// by its size times half the passes between the two medians.
constexpr long kHeapGrowthLimit = 8 * 1024 * 1024;
constexpr long kResidentGrowthLimit = 32 * 1024 * 1024;

// The keys held at random, in the bit order of Soak::held.
const int kKeys[8] = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, 'B', 'D', 'N', 'R'};

long ResidentBytes() {
  long pages = 0, resident = 0;
  std::FILE *f = std::fopen("/proc/self/statm", "r");
  if (f == nullptr)
    return -1;
  const int got = std::fscanf(f, "%ld %ld", &pages, &resident);
  std::fclose(f);
  return got == 2 ? resident * sysconf(_SC_PAGESIZE) : -1;
}

long HeapBytes() {
  return __sanitizer_get_current_allocated_bytes
             ? static_cast<long>(__sanitizer_get_current_allocated_bytes())
             : -1;
}

struct Soak {
  long passes = 0;
  long wanted = 0;
  int width = 160;
  int height = 120;
  std::mt19937 random;
  unsigned held = 0; // bits: UP DOWN LEFT RIGHT B D N R
  int runLeft = 0;
  long collections = 0, gameOvers = 0, restarts = 0;
  int lastScore = 0;
  bool wasOver = false;
  bool failed = false;
  bool quitting = false;
  std::chrono::steady_clock::time_point start;
  bool baselineTaken = false;
  struct Sample {
    long heap, resident;
  };
  std::vector<Sample> samples; // every 100 passes after the first second

  bool Chance(double p) {
    return std::uniform_real_distribution<double>(0, 1)(random) < p;
  }

  // Half of the runs walk towards the nearest ball instead of the arrows
  // drawn at random, so that balls get collected, games end and restart.
  bool piloting = false;

  static unsigned PilotArrows() {
    const int best = NearestUncollectedBall();
    if (best < 0)
      return 0;
    const Steering steer = SteerTowards(camera, BallCentre(best));
    return (steer.forward ? 1u : 0u) | (steer.left ? 4u : 0u) |
           (steer.right ? 8u : 0u); // UP, LEFT, RIGHT
  }

  void ChooseKeys() {
    held = 0;
    piloting = Chance(0.5);
    const double odds[8] = {0.45, 0.2, 0.3, 0.3, 0.05, 0.1, 0.1, 0.003};
    for (int k = 0; k < 8; ++k)
      if (Chance(odds[k]))
        held |= 1u << k;
    if (held & 0x80u)
      FixResetSeed(static_cast<std::uint32_t>(random())); // a new layout
    runLeft = std::uniform_int_distribution<int>(1, 30)(random);
  }

  void Measure() {
    // The GL driver holds frame buffers while a frame is still being
    // rasterised; sample once it is done, so that only lasting memory counts.
    glFinish();
    const Sample now = {HeapBytes(), ResidentBytes()};
    if (!baselineTaken) {
      if (std::chrono::steady_clock::now() - start < std::chrono::seconds(1))
        return;
      baselineTaken = true;
      std::printf("after 1 s (%ld passes): heap %ld, resident %ld bytes\n",
                  passes, now.heap, now.resident);
    }
    samples.push_back(now);
    if (std::getenv("TVL_SOAK_TRACE") != nullptr)
      std::printf("pass %ld: heap %ld, resident %ld bytes\n", passes, now.heap,
                  now.resident);
  }

  // The median heap and resident size among samples [from, to).
  Sample Median(std::size_t from, std::size_t to) const {
    std::vector<long> heap, resident;
    for (std::size_t i = from; i < to; ++i) {
      heap.push_back(samples[i].heap);
      resident.push_back(samples[i].resident);
    }
    const std::size_t mid = heap.size() / 2;
    std::nth_element(heap.begin(), heap.begin() + mid, heap.end());
    std::nth_element(resident.begin(), resident.begin() + mid, resident.end());
    return {heap[mid], resident[mid]};
  }

  void OnIdle() {
    if (quitting)
      return;
    // The game's window at the soak's size: drawing is the slow part.
    if (passes == 0 && !scripted::ResizeClient(width, height)) {
      std::fprintf(stderr, "game_soak: the window could not be resized\n");
      failed = true;
    }
    // What the previous pass did.
    if (ballsCollected > lastScore)
      collections += ballsCollected - lastScore;
    lastScore = ballsCollected;
    if (gameOver && !wasOver)
      ++gameOvers;
    wasOver = gameOver;
    if (held & 0x80u)
      ++restarts;

    if (passes % 100 == 0)
      Measure();
    if (passes >= wanted || failed) {
      quitting = true;
      // With TVL_SOAK_PROFILE set, where the live heap was allocated, for
      // finding what grew.
      if (std::getenv("TVL_SOAK_PROFILE") != nullptr &&
          __sanitizer_print_memory_profile)
        __sanitizer_print_memory_profile(90, 25);
      held = 0;
      for (int vk : kKeys)
        scripted::SetKeyDown(vk, false);
      PostQuitMessage(0);
      return;
    }
    if (runLeft-- <= 0)
      ChooseKeys();
    if (piloting)
      held = (held & ~0xFu) | PilotArrows();
    for (int k = 0; k < 8; ++k)
      scripted::SetKeyDown(kKeys[k], (held >> k) & 1u);
    ++passes;
  }
};

} // namespace

int main(int argc, char **argv) {
  if (argc < 2 || argc > 4) {
    std::fprintf(stderr, "usage: game_soak PASSES [SEED] [WIDTHxHEIGHT]\n");
    return 2;
  }
  Soak soak;
  soak.wanted = std::atol(argv[1]);
  const unsigned seed =
      argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 1;
  if (argc > 3 &&
      std::sscanf(argv[3], "%dx%d", &soak.width, &soak.height) != 2) {
    std::fprintf(stderr, "game_soak: bad size %s\n", argv[3]);
    return 2;
  }
  if (soak.wanted <= 0 || soak.width < 16 || soak.height < 16) {
    std::fprintf(stderr, "game_soak: bad passes or size\n");
    return 2;
  }
  soak.random.seed(seed);
  FixResetSeed(seed);

  scripted::Reset();
  scripted::SetRecording(false); // the log would grow by every pass's calls
  scripted::QueueMessageBoxAnswer(IDNO);
  scripted::SetIdleHook([&soak]() { soak.OnIdle(); });
  soak.start = std::chrono::steady_clock::now();
  const int code = WinMain(nullptr, nullptr, nullptr, 0);
  soak.Measure();
  scripted::Reset();

  const double seconds = std::chrono::duration<double>(
                             std::chrono::steady_clock::now() - soak.start)
                             .count();
  std::printf("%ld passes of random keys (seed %u) at %dx%d in %.1f s: "
              "%ld balls collected, %ld games over, %ld restarts\n",
              soak.passes, seed, soak.width, soak.height, seconds,
              soak.collections, soak.gameOvers, soak.restarts);
  bool ok = code == 0 && !soak.failed && soak.passes == soak.wanted;
  if (!ok)
    std::printf("FAIL: the game ended with %d after %ld of %ld passes\n", code,
                soak.passes, soak.wanted);
  const std::size_t n = soak.samples.size();
  if (n >= 4) {
    const auto first = soak.Median(0, n / 2);
    const auto second = soak.Median(n / 2, n);
    const long heapGrowth = second.heap - first.heap;
    const long residentGrowth = second.resident - first.resident;
    std::printf("medians of the first and second half of %zu samples: heap "
                "%ld and %ld, resident %ld and %ld bytes\n",
                n, first.heap, second.heap, first.resident, second.resident);
    if (HeapBytes() >= 0 && heapGrowth > kHeapGrowthLimit) {
      std::printf("FAIL: the live heap grew by %ld bytes\n", heapGrowth);
      ok = false;
    }
    if (residentGrowth > kResidentGrowthLimit) {
      std::printf("FAIL: the resident size grew by %ld bytes\n",
                  residentGrowth);
      ok = false;
    }
  } else {
    std::printf("FAIL: too short a run to measure growth (%zu samples)\n", n);
    ok = false;
  }
  return ok ? 0 : 1;
}
