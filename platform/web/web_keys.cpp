// The page's key codes to Win32 virtual-key codes. Covers letters, digits,
// F1-F12, cursor and editing keys and the modifiers (as the shared
// VK_SHIFT / VK_CONTROL / VK_MENU, as WM_KEYDOWN reports them). Lacks: the
// keypad, punctuation, media and IME keys, which the game never reads.
#include "platform/web/web_keys.h"

#include "platform/win32.h"

#include <cstring>

namespace web_face {
namespace {

struct Named {
  const char *code;
  int virtualKey;
};

// Codes win32.h does not name, with their published values.
const Named kNamed[] = {
    {"ArrowLeft", VK_LEFT}, {"ArrowUp", VK_UP},    {"ArrowRight", VK_RIGHT},
    {"ArrowDown", VK_DOWN}, {"Escape", VK_ESCAPE}, {"Enter", 0x0D},
    {"Space", 0x20},        {"Tab", 0x09},         {"Backspace", 0x08},
    {"ShiftLeft", 0x10},    {"ShiftRight", 0x10},  {"ControlLeft", 0x11},
    {"ControlRight", 0x11}, {"AltLeft", 0x12},     {"AltRight", 0x12},
    {"PageUp", 0x21},       {"PageDown", 0x22},    {"End", 0x23},
    {"Home", 0x24},         {"Insert", 0x2D},      {"Delete", 0x2E},
};

} // namespace

int VirtualKeyFromCode(const char *code) {
  if (code == nullptr)
    return 0;
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
