// Translation of SDL keys into Win32 virtual-key codes.
#pragma once

#include <SDL.h>

namespace sdl_face {

// The virtual-key code of a key, 0 for keys Win32 has no code for. Letters
// and digits follow the keyboard layout (the key code); keys without a
// character follow their position (the scan code).
int VirtualKeyFromSdl(SDL_Keycode key, SDL_Scancode scancode);

} // namespace sdl_face
