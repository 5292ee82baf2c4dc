// The one key path of the shared emulation: key changes from any source
// (keyboard, touch controls, gamepads) become the posted key messages and
// the held-key state, so every face only names the key.
#include "platform/emulation_state.h"

namespace emulation {
namespace {

constexpr int kKeyCount = 256;

unsigned char Bit(KeySource source) {
  return static_cast<unsigned char>(1u << static_cast<unsigned>(source));
}

void PostKey(int virtualKey, bool down) {
  // The game reads the key alone, not the repeat and transition bits.
  if (const HWND target = Shared().focus)
    Post(target, down ? WM_KEYDOWN : WM_KEYUP, static_cast<WPARAM>(virtualKey),
         0);
}

} // namespace

void ChangeKey(int virtualKey, bool down, KeySource source) {
  if (virtualKey <= 0 || virtualKey >= kKeyCount)
    return;
  unsigned char &holders = Shared().keyHolders[virtualKey];
  if (down)
    holders |= Bit(source);
  else
    holders &= static_cast<unsigned char>(~Bit(source));
  // A key another source still holds stays down for the game.
  if (down || holders == 0)
    PostKey(virtualKey, down);
}

bool KeyHeld(int virtualKey) {
  return virtualKey > 0 && virtualKey < kKeyCount &&
         Shared().keyHolders[virtualKey] != 0;
}

void ReleaseKeys(KeySource source) {
  for (int key = 1; key < kKeyCount; ++key) {
    if (Shared().keyHolders[key] & Bit(source))
      ChangeKey(key, false, source);
  }
}

} // namespace emulation
