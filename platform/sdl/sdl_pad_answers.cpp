// Gamepads read while a question box waits, apart from the game's key path:
// the box polls them between its own events. Pads are opened by device index
// (SDL counts references, so the game's own stay open after the box), and
// hot-plugged ones are found by SDL's joystick update. SDL ignores presses
// while none of its windows has the keyboard, which a box of its own never
// gives it, so its background hint is set for the box's time.
#include "platform/sdl/sdl_pad_answers.h"

#include "platform/sdl/sdl_gamepads.h"

#include <algorithm>

namespace sdl_face {
namespace {

void OpenNewPads(PadWatch *watch) {
  for (int i = 0; i < SDL_NumJoysticks(); ++i) {
    if (!SDL_IsGameController(i))
      continue;
    SDL_GameController *pad = SDL_GameControllerOpen(i);
    if (pad == nullptr)
      continue;
    if (std::find(watch->pads.begin(), watch->pads.end(), pad) ==
        watch->pads.end())
      watch->pads.push_back(pad);
    else
      SDL_GameControllerClose(pad); // ours already: one reference is enough
  }
}

bool AnyPadHolds(const PadWatch &watch, SDL_GameControllerButton button) {
  for (SDL_GameController *pad : watch.pads)
    if (SDL_GameControllerGetAttached(pad) &&
        SDL_GameControllerGetButton(pad, button) != 0)
      return true;
  return false;
}

// Reads both buttons; true for a button let go after a press the box saw.
bool Released(bool now, bool *down, bool *armed) {
  const bool released = *down && !now && *armed;
  if (now && !*down)
    *armed = true;
  *down = now;
  return released;
}

} // namespace

void BeginPadWatch(PadWatch *watch) {
  *watch = {};
  StartGamepads();
  if (!SDL_WasInit(SDL_INIT_GAMECONTROLLER))
    return;
  if (const char *hint =
          SDL_GetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS)) {
    watch->backgroundHint = hint;
    watch->hadHint = true;
  }
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  SDL_GameControllerUpdate();
  OpenNewPads(watch);
  watch->southDown = AnyPadHolds(*watch, SDL_CONTROLLER_BUTTON_A);
  watch->eastDown = AnyPadHolds(*watch, SDL_CONTROLLER_BUTTON_B);
}

PadAnswer PollPadWatch(PadWatch *watch) {
  if (!SDL_WasInit(SDL_INIT_GAMECONTROLLER))
    return PadAnswer::None;
  SDL_GameControllerUpdate();
  OpenNewPads(watch);
  const bool south = AnyPadHolds(*watch, SDL_CONTROLLER_BUTTON_A);
  const bool east = AnyPadHolds(*watch, SDL_CONTROLLER_BUTTON_B);
  const bool first = Released(south, &watch->southDown, &watch->southArmed);
  const bool escape = Released(east, &watch->eastDown, &watch->eastArmed);
  if (first)
    return PadAnswer::First;
  return escape ? PadAnswer::Escape : PadAnswer::None;
}

void EndPadWatch(PadWatch *watch) {
  for (SDL_GameController *pad : watch->pads)
    SDL_GameControllerClose(pad);
  watch->pads.clear();
  if (SDL_WasInit(SDL_INIT_GAMECONTROLLER))
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS,
                watch->hadHint ? watch->backgroundHint.c_str() : nullptr);
}

} // namespace sdl_face
