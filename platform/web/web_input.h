// The page's keys on the shared key path, and the key state (web_input.cpp).
#pragma once

// The page's one way in for keys: a KeyboardEvent.code ("ArrowUp", "KeyB",
// "F1", "Escape") went down (down 1) or up from a source (0 keyboard,
// 1 touch, 2 gamepad); 1 when the code names a key the game has, else 0.
extern "C" int tvl_web_key(const char *code, int down, int source);
