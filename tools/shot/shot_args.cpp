// Parsing of the snapshot tool's arguments and key scripts. Pure: no GL, no
// platform, so every rule is tested on its own.
#include "tools/shot/shot_args.h"

namespace {

struct KeyName {
  const char *name;
  unsigned bit;
  int virtualKey;
};

const KeyName kKeyNames[kShotKeyCount] = {
    {"UP", kShotKeyUp, 0x26},     {"DOWN", kShotKeyDown, 0x28},
    {"LEFT", kShotKeyLeft, 0x25}, {"RIGHT", kShotKeyRight, 0x27},
    {"B", kShotKeyB, 'B'},        {"D", kShotKeyD, 'D'},
    {"N", kShotKeyN, 'N'},        {"R", kShotKeyR, 'R'},
};

// Whole decimal digits only, no sign, no spaces, within [low, high].
bool ParseBoundedNumber(const std::string &text, unsigned long long low,
                        unsigned long long high, unsigned long long *value) {
  if (text.empty() || text.size() > 19) {
    return false;
  }
  unsigned long long result = 0;
  for (char c : text) {
    if (c < '0' || c > '9') {
      return false;
    }
    result = result * 10 + static_cast<unsigned>(c - '0');
  }
  if (result < low || result > high) {
    return false;
  }
  *value = result;
  return true;
}

bool ParseKeyList(const std::string &list, unsigned *keys, std::string *error) {
  if (list == "-") {
    *keys = 0;
    return true;
  }
  unsigned result = 0;
  std::size_t start = 0;
  while (true) {
    const std::size_t plus = list.find('+', start);
    const std::string name = list.substr(
        start, plus == std::string::npos ? std::string::npos : plus - start);
    const KeyName *found = nullptr;
    for (const KeyName &k : kKeyNames) {
      if (name == k.name) {
        found = &k;
      }
    }
    if (!found) {
      *error = "unknown key \"" + name +
               "\" (keys: UP DOWN LEFT RIGHT B D N R, joined by '+'; '-' "
               "for none)";
      return false;
    }
    if (result & found->bit) {
      *error = "key " + name + " named twice in \"" + list + "\"";
      return false;
    }
    result |= found->bit;
    if (plus == std::string::npos) {
      break;
    }
    start = plus + 1;
  }
  *keys = result;
  return true;
}

bool ParseWord(const std::string &word, KeyRun *run, std::string *error) {
  const std::size_t star = word.find('*');
  const std::string list = word.substr(0, star);
  if (!ParseKeyList(list, &run->keys, error)) {
    return false;
  }
  run->passes = 1;
  if (star != std::string::npos) {
    unsigned long long count = 0;
    if (!ParseBoundedNumber(word.substr(star + 1), 1, kMaxPassesPerWord,
                            &count)) {
      *error = "bad pass count in \"" + word + "\" (a whole number from 1 to " +
               std::to_string(kMaxPassesPerWord) + ")";
      return false;
    }
    run->passes = static_cast<int>(count);
  }
  return true;
}

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

int VirtualKeyOfShotKey(unsigned key) {
  for (const KeyName &k : kKeyNames) {
    if (k.bit == key) {
      return k.virtualKey;
    }
  }
  return 0;
}

long CountScriptPasses(const std::vector<KeyRun> &runs) {
  long total = 0;
  for (const KeyRun &run : runs) {
    total += run.passes;
  }
  return total;
}

bool ParseKeyScript(const std::string &text, std::vector<KeyRun> *runs,
                    std::string *error) {
  std::vector<KeyRun> result;
  long total = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\n') {
      ++pos;
      continue;
    }
    std::size_t end = text.find_first_of(" \t\n", pos);
    if (end == std::string::npos) {
      end = text.size();
    }
    KeyRun run{};
    if (!ParseWord(text.substr(pos, end - pos), &run, error)) {
      return false;
    }
    total += run.passes;
    if (total > kMaxScriptPasses) {
      *error =
          "script longer than " + std::to_string(kMaxScriptPasses) + " passes";
      return false;
    }
    result.push_back(run);
    pos = end;
  }
  *runs = std::move(result);
  return true;
}

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
      unsigned long long seed = 0;
      if (!ParseBoundedNumber(value, 0, 0xFFFFFFFFull, &seed)) {
        *error = "bad --seed \"" + value +
                 "\" (a whole number from 0 to 4294967295)";
        return false;
      }
      result.seedGiven = true;
      result.seed = static_cast<std::uint32_t>(seed);
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
