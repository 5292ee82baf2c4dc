// The page's key codes to Win32 virtual-key codes. Covers the game's keys
// (by the input map's codes), letters, digits, F1-F12, editing keys and the
// modifiers (as the shared VK_SHIFT / VK_CONTROL / VK_MENU, as WM_KEYDOWN
// reports them). Lacks: the keypad, punctuation, media and IME keys, which
// the game never reads.
#include "platform/web/web_keys.h"

#include "input/input_map.h"
#include "platform/win32.h"

#include <cstring>

namespace web_face {
namespace {

struct Named {
  const char *code;
  int virtualKey;
};

// Keys the game does not read but a page may send; the editing keys have no
// name in win32.h and keep their published values.
const Named kNamed[] = {
    {"Enter", VK_RETURN},
    {"Space", VK_SPACE},
    {"Tab", VK_TAB},
    {"Backspace", VK_BACK},
    {"ShiftLeft", VK_SHIFT},
    {"ShiftRight", VK_SHIFT},
    {"ControlLeft", VK_CONTROL},
    {"ControlRight", VK_CONTROL},
    {"AltLeft", VK_MENU},
    {"AltRight", VK_MENU},
    {"PageUp", 0x21},
    {"PageDown", 0x22},
    {"End", 0x23},
    {"Home", 0x24},
    {"Insert", 0x2D},
    {"Delete", 0x2E},
};

} // namespace

int VirtualKeyFromCode(const char *code) {
  if (code == nullptr)
    return 0;
  // The game's own keys by the input map's codes.
  for (const input::GameKey &key : input::kGameKeys) {
    if (std::strcmp(code, key.code) == 0)
      return key.virtualKey;
  }
  const std::size_t length = std::strlen(code);
  // "KeyA".."KeyZ" and "Digit0".."Digit9": the character's own code.
  if (length == 4 && std::strncmp(code, "Key", 3) == 0 && code[3] >= 'A' &&
      code[3] <= 'Z')
    return code[3];
  if (length == 6 && std::strncmp(code, "Digit", 5) == 0 && code[5] >= '0' &&
      code[5] <= '9')
    return code[5];
  // "F1".."F12".
  if ((length == 2 || length == 3) && code[0] == 'F' && code[1] >= '1' &&
      code[1] <= '9') {
    int number = code[1] - '0';
    if (length == 3) {
      if (code[2] < '0' || code[2] > '9')
        return 0;
      number = number * 10 + (code[2] - '0');
    }
    return number >= 1 && number <= 12 ? VK_F1 + number - 1 : 0;
  }
  for (const Named &named : kNamed) {
    if (std::strcmp(code, named.code) == 0)
      return named.virtualKey;
  }
  return 0;
}

} // namespace web_face
