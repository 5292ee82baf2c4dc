// Prints the page's input lists as an ES module (web/input_map.js): the
// input sources as the key path numbers them and one row per game key of
// the input map, with its pad button as the Gamepad API's standard mapping
// numbers it. The page imports the module; a test holds the committed one to
// this output.
//   page-input-map > web/input_map.js
#include "input/input_map.h"

#include <cstdio>
#include <string>

namespace {

// The standard mapping's button indices (the Gamepad API), -1 for none.
int StandardIndex(input::PadButton button) {
  switch (button) {
  case input::PadButton::South:
    return 0;
  case input::PadButton::East:
    return 1;
  case input::PadButton::West:
    return 2;
  case input::PadButton::North:
    return 3;
  case input::PadButton::LeftShoulder:
    return 4;
  case input::PadButton::RightShoulder:
    return 5;
  case input::PadButton::Back:
    return 8;
  case input::PadButton::Start:
    return 9;
  case input::PadButton::DpadUp:
    return 12;
  case input::PadButton::DpadDown:
    return 13;
  case input::PadButton::DpadLeft:
    return 14;
  case input::PadButton::DpadRight:
    return 15;
  case input::PadButton::None:
    break;
  }
  return -1;
}

// A JavaScript string literal in single quotes.
std::string Quoted(const char *text) {
  std::string quoted = "'";
  for (const char *c = text; *c != '\0'; ++c) {
    if (*c == '\'' || *c == '\\')
      quoted += '\\';
    quoted += *c;
  }
  return quoted + "'";
}

} // namespace

int main() {
  std::string sources;
  for (const input::SourceName &source : input::kSources) {
    sources += sources.empty() ? "" : ", ";
    sources += std::string(source.name) + ": " +
               std::to_string(static_cast<int>(source.source));
  }
  std::string keys;
  for (const input::GameKey &key : input::kGameKeys) {
    keys += "  { code: " + Quoted(key.code) +
            ", pad: " + std::to_string(StandardIndex(key.pad)) +
            ", touch: " + Quoted(key.touch) + " },\n";
  }
  std::printf("// Input sources as the C++ key path numbers them, and the "
              "game's keys.\n"
              "export const SOURCE = { %s };\n"
              "// code: KeyboardEvent.code; pad: Gamepad API standard-mapping "
              "button index or -1; touch: the touch control's name or ''.\n"
              "export const KEYS = [\n%s];\n",
              sources.c_str(), keys.c_str());
  return 0;
}
