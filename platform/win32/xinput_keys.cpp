// Gamepads on Windows through XInput, mapped as on Linux: each button holds
// the key the input map gives it (input/input_map.h), and the left stick
// past half its travel holds the arrows, as the d-pad does. The game
// reads its walking keys with GetKeyState and Escape and F1 from key
// messages, so a pad's keys reach both: GetKeyState is the seam's
// PadAwareGetKeyState, and changes are posted as WM_KEYDOWN / WM_KEYUP.
// XInput is loaded when first wanted, so a Windows without it runs the game
// without pads. Pads come and go: an empty slot is looked at again every two
// seconds (a look at an empty slot is slow). Lacks: the right stick,
// triggers, rumble.
#include "platform/win32/xinput_keys.h"

#include "input/input_map.h"

namespace win32_pads {
namespace {

// The input map's neutral buttons as XInput's button bits.
WORD XInputBit(input::PadButton button) {
  switch (button) {
  case input::PadButton::South:
    return XINPUT_GAMEPAD_A;
  case input::PadButton::East:
    return XINPUT_GAMEPAD_B;
  case input::PadButton::West:
    return XINPUT_GAMEPAD_X;
  case input::PadButton::North:
    return XINPUT_GAMEPAD_Y;
  case input::PadButton::LeftShoulder:
    return XINPUT_GAMEPAD_LEFT_SHOULDER;
  case input::PadButton::RightShoulder:
    return XINPUT_GAMEPAD_RIGHT_SHOULDER;
  case input::PadButton::Back:
    return XINPUT_GAMEPAD_BACK;
  case input::PadButton::Start:
    return XINPUT_GAMEPAD_START;
  case input::PadButton::DpadUp:
    return XINPUT_GAMEPAD_DPAD_UP;
  case input::PadButton::DpadDown:
    return XINPUT_GAMEPAD_DPAD_DOWN;
  case input::PadButton::DpadLeft:
    return XINPUT_GAMEPAD_DPAD_LEFT;
  case input::PadButton::DpadRight:
    return XINPUT_GAMEPAD_DPAD_RIGHT;
  case input::PadButton::None:
    break;
  }
  return 0;
}

// Half the stick's travel: a resting or worn stick never walks.
constexpr int kDeadZone = 16384;
constexpr DWORD kEmptySlotWaitMs = 2000;

using GetStateEntry = DWORD(WINAPI *)(DWORD, XINPUT_STATE *);

GetStateEntry LoadGetState() {
  static const char *const kLibraries[] = {"xinput1_4.dll", "xinput9_1_0.dll"};
  for (const char *name : kLibraries) {
    if (HMODULE library = LoadLibraryA(name))
      return reinterpret_cast<GetStateEntry>(
          reinterpret_cast<void *>(GetProcAddress(library, "XInputGetState")));
  }
  return nullptr;
}

bool held[256] = {};
bool connected[XUSER_MAX_COUNT] = {};
DWORD nextLook[XUSER_MAX_COUNT] = {};

} // namespace

void KeysOfPad(const XINPUT_GAMEPAD &pad, bool keys[256]) {
  for (const input::GameKey &key : input::kGameKeys)
    if (pad.wButtons & XInputBit(key.pad))
      keys[key.virtualKey] = true;
  // XInput's y grows upwards.
  if (pad.sThumbLX < -kDeadZone)
    keys[VK_LEFT] = true;
  if (pad.sThumbLX > kDeadZone)
    keys[VK_RIGHT] = true;
  if (pad.sThumbLY > kDeadZone)
    keys[VK_UP] = true;
  if (pad.sThumbLY < -kDeadZone)
    keys[VK_DOWN] = true;
}

void PollGamepads(HWND window) {
  static const GetStateEntry getState = LoadGetState();
  bool keys[256] = {};
  if (getState != nullptr && window != nullptr &&
      GetForegroundWindow() == window) {
    const DWORD now = GetTickCount();
    for (DWORD slot = 0; slot < XUSER_MAX_COUNT; ++slot) {
      if (!connected[slot] && static_cast<LONG>(now - nextLook[slot]) < 0)
        continue;
      XINPUT_STATE state = {};
      connected[slot] = getState(slot, &state) == ERROR_SUCCESS;
      if (connected[slot])
        KeysOfPad(state.Gamepad, keys);
      else
        nextLook[slot] = now + kEmptySlotWaitMs;
    }
  }
  // A pad unplugged, or the window left, lets go of what it held.
  for (int key = 0; key < 256; ++key) {
    if (keys[key] == held[key])
      continue;
    held[key] = keys[key];
    if (window != nullptr)
      PostMessageA(window, keys[key] ? WM_KEYDOWN : WM_KEYUP,
                   static_cast<WPARAM>(key), 0);
  }
}

bool PadHolds(int virtualKey) {
  return virtualKey >= 0 && virtualKey < 256 && held[virtualKey];
}

} // namespace win32_pads

SHORT PadAwareGetKeyState(int virtualKey) {
  const SHORT state = GetKeyState(virtualKey);
  return win32_pads::PadHolds(virtualKey)
             ? static_cast<SHORT>(state | static_cast<SHORT>(0xFF80))
             : state;
}
