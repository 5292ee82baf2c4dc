// Gamepads as keys on the one key path: the d-pad and the left stick are the
// arrows (the stick past half its travel), A toggles bump mapping (B), the
// right shoulder turns the lights up (D), the left one down (N), X restarts
// (R), Y toggles full screen (F1) and Back is Escape. A pad held in a direction
// holds the key. Pads come and go while the game runs; one that goes lets go of
// the keys only it held. Every pad is the one source "gamepad": two pads
// pressing the same key hold it once. Lacks: the right stick, triggers, rumble,
// per-pad key ownership.
#include "platform/sdl/sdl_gamepads.h"

#include "platform/emulation.h"

#include <algorithm>
#include <bitset>
#include <vector>

namespace sdl_face {
namespace {

struct ButtonKey {
  SDL_GameControllerButton button;
  int virtualKey;
};

constexpr ButtonKey kButtonKeys[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_UP, VK_UP},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, VK_DOWN},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, VK_LEFT},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, VK_RIGHT},
    {SDL_CONTROLLER_BUTTON_A, 'B'},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 'D'},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 'N'},
    {SDL_CONTROLLER_BUTTON_X, 'R'},
    {SDL_CONTROLLER_BUTTON_Y, VK_F1},
    {SDL_CONTROLLER_BUTTON_BACK, VK_ESCAPE},
};

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
  for (const ButtonKey &entry : kButtonKeys)
    if (SDL_GameControllerGetButton(pad, entry.button) != 0)
      keys.set(static_cast<size_t>(entry.virtualKey));
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
  for (const ButtonKey &entry : kButtonKeys)
    if (entry.button == button)
      return entry.virtualKey;
  return 0;
}

} // namespace sdl_face
