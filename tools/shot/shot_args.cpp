// Parsing of the snapshot tool's arguments. Pure: no GL, no platform, so
// every rule is tested on its own.
#include "tools/shot/shot_args.h"

namespace {

bool ParseSize(const std::string &text, int *width, int *height) {
  const std::size_t x = text.find('x');
  if (x == std::string::npos) {
    return false;
  }
  unsigned long long w = 0;
  unsigned long long h = 0;
  if (!ParseBoundedNumber(text.substr(0, x), kMinShotSide, kMaxShotSide, &w) ||
      !ParseBoundedNumber(text.substr(x + 1), kMinShotSide, kMaxShotSide, &h)) {
    return false;
  }
  *width = static_cast<int>(w);
  *height = static_cast<int>(h);
  return true;
}

} // namespace

bool ParseShotArgs(int argc, const char *const *argv, ShotOptions *options,
                   std::string *error) {
  ShotOptions result;
  bool outGiven = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      result.helpWanted = true;
      continue;
    }
    if (arg != "--seed" && arg != "--keys" && arg != "--size" &&
        arg != "--out") {
      *error = "unknown argument \"" + arg + "\"";
      return false;
    }
    if (i + 1 >= argc) {
      *error = arg + " needs a value";
      return false;
    }
    const std::string value = argv[++i];
    if (arg == "--seed") {
      std::string reason;
      if (!ParseSeed(value, &result.seed, &reason)) {
        *error = "bad --seed " + reason;
        return false;
      }
      result.seedGiven = true;
    } else if (arg == "--keys") {
      std::string reason;
      if (!ParseKeyScript(value, &result.script, &reason)) {
        *error = "bad --keys: " + reason;
        return false;
      }
    } else if (arg == "--size") {
      if (!ParseSize(value, &result.width, &result.height)) {
        *error = "bad --size \"" + value + "\" (WxH, each from " +
                 std::to_string(kMinShotSide) + " to " +
                 std::to_string(kMaxShotSide) + ", e.g. 640x480)";
        return false;
      }
    } else {
      if (value.empty()) {
        *error = "--out needs a file name";
        return false;
      }
      result.outPath = value;
      outGiven = true;
    }
  }
  if (!outGiven && !result.helpWanted) {
    *error = "--out FILE.png is required";
    return false;
  }
  *options = std::move(result);
  return true;
}

const char *ShotUsage() {
  return "usage: tvlounge-shot [--seed N] [--keys SCRIPT] [--size WxH] "
         "--out FILE.png\n"
         "  Runs the game headless from the repository root, holding the keys\n"
         "  of SCRIPT pass by pass, and writes the last frame as a PNG; the\n"
         "  window title is printed on the last line.\n"
         "  SCRIPT: words separated by spaces, each KEYS or KEYS*N: KEYS is\n"
         "  one or more of UP DOWN LEFT RIGHT B D N R joined by '+', or '-'\n"
         "  for none, held for N passes (default 1).\n"
         "  Example: \"UP*40 LEFT*20 B D*5 UP+LEFT*3 -*2\"\n"
         "  --seed N   the same ball layout on every reset (default: clock)\n"
         "  --size WxH the window size (default 640x480)\n";
}
