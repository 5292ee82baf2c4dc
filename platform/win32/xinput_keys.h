// Gamepads on the native Windows build, through XInput, as the game's keys.
#pragma once

#include <windows.h>

#include <xinput.h>

namespace win32_pads {

// The keys a pad's state holds, set in keys[virtualKey] (keys is left as it
// is for the rest, so several pads can be added up).
void KeysOfPad(const XINPUT_GAMEPAD &pad, bool keys[256]);

// Reads the pads (once a pass) and posts WM_KEYDOWN / WM_KEYUP to the window
// for the keys whose state changed; while the window is not in front the
// pads hold nothing.
void PollGamepads(HWND window);

// Held by a pad, for GetKeyState.
bool PadHolds(int virtualKey);

} // namespace win32_pads
