// The page's keys from the keyboard, the touch controls and gamepads reach
// the game through tvl_web_key: a key held by any source is down, and a
// change of that becomes WM_KEYDOWN / WM_KEYUP for the focus window.
#include "platform/web/web_key_export.h"

#include "platform/emulation.h"
#include "platform/web/web_keys.h"

#include <emscripten.h>

namespace {

constexpr int kSources = 3; // keyboard, touch, gamepad
bool held[kSources][256] = {};

bool HeldAnywhere(int virtualKey) {
  for (const auto &source : held) {
    if (source[virtualKey])
      return true;
  }
  return false;
}

} // namespace

namespace web_face {

bool KeyHeldAnywhere(int virtualKey) {
  return virtualKey >= 0 && virtualKey < 256 && HeldAnywhere(virtualKey);
}

} // namespace web_face

// code: a KeyboardEvent.code; source 0 keyboard, 1 touch, 2 gamepad. 1 when
// the code names a key the game has.
extern "C" EMSCRIPTEN_KEEPALIVE int tvl_web_key(const char *code, int down,
                                                int source) {
  const int virtualKey = web_face::VirtualKeyFromCode(code);
  if (virtualKey <= 0 || virtualKey >= 256 || source < 0 || source >= kSources)
    return 0;
  const bool was = HeldAnywhere(virtualKey);
  held[source][virtualKey] = down != 0;
  const bool now = HeldAnywhere(virtualKey);
  // The game reads the key alone, not the repeat and transition bits.
  if (now != was) {
    if (HWND target = GetFocus())
      emulation::Post(target, now ? WM_KEYDOWN : WM_KEYUP,
                      static_cast<WPARAM>(virtualKey), 0);
  }
  return 1;
}
