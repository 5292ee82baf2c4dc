// SDL keys to Win32 virtual-key codes, in one function. Covers letters,
// digits, the function keys F1-F24, editing and cursor keys, the keypad,
// modifiers (as the shared VK_SHIFT / VK_CONTROL / VK_MENU, as WM_KEYDOWN
// reports them) and the US punctuation keys. Lacks: media and browser keys,
// IME keys.
#include "platform/sdl/sdl_keys.h"

#include "platform/win32.h"

namespace sdl_face {
namespace {

// Codes win32.h does not name, with their published values.
enum : int {
  kVkClear = 0x0C,
  kVkPause = 0x13,
  kVkCapital = 0x14,
  kVkPrior = 0x21,
  kVkNext = 0x22,
  kVkEnd = 0x23,
  kVkHome = 0x24,
  kVkSnapshot = 0x2C,
  kVkInsert = 0x2D,
  kVkDelete = 0x2E,
  kVkLWin = 0x5B,
  kVkRWin = 0x5C,
  kVkApps = 0x5D,
  kVkNumpad0 = 0x60,
  kVkMultiply = 0x6A,
  kVkAdd = 0x6B,
  kVkSubtract = 0x6D,
  kVkDecimal = 0x6E,
  kVkDivide = 0x6F,
  kVkF13 = 0x7C,
  kVkNumLock = 0x90,
  kVkScroll = 0x91,
  kVkOem1 = 0xBA, // ;:
  kVkOemPlus = 0xBB,
  kVkOemComma = 0xBC,
  kVkOemMinus = 0xBD,
  kVkOemPeriod = 0xBE,
  kVkOem2 = 0xBF, // /?
  kVkOem3 = 0xC0, // `~
  kVkOem4 = 0xDB, // [{
  kVkOem5 = 0xDC, // \|
  kVkOem6 = 0xDD, // ]}
  kVkOem7 = 0xDE, // '"
};

int FromScancode(SDL_Scancode scancode) {
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
    return 'A' + (scancode - SDL_SCANCODE_A);
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
    return '1' + (scancode - SDL_SCANCODE_1);
  if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12)
    return VK_F1 + (scancode - SDL_SCANCODE_F1);
  if (scancode >= SDL_SCANCODE_F13 && scancode <= SDL_SCANCODE_F24)
    return kVkF13 + (scancode - SDL_SCANCODE_F13);
  if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9)
    return kVkNumpad0 + 1 + (scancode - SDL_SCANCODE_KP_1);
  switch (scancode) {
  case SDL_SCANCODE_0:
    return '0';
  case SDL_SCANCODE_RETURN:
    return VK_RETURN;
  case SDL_SCANCODE_KP_ENTER:
    return VK_RETURN;
  case SDL_SCANCODE_ESCAPE:
    return VK_ESCAPE;
  case SDL_SCANCODE_BACKSPACE:
    return VK_BACK;
  case SDL_SCANCODE_TAB:
    return VK_TAB;
  case SDL_SCANCODE_SPACE:
    return VK_SPACE;
  case SDL_SCANCODE_LEFT:
    return VK_LEFT;
  case SDL_SCANCODE_UP:
    return VK_UP;
  case SDL_SCANCODE_RIGHT:
    return VK_RIGHT;
  case SDL_SCANCODE_DOWN:
    return VK_DOWN;
  case SDL_SCANCODE_LSHIFT:
  case SDL_SCANCODE_RSHIFT:
    return VK_SHIFT;
  case SDL_SCANCODE_LCTRL:
  case SDL_SCANCODE_RCTRL:
    return VK_CONTROL;
  case SDL_SCANCODE_LALT:
  case SDL_SCANCODE_RALT:
    return VK_MENU;
  case SDL_SCANCODE_LGUI:
    return kVkLWin;
  case SDL_SCANCODE_RGUI:
    return kVkRWin;
  case SDL_SCANCODE_APPLICATION:
    return kVkApps;
  case SDL_SCANCODE_CAPSLOCK:
    return kVkCapital;
  case SDL_SCANCODE_NUMLOCKCLEAR:
    return kVkNumLock;
  case SDL_SCANCODE_SCROLLLOCK:
    return kVkScroll;
  case SDL_SCANCODE_PAUSE:
    return kVkPause;
  case SDL_SCANCODE_PRINTSCREEN:
    return kVkSnapshot;
  case SDL_SCANCODE_INSERT:
    return kVkInsert;
  case SDL_SCANCODE_DELETE:
    return kVkDelete;
  case SDL_SCANCODE_HOME:
    return kVkHome;
  case SDL_SCANCODE_END:
    return kVkEnd;
  case SDL_SCANCODE_PAGEUP:
    return kVkPrior;
  case SDL_SCANCODE_PAGEDOWN:
    return kVkNext;
  case SDL_SCANCODE_CLEAR:
    return kVkClear;
  case SDL_SCANCODE_KP_0:
    return kVkNumpad0;
  case SDL_SCANCODE_KP_MULTIPLY:
    return kVkMultiply;
  case SDL_SCANCODE_KP_PLUS:
    return kVkAdd;
  case SDL_SCANCODE_KP_MINUS:
    return kVkSubtract;
  case SDL_SCANCODE_KP_PERIOD:
    return kVkDecimal;
  case SDL_SCANCODE_KP_DIVIDE:
    return kVkDivide;
  case SDL_SCANCODE_SEMICOLON:
    return kVkOem1;
  case SDL_SCANCODE_EQUALS:
    return kVkOemPlus;
  case SDL_SCANCODE_COMMA:
    return kVkOemComma;
  case SDL_SCANCODE_MINUS:
    return kVkOemMinus;
  case SDL_SCANCODE_PERIOD:
    return kVkOemPeriod;
  case SDL_SCANCODE_SLASH:
    return kVkOem2;
  case SDL_SCANCODE_GRAVE:
    return kVkOem3;
  case SDL_SCANCODE_LEFTBRACKET:
    return kVkOem4;
  case SDL_SCANCODE_BACKSLASH:
    return kVkOem5;
  case SDL_SCANCODE_RIGHTBRACKET:
    return kVkOem6;
  case SDL_SCANCODE_APOSTROPHE:
    return kVkOem7;
  default:
    return 0;
  }
}

} // namespace

int VirtualKeyFromSdl(SDL_Keycode key, SDL_Scancode scancode) {
  // A letter is named by what the layout puts on the key, as Win32 does
  // (an AZERTY 'A' key reports 'A' where a QWERTY board has Q).
  if (key >= SDLK_a && key <= SDLK_z)
    return 'A' + (key - SDLK_a);
  return FromScancode(scancode);
}

} // namespace sdl_face
