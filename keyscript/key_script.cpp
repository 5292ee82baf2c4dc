// Parsing of key scripts and seeds (key_script.h): every rule in one place.
#include "keyscript/key_script.h"

namespace {

// The keys scripts name, with their bits: the input map's rows that have a
// script name, numbered in its order.
struct KeyName {
  const char *name;
  unsigned bit;
  int virtualKey;
};

struct KeyNames {
  KeyName names[kScriptKeyCount] = {};
};

constexpr KeyNames MakeKeyNames() {
  KeyNames result;
  int next = 0;
  for (const input::GameKey &key : input::kGameKeys) {
    if (key.script != nullptr) {
      result.names[next] = {key.script, 1u << next, key.virtualKey};
      ++next;
    }
  }
  return result;
}

constexpr KeyNames kKeyNames = MakeKeyNames();

constexpr bool SameName(const char *a, const char *b) {
  while (*a != '\0' && *a == *b) {
    ++a;
    ++b;
  }
  return *a == *b;
}

// The bits ScriptKey names must be those of the map's keys.
constexpr bool NamesBit(const char *name, unsigned bit) {
  for (const KeyName &k : kKeyNames.names) {
    if (SameName(k.name, name)) {
      return k.bit == bit;
    }
  }
  return false;
}
static_assert(NamesBit("UP", kScriptKeyUp) &&
                  NamesBit("DOWN", kScriptKeyDown) &&
                  NamesBit("LEFT", kScriptKeyLeft) &&
                  NamesBit("RIGHT", kScriptKeyRight) &&
                  NamesBit("B", kScriptKeyB) && NamesBit("D", kScriptKeyD) &&
                  NamesBit("N", kScriptKeyN) && NamesBit("R", kScriptKeyR),
              "ScriptKey's bits follow the input map's order");

std::string KeyList() {
  std::string list;
  for (const KeyName &k : kKeyNames.names) {
    list += list.empty() ? "" : " ";
    list += k.name;
  }
  return list;
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
    for (const KeyName &k : kKeyNames.names) {
      if (name == k.name) {
        found = &k;
      }
    }
    if (!found) {
      *error = "unknown key \"" + name + "\" (keys: " + KeyList() +
               ", joined by '+'; '-' for none)";
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

} // namespace

bool ParseBoundedNumber(const std::string &text, unsigned long long low,
                        unsigned long long high, unsigned long long *value) {
  // Nineteen digits cannot overflow; more are refused unread.
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

int VirtualKeyOfScriptKey(unsigned key) {
  for (const KeyName &k : kKeyNames.names) {
    if (k.bit == key) {
      return k.virtualKey;
    }
  }
  return 0;
}

bool KeysHoldVirtualKey(unsigned keys, int virtualKey) {
  for (const KeyName &k : kKeyNames.names) {
    if ((keys & k.bit) != 0 && k.virtualKey == virtualKey) {
      return true;
    }
  }
  return false;
}

long CountScriptPasses(const std::vector<KeyRun> &runs) {
  long total = 0;
  for (const KeyRun &run : runs) {
    total += run.passes;
  }
  return total;
}

std::vector<unsigned> ExpandKeyScript(const std::vector<KeyRun> &runs) {
  std::vector<unsigned> passes;
  for (const KeyRun &run : runs) {
    passes.insert(passes.end(), static_cast<std::size_t>(run.passes), run.keys);
  }
  if (passes.empty()) {
    passes.push_back(0);
  }
  return passes;
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

bool ParseSeed(const std::string &text, std::uint32_t *seed,
               std::string *error) {
  unsigned long long value = 0;
  if (!ParseBoundedNumber(text, 0, 0xFFFFFFFFull, &value)) {
    *error = "\"" + text + "\" (a whole number from 0 to 4294967295)";
    return false;
  }
  *seed = static_cast<std::uint32_t>(value);
  return true;
}
