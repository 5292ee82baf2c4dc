// Gamepads as keys on the one key path: each button holds the key the input
// map gives it (input/input_map.h), and the left stick past half its travel
// holds the arrows, as the d-pad does. A pad held in a direction
// holds the key. Pads come and go while the game runs; one that goes lets go of
// the keys only it held. Every pad is the one source "gamepad": two pads
// pressing the same key hold it once. Lacks: the right stick, triggers, rumble,
// per-pad key ownership.
#include "platform/sdl/sdl_gamepads.h"

#include "input/input_map.h"
#include "platform/emulation.h"

#include <algorithm>
#include <bitset>
#include <vector>

namespace sdl_face {
namespace {

// The input map's neutral buttons in SDL's game-controller names.
SDL_GameControllerButton SdlButton(input::PadButton button) {
  switch (button) {
  case input::PadButton::South:
    return SDL_CONTROLLER_BUTTON_A;
  case input::PadButton::East:
    return SDL_CONTROLLER_BUTTON_B;
  case input::PadButton::West:
    return SDL_CONTROLLER_BUTTON_X;
  case input::PadButton::North:
    return SDL_CONTROLLER_BUTTON_Y;
  case input::PadButton::LeftShoulder:
    return SDL_CONTROLLER_BUTTON_LEFTSHOULDER;
  case input::PadButton::RightShoulder:
    return SDL_CONTROLLER_BUTTON_RIGHTSHOULDER;
  case input::PadButton::Back:
    return SDL_CONTROLLER_BUTTON_BACK;
  case input::PadButton::Start:
    return SDL_CONTROLLER_BUTTON_START;
  case input::PadButton::DpadUp:
    return SDL_CONTROLLER_BUTTON_DPAD_UP;
  case input::PadButton::DpadDown:
    return SDL_CONTROLLER_BUTTON_DPAD_DOWN;
  case input::PadButton::DpadLeft:
    return SDL_CONTROLLER_BUTTON_DPAD_LEFT;
  case input::PadButton::DpadRight:
    return SDL_CONTROLLER_BUTTON_DPAD_RIGHT;
  case input::PadButton::None:
    break;
  }
  return SDL_CONTROLLER_BUTTON_INVALID;
}

struct StickKey {
  SDL_GameControllerAxis axis;
  int sign; // which way along the axis (SDL's y grows downwards)
  int virtualKey;
};

constexpr StickKey kStickKeys[] = {
    {SDL_CONTROLLER_AXIS_LEFTX, -1, VK_LEFT},
    {SDL_CONTROLLER_AXIS_LEFTX, 1, VK_RIGHT},
    {SDL_CONTROLLER_AXIS_LEFTY, -1, VK_UP},
    {SDL_CONTROLLER_AXIS_LEFTY, 1, VK_DOWN},
};

// Half the stick's travel: a resting or worn stick never walks.
constexpr int kDeadZone = 16384;

using Keys = std::bitset<256>;

std::vector<SDL_GameController *> pads;
Keys held; // what the pads hold now, as last told to the key path

Keys KeysOf(SDL_GameController *pad) {
  Keys keys;
  for (const input::GameKey &key : input::kGameKeys)
    if (key.pad != input::PadButton::None &&
        SDL_GameControllerGetButton(pad, SdlButton(key.pad)) != 0)
      keys.set(static_cast<size_t>(key.virtualKey));
  for (const StickKey &entry : kStickKeys)
    if (entry.sign * SDL_GameControllerGetAxis(pad, entry.axis) > kDeadZone)
      keys.set(static_cast<size_t>(entry.virtualKey));
  return keys;
}

// The d-pad and the stick both hold the arrows, so the keys are worked out
// from every pad's whole state and only the differences are passed on.
void Sync() {
  Keys now;
  for (SDL_GameController *pad : pads)
    now |= KeysOf(pad);
  for (size_t key = 0; key < now.size(); ++key)
    if (now[key] != held[key])
      emulation::ChangeKey(static_cast<int>(key), now[key],
                           emulation::KeySource::Gamepad);
  held = now;
}

void Open(int deviceIndex) {
  if (SDL_GameController *pad = SDL_GameControllerOpen(deviceIndex)) {
    if (std::find(pads.begin(), pads.end(), pad) == pads.end())
      pads.push_back(pad);
    else
      SDL_GameControllerClose(pad); // opened twice: keep one reference
  }
}

void Close(SDL_JoystickID instance) {
  SDL_GameController *pad = SDL_GameControllerFromInstanceID(instance);
  const auto it = std::find(pads.begin(), pads.end(), pad);
  if (pad == nullptr || it == pads.end())
    return;
  // The sync that follows lets go of what only this pad held; keys another
  // pad still holds stay down.
  pads.erase(it);
  SDL_GameControllerClose(pad);
}

} // namespace

void StartGamepads() {
  static bool tried = false;
  if (tried)
    return;
  tried = true;
  // Pads are read only while the game has the focus, as keys are.
  SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool TranslateGamepadEvent(const SDL_Event &event) {
  switch (event.type) {
  case SDL_CONTROLLERDEVICEADDED:
    Open(event.cdevice.which);
    break;
  case SDL_CONTROLLERDEVICEREMOVED:
    Close(event.cdevice.which);
    break;
  case SDL_CONTROLLERBUTTONDOWN:
  case SDL_CONTROLLERBUTTONUP:
  case SDL_CONTROLLERAXISMOTION:
    break;
  default:
    return false;
  }
  Sync();
  return true;
}

int VirtualKeyOfButton(SDL_GameControllerButton button) {
  for (const input::GameKey &key : input::kGameKeys)
    if (key.pad != input::PadButton::None && SdlButton(key.pad) == button)
      return key.virtualKey;
  return 0;
}

} // namespace sdl_face
