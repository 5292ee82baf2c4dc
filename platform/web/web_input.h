// The page's keys on the shared key path, the key state and the page's
// question box (web_input.cpp).
#pragma once

#include "platform/win32.h"

namespace web_face {

// The face's GetKeyState and MessageBoxA hooks (emulation::Face).
SHORT KeyState(int virtualKey);
int ShowMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

} // namespace web_face

// The page's one way in for keys: a KeyboardEvent.code ("ArrowUp", "KeyB",
// "F1", "Escape") went down (down 1) or up from a source (input::Source,
// as SOURCE in web/input_map.js numbers it); 1 when the code names a key
// Win32 has, else 0.
extern "C" int tvl_web_key(const char *code, int down, int source);
