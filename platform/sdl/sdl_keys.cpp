// SDL keys to Win32 virtual-key codes, in one function. Covers what a
// player of the game reaches for: letters, digits, F1-F12, the arrows,
// Return, Escape, Backspace, Tab, Space and the modifiers (as the shared
// VK_SHIFT / VK_CONTROL / VK_MENU, as WM_KEYDOWN reports them). Lacks: the
// keypad, punctuation, editing and lock keys, F13 and up, media keys; they
// post nothing.
#include "platform/sdl/sdl_keys.h"

#include "platform/win32.h"

namespace sdl_face {

int VirtualKeyFromSdl(SDL_Keycode key, SDL_Scancode scancode) {
  // A letter is named by what the layout puts on the key, as Win32 does
  // (an AZERTY 'A' key reports 'A' where a QWERTY board has Q); keys without
  // a character follow their position.
  if (key >= SDLK_a && key <= SDLK_z)
    return 'A' + (key - SDLK_a);
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
    return 'A' + (scancode - SDL_SCANCODE_A);
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
    return '1' + (scancode - SDL_SCANCODE_1);
  if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12)
    return VK_F1 + (scancode - SDL_SCANCODE_F1);
  switch (scancode) {
  case SDL_SCANCODE_0:
    return '0';
  case SDL_SCANCODE_RETURN:
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
  default:
    return 0;
  }
}

} // namespace sdl_face
