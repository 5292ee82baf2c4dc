// The input map: the game's keys, one row each, with every name a device or
// a script has for it. Faces only translate their native codes through it
// (the SDL and XInput pad tables, the page's key codes), key scripts take
// their key names from it, and the page's lists are printed from it
// (tools/page_input_map). Pure: no platform, so every layer may read it.
#pragma once

#include <cstddef>

namespace input {

// Where a key change comes from: the key path keeps each source's keys apart
// (emulation::KeySource), and the page passes these numbers with its keys.
enum class Source { Keyboard, Touch, Gamepad };

struct SourceName {
  Source source;
  const char *name; // as the page's lists call it
};

inline constexpr SourceName kSources[] = {
    {Source::Keyboard, "keyboard"},
    {Source::Touch, "touch"},
    {Source::Gamepad, "gamepad"},
};

// A gamepad button by its place on the pad, whatever the maker prints on it:
// south is the bottom face button, the d-pad's four directions are buttons.
// Each face names them in its own API (SDL_CONTROLLER_BUTTON_*,
// XINPUT_GAMEPAD_*, the Gamepad API's standard mapping).
enum class PadButton {
  None,
  South,
  East,
  West,
  North,
  LeftShoulder,
  RightShoulder,
  Back,
  Start,
  DpadUp,
  DpadDown,
  DpadLeft,
  DpadRight,
};

struct GameKey {
  int virtualKey;     // the Win32 virtual-key code the game reads
  const char *script; // its name in key scripts; null: scripts cannot hold it
  const char *code;   // the page's KeyboardEvent.code
  PadButton pad;      // the pad button that holds it
  const char *touch;  // the page's touch control for it; "" for none
};

// The game's keys. Virtual keys are written as numbers, since win32.h is a
// layer above: 0x25-0x28 are VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, 0x70 VK_F1,
// 0x1B VK_ESCAPE (tests/input checks them against win32.h). Scripts number
// their keys in this order (keyscript/key_script.h).
inline constexpr GameKey kGameKeys[] = {
    {0x26, "UP", "ArrowUp", PadButton::DpadUp, "up"},
    {0x28, "DOWN", "ArrowDown", PadButton::DpadDown, "down"},
    {0x25, "LEFT", "ArrowLeft", PadButton::DpadLeft, "left"},
    {0x27, "RIGHT", "ArrowRight", PadButton::DpadRight, "right"},
    {'B', "B", "KeyB", PadButton::South, "bump"},
    {'D', "D", "KeyD", PadButton::RightShoulder, "lighter"},
    {'N', "N", "KeyN", PadButton::LeftShoulder, "darker"},
    {'R', "R", "KeyR", PadButton::West, "new"},
    {0x70, nullptr, "F1", PadButton::North, "full"},
    {0x1B, nullptr, "Escape", PadButton::Back, "quit"},
};

inline constexpr std::size_t kGameKeyCount =
    sizeof kGameKeys / sizeof kGameKeys[0];

// The row of a virtual key, null for a key the game does not read.
constexpr const GameKey *FindGameKey(int virtualKey) {
  for (const GameKey &key : kGameKeys)
    if (key.virtualKey == virtualKey)
      return &key;
  return nullptr;
}

} // namespace input
