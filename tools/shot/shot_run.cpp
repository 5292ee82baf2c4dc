// The game's own WinMain on the scripted platform: No to the start-up
// question, one script step per idle pass, the last frame read back before
// its swap, and a quit request posted right after that swap's read.
#include "tools/shot/shot_run.h"
#include "image/texture_slots.h"

#include "game/game_state.h"
#include "platform/gl.h"
#include "platform/scripted/scripted.h"
#include "shell/shell_state.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include <unistd.h>

namespace {

void HoldKeys(unsigned keys) {
  for (int bit = 0; bit < kScriptKeyCount; ++bit) {
    const unsigned key = 1u << bit;
    scripted::SetKeyDown(VirtualKeyOfScriptKey(key), (keys & key) != 0);
  }
}

// The back buffer of the current context, rows turned top first.
RgbImage ReadBackBuffer(int width, int height) {
  RgbImage image;
  image.width = width;
  image.height = height;
  const std::size_t row = static_cast<std::size_t>(width) * 3;
  std::vector<std::uint8_t> bottomUp(row * height);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  image.pixels.resize(bottomUp.size());
  for (int y = 0; y < height; ++y) {
    std::copy_n(&bottomUp[(height - 1 - y) * row], row,
                &image.pixels[static_cast<std::size_t>(y) * row]);
  }
  return image;
}

// The game ends the process itself, with status 1, when a texture file does
// not decode. While it runs here, such an exit is reported as the failure
// it is, with the message the game showed.
bool gameRunning = false;

void ReportEarlyExit() {
  if (!gameRunning) {
    return;
  }
  const std::vector<scripted::MessageBoxRecord> &boxes =
      scripted::MessageBoxes();
  std::fprintf(stderr, "tvlounge-shot: the game ended during start-up%s%s\n",
               boxes.empty() ? "" : ": ",
               boxes.empty() ? "" : boxes.back().text.c_str());
  std::fflush(stderr);
  _exit(1);
}

} // namespace

bool CheckTextureFiles(std::string *missing) {
  for (const TextureFile &texture : kTextureFiles) {
    const char *name = texture.fileName;
    std::FILE *file = std::fopen(name, "rb");
    if (!file) {
      *missing = name;
      return false;
    }
    std::fclose(file);
  }
  return true;
}

bool RunShot(const ShotOptions &options, ShotResult *result,
             std::string *error) {
  // One key step per pass; a script of no words is one pass with none held.
  const std::vector<unsigned> passes = ExpandKeyScript(options.script);

  struct State {
    bool started = false;
    std::size_t idle = 0;  // idle passes begun
    std::size_t swaps = 0; // frames presented
    bool quitPosted = false;
    std::string failure;
    bool sizeRefused = false;
    RgbImage frame;
  };
  auto state = std::make_shared<State>();
  const auto quit = [state]() {
    HoldKeys(0);
    if (!state->quitPosted) {
      PostQuitMessage(0);
      state->quitPosted = true;
    }
  };

  scripted::Reset();
  scripted::SetRecording(false); // the log would grow by every pass's calls
  scripted::QueueMessageBoxAnswer(IDNO); // windowed, no dialog
  if (options.seedGiven) {
    FixResetSeed(options.seed);
  } else {
    UseClockResetSeed();
  }

  scripted::SetIdleHook([state, quit, &passes, &options]() {
    if (!state->started) {
      state->started = true;
      // Another size than the one the game opens: a drawable of that size
      // and WM_SIZE at once, as a user's resize gives them, so viewport and
      // projection follow before the first frame.
      if ((options.width != 640 || options.height != 480) &&
          !scripted::ResizeClient(options.width, options.height)) {
        state->sizeRefused = true;
        state->failure = "the GL cannot give a " +
                         std::to_string(options.width) + "x" +
                         std::to_string(options.height) + " drawable";
        quit();
        return;
      }
    }
    if (state->idle < passes.size()) {
      HoldKeys(passes[state->idle]);
    } else {
      quit();
    }
    ++state->idle;
  });
  scripted::SetBeforeSwapHook([state, quit, &passes, &options]() {
    ++state->swaps;
    if (state->swaps == passes.size() && state->failure.empty()) {
      state->frame = ReadBackBuffer(options.width, options.height);
      quit();
    }
  });

  static const bool exitWatched = std::atexit(ReportEarlyExit) == 0;
  (void)exitWatched;
  gameRunning = true;
  WinMain(nullptr, nullptr, nullptr, 0);
  gameRunning = false;

  result->title = scripted::WindowTitle();
  result->passes = static_cast<long>(std::min(state->swaps, passes.size()));
  const bool drawn = !state->frame.pixels.empty();
  scripted::Reset();
  if (!state->failure.empty()) {
    result->sizeRefused = state->sizeRefused;
    *error = state->failure;
    return false;
  }
  if (!drawn) {
    *error = "the game ended after " + std::to_string(state->swaps) + " of " +
             std::to_string(passes.size()) +
             " passes, before the last frame was drawn";
    return false;
  }
  result->frame = std::move(state->frame);
  return true;
}
