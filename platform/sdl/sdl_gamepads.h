// Gamepads on SDL's game-controller API, as the game's own keys.
#pragma once

#include <SDL.h>

namespace sdl_face {

// Starts SDL's game-controller support once; pads already plugged in then
// arrive as added-device events. Without it (no subsystem) no pad is read.
void StartGamepads();

// Takes a controller event: an added pad is opened, a removed one closed and
// its keys let go, and any button or stick change moves the held keys. False
// for events that are not a controller's.
bool TranslateGamepadEvent(const SDL_Event &event);

// The virtual key a button stands for, 0 for none.
int VirtualKeyOfButton(SDL_GameControllerButton button);

} // namespace sdl_face
