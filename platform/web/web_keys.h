// Translation of the page's keys (KeyboardEvent.code) into Win32
// virtual-key codes.
#pragma once

namespace web_face {

// The virtual-key code of a KeyboardEvent.code value ("ArrowUp", "KeyB",
// "F1", ...), 0 for keys the game cannot tell apart or Win32 has no code
// for. Codes name the key's place, so the letters follow a US layout.
int VirtualKeyFromCode(const char *code);

} // namespace web_face
