// The one key path of the shared emulation: key changes from any source
// (keyboard, touch controls, gamepads) become the posted key messages and
// the held-key state, so every face only names the key.
//
// A tap is never lost. The game looks at its keys once per idle pass (the
// pass that begins when PeekMessageA finds nothing: the game step reads
// GetKeyState, then the loop reads the keys its window procedure recorded).
// A key that goes down and up before such a pass has begun stays down, and
// its WM_KEYUP waits, until exactly one pass has run with it: the next
// PeekMessageA after that pass lets it go.
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
  const size_t key = static_cast<size_t>(virtualKey);
  unsigned char &holders = Shared().keyHolders[virtualKey];
  if (down) {
    // A fresh press, not a repeat of a key the game already has down.
    if (!KeyHeld(virtualKey))
      Shared().keysUnseen.set(key);
    Shared().keysLingering.reset(key);
    holders |= Bit(source);
  } else {
    holders &= static_cast<unsigned char>(~Bit(source));
  }
  // A key another source still holds stays down for the game, and so does
  // one no pass has seen yet.
  if (down)
    PostKey(virtualKey, true);
  else if (holders == 0 && Shared().keysUnseen[key])
    Shared().keysLingering.set(key);
  else if (holders == 0)
    PostKey(virtualKey, false);
}

bool KeyHeld(int virtualKey) {
  return virtualKey > 0 && virtualKey < kKeyCount &&
         (Shared().keyHolders[virtualKey] != 0 ||
          Shared().keysLingering[static_cast<size_t>(virtualKey)]);
}

void ReleaseKeys(KeySource source) {
  for (int key = 1; key < kKeyCount; ++key) {
    if (Shared().keyHolders[key] & Bit(source))
      ChangeKey(key, false, source);
  }
}

void BeginPass() {
  Shared().keysUnseen.reset();
}

void EndPass() {
  for (int key = 1; key < kKeyCount; ++key) {
    const size_t bit = static_cast<size_t>(key);
    if (Shared().keysLingering[bit] && !Shared().keysUnseen[bit]) {
      Shared().keysLingering.reset(bit);
      PostKey(key, false);
    }
  }
}

} // namespace emulation
